// Text drawn into pictures in memory with a GDI font: the numbers of the
// numbers chart and the labels of a pitch sweep. For eyes, not for checks:
// the glyphs are whatever the system's sans-serif face gives.
#pragma once

#include <cstdint>

#include "interlace/picture.h"

struct TextBox {
  int width;
  int height;
};
// The size of `text` set in a bold face `height` pixels high.
TextBox MeasureText(const char* text, int height);
// Draws `text` in `ink` on a box of `paper` (both 0xRRGGBB) with the box's
// top-left at (x, y); what falls outside `target` is cut off.
void StampText(const Picture& target, int x, int y, const char* text, int height, uint32_t ink,
               uint32_t paper);
