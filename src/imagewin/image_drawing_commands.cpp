// Drawing commands of an image window (lines, boxes, circles, flood fill)
// and the drawing colour commands "Change" and "Pick". Each asks for its
// points with a point tool and draws only when the tool gave them.
#include "imagewin/imagewin.h"

#include <commdlg.h>

namespace zul {

namespace {

// The colour dialog's custom colours, kept for the program's life (worker
// thread).
COLORREF custom_colors[16];

void LineCommand(int number, int id) {
  int x1, y1, x2, y2;
  const ImageSurface& s = image_surfaces[number];
  if (id == kIwDrawLine) {
    if (!PointsGiven(ZUL_GetLine(number, &x1, &y1, &x2, &y2))) return;
  } else if (id == kIwDrawRow) {
    if (!PointsGiven(ZUL_GetRow(number, &x1, &y1))) return;
    x1 = 0;
    x2 = static_cast<int>(s.width) - 1;
    y2 = y1;
  } else {
    if (!PointsGiven(ZUL_GetColumn(number, &x1, &y1))) return;
    y1 = 0;
    y2 = static_cast<int>(s.height) - 1;
    x2 = x1;
  }
  if (!SelectSlotAgain(number)) return;
  ZUL_DrawLine(draw_color, x1, y1, x2, y2);
}

void BoxCommand(int number, int id) {
  int left, top, right, bottom;
  if (!PointsGiven(ZUL_GetBox(number, &left, &top, &right, &bottom))) return;
  if (!SelectSlotAgain(number)) return;
  if (id == kIwDrawBox)
    ZUL_DrawBox(left, top, right, bottom);
  else if (id == kIwFillBox)
    ZUL_FillBox(left, top, right, bottom);
  else
    ZUL_XorFillBox(left, top, right, bottom);
}

void CircleCommand(int number, int id) {
  int cx, cy, r;
  if (!PointsGiven(ZUL_GetCircle(number, &cx, &cy, &r))) return;
  if (!SelectSlotAgain(number)) return;
  if (id == kIwDrawCircle)
    ZUL_DrawCircle(cx, cy, draw_color, r);
  else if (id == kIwFillCircle)
    ZUL_FillCircle(cx, cy, r);
  else
    ZUL_XorFillCircle(cx, cy, r);
}

void PaintCommand(int number) {
  int x, y;
  if (!PointsGiven(ZUL_GetPoint(number, &x, &y))) return;
  if (!SelectSlotAgain(number)) return;
  ZUL_FloodFill(x, y);
}

// The colour of palette entry `index` of the current (8-bit) image window.
uint32_t PaletteColour(uint32_t index) {
  RGBQUAD entries[kPaletteEntries] = {};
  ZUL_GetPalette(entries);
  const RGBQUAD& e = entries[index & 0xFF];
  return static_cast<uint32_t>(e.rgbRed) << 16 | static_cast<uint32_t>(e.rgbGreen) << 8 | e.rgbBlue;
}

}  // namespace

void DrawingCommand(HWND, int number, int id) {
  switch (id) {
    case kIwDrawLine:
    case kIwDrawRow:
    case kIwDrawColumn: LineCommand(number, id); break;
    case kIwDrawBox:
    case kIwFillBox:
    case kIwXorFillBox: BoxCommand(number, id); break;
    case kIwDrawCircle:
    case kIwFillCircle:
    case kIwXorFillCircle: CircleCommand(number, id); break;
    case kIwPaint: PaintCommand(number); break;
    default: break;
  }
}

// The colour dialog, started at the drawing colour; its colour is taken
// whichever button closed it (Cancel leaves it at the start value).
void ColorChangeCommand(HWND window) {
  CHOOSECOLORW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window;
  dialog.rgbResult = ColorToGdi(draw_color);
  dialog.lpCustColors = custom_colors;
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
  ChooseColorW(&dialog);
  uint32_t colour = ColorFromGdi(dialog.rgbResult);
  draw_color = colour;
  zul_tttc = colour;
  zul_tc = colour;
}

// The clicked pixel becomes the drawing colour; the TrueType text colour
// follows as a colour (an 8-bit window's palette entry).
void ColorPickCommand(HWND, int number) {
  int x, y;
  if (!PointsGiven(ZUL_GetPoint(number, &x, &y))) return;
  if (!SelectSlotAgain(number)) return;
  uint32_t value = ZUL_GetPixel(x, y);
  draw_color = value;
  zul_tttc = image_windows[number].bits == 32 ? value : PaletteColour(value);
}

}  // namespace zul
