// The colour table of the current image window's surface.
#include "surfaces/surfaces.h"

#include <algorithm>

namespace zul {

namespace {

// 0 when the current image window is live and 8-bit; else its result code.
int CheckPaletteWindow() {
  const ImageWindow* slot = CurrentLiveImage();
  if (slot == nullptr) return 1;
  return slot->bits == 8 ? 0 : 2;
}

}  // namespace

}  // namespace zul

using namespace zul;

int ZUL_SetPalette(const RGBQUAD* entries, int count) {
  int code = CheckPaletteWindow();
  if (code != 0) return code;
  const ImageWindow& slot = *CurrentLiveImage();
  count = std::clamp(count, 0, kPaletteEntries);
  if (entries != nullptr && count > 0) {
    SetDIBColorTable(slot.memory_dc, 0, static_cast<UINT>(count), entries);
  }
  InvalidateRect(slot.window, nullptr, FALSE);
  return 0;
}

int ZUL_GetPalette(RGBQUAD* buffer) {
  int code = CheckPaletteWindow();
  if (code != 0) return code;
  if (buffer != nullptr)
    GetDIBColorTable(CurrentLiveImage()->memory_dc, 0, kPaletteEntries, buffer);
  return 0;
}
