// The generated layout source: a zero-terminated 8-bit text that grows as
// lines are appended, so that no layout the program can make overflows it.
#include "textwin/textwin.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace zul {

namespace {

constexpr size_t kFirstFragmentBytes = 30000;

// Makes room for `needed` bytes (terminator included), doubling the block.
bool GrowFragment(SourceFragment* fragment, size_t needed) {
  size_t capacity = fragment->capacity;
  while (capacity < needed) {
    if (capacity > static_cast<size_t>(-1) / 2) return false;
    capacity *= 2;
  }
  if (capacity == fragment->capacity) return true;
  char* grown = static_cast<char*>(std::realloc(fragment->text, capacity));
  if (!grown) return false;
  fragment->text = grown;
  fragment->capacity = capacity;
  return true;
}

}  // namespace

void StartFragment(SourceFragment* fragment) {
  fragment->text = static_cast<char*>(std::malloc(kFirstFragmentBytes));
  fragment->capacity = fragment->text ? kFirstFragmentBytes : 0;
  fragment->length = 0;
  fragment->full = fragment->text == nullptr;
  if (fragment->text) fragment->text[0] = 0;
}

void AppendFragmentLine(SourceFragment* fragment, const char* format, ...) {
  if (fragment->full) return;
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  int bytes = vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (bytes < 0 || !GrowFragment(fragment, fragment->length + static_cast<size_t>(bytes) + 1)) {
    // Once a line is lost, no later one is added: the text stays a run of
    // whole lines from the start.
    fragment->full = true;
  } else {
    vsnprintf(fragment->text + fragment->length, fragment->capacity - fragment->length, format,
              args);
    fragment->length += static_cast<size_t>(bytes);
  }
  va_end(args);
}

void FreeFragment(SourceFragment* fragment) {
  std::free(fragment->text);
  fragment->text = nullptr;
  fragment->capacity = fragment->length = 0;
  fragment->full = true;
}

void EscapeLineFeeds(const char* text, char* out, int capacity) {
  if (capacity <= 0) return;
  int used = 0;
  for (const char* p = text; *p; ++p) {
    int width = *p == '\n' ? 2 : 1;
    if (used + width > capacity - 1) break;
    if (*p == '\n') {
      out[used++] = '\\';
      out[used++] = 'n';
    } else {
      out[used++] = *p;
    }
  }
  out[used] = 0;
}

}  // namespace zul
