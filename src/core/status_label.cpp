// The main window's status label, which every window's waits write to.
#include "core/core.h"

#include <cstdio>
#include <cstring>

namespace zul {

void FormatStatusField(const char* text, char field[kStatusFieldBytes]) {
  std::memset(field, ' ', kStatusFieldBytes - 1);
  field[kStatusFieldBytes - 1] = 0;
  size_t length = std::strlen(text);
  int column = 18 - static_cast<int>(length / 2);
  if (column < 0) column = 0;
  size_t room = kStatusFieldBytes - 1 - static_cast<size_t>(column);
  size_t copy = length < room ? length : room;
  std::memcpy(field + column, text, copy);
  field[column + copy] = 0;
}

void SetStatusText(const char* text) {
  char field[kStatusFieldBytes];
  FormatStatusField(text, field);
  SetWindowTextAnsi(status_label, field);
}

void ShowDisplayDepth() {
  char depth[16];
  snprintf(depth, sizeof depth, "%d-bit color", bits_per_pixel);
  SetStatusText(depth);
}

}  // namespace zul
