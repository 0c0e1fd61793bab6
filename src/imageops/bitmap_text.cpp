// Text drawn into the pixels of the current image window with the built-in
// 8 x 14 font, at a text cursor that advances, wraps and breaks lines like a
// simple terminal. The background stays: only the glyphs' ink is written.
#include <cstdarg>
#include <cstdio>

#include "imageops/bitmap_font.h"
#include "surfaces/surfaces.h"

namespace zul {

namespace {

constexpr int kDrawPrintfBytes = 4096;  // 4095 characters and the terminator

// a + b with the wrap-around of 32-bit words, so that a cursor near the end
// of the int range gives coordinates outside the image instead of overflow.
int WrappingAdd(int a, int b) {
  return static_cast<int>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

void BreakLine() {
  text_x = text_left;
  text_y = WrappingAdd(text_y, kTextLinePitch);
}

void DrawGlyph(const uint8_t* glyph) {
  int top = WrappingAdd(text_y, -kGlyphHeight);
  for (int i = 0; i < kGlyphHeight; ++i) {
    for (int j = 0; j < kGlyphWidth; ++j) {
      if (glyph[i] & (0x80 >> j)) ZUL_SetPixel(WrappingAdd(text_x, j), WrappingAdd(top, i), zul_tc);
    }
  }
}

}  // namespace

}  // namespace zul

using namespace zul;

// The text cursor and colour, shared with the TrueType text; worker thread.
uint32_t zul_tc = 0;
int text_x, text_y, text_left;

void ZUL_DrawChar(char c) {
  const int code = static_cast<unsigned char>(c);
  if (code == '\n') {
    BreakLine();
    return;
  }
  if (code < kFirstGlyph || code > kLastGlyph) return;
  DrawGlyph(kBitmapFont[code - kFirstGlyph]);
  text_x = WrappingAdd(text_x, kGlyphWidth);
  const long width = static_cast<long>(CurrentSurface().width);
  if (text_x > width - kGlyphWidth) BreakLine();
}

void ZUL_DrawText(const char* text) {
  if (text == nullptr) return;
  for (; *text; ++text) ZUL_DrawChar(*text);
}

void ZUL_DrawPrintf(const char* format, ...) {
  if (format == nullptr) return;
  char text[kDrawPrintfBytes];
  va_list args;
  va_start(args, format);
  FormatBounded(text, sizeof text, format, args);  // longer text is cut at 4095 characters
  va_end(args);
  ZUL_DrawText(text);
}
