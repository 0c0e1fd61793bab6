// The two context menus of an image window, built on every click and
// destroyed after use.
#include "imagewin/imagewin.h"

namespace zul {

namespace {

struct MenuItemText {
  int id;  // 0: separator
  const char* caption;
};

// Fills `menu` from position 0 with the listed items.
template <size_t N>
HMENU FillMenu(HMENU menu, const MenuItemText (&items)[N]) {
  for (UINT i = 0; i < N; ++i) {
    if (items[i].id == 0) {
      InsertMenuSeparator(menu, i);
    } else {
      InsertMenuText(menu, i, kMenuEnabled, static_cast<UINT>(items[i].id), items[i].caption);
    }
  }
  return menu;
}

template <size_t N>
HMENU MakeMenu(const MenuItemText (&items)[N]) {
  return FillMenu(CreatePopupMenu(), items);
}

UINT CheckedWhen(bool checked) { return checked ? MFS_CHECKED : kMenuEnabled; }

constexpr MenuItemText kProcessItems[] = {
    {kIwInvert, "Invert"},        {0, nullptr},
    {kIwRotateRight, "R. Rotate"}, {kIwRotateLeft, "L. Rotate"},
    {0, nullptr},                 {kIwHorzFlip, "Horz. Flip"},
    {kIwVertFlip, "Vert. Flip"},  {0, nullptr},
    {kIwSize50, "Size 50.0%"},    {kIwSize71, "Size 70.7%"},
    {kIwSize141, "Size 141.4%"},  {kIwSize200, "Size 200.0%"},
};
constexpr MenuItemText kInformation32Items[] = {
    {kIwInfoPixel, "Pixel"},       {kIwLineRgb, "Line(RGB)"},  {kIwLineHsv, "Line(HSV)"},
    {kIwLineYCrCb, "Line(YCrCb)"}, {kIwLineCrCb, "Line(CrCb)"}, {0, nullptr},
    {kIwAreaCrCb, "Area(CrCb)"},
};
constexpr MenuItemText kInformation8Items[] = {
    {kIwInfoPixel, "Pixel"},
    {kIwLineLumi, "Line(Lumi)"},
};
constexpr MenuItemText kPatternItems[] = {
    {kIwPatternRgb, "RGB"}, {kIwPatternHsv, "HSV"}, {kIwPatternYCrCb, "YCrCb"},
    {kIwPatternYuv, "Yuv"}, {kIwPatternYiq, "YIQ"}, {kIwPatternGrey, "Grey"},
};
constexpr MenuItemText kColorItems[] = {{kIwColorChange, "Change"}, {kIwColorPick, "Pick"}};
constexpr MenuItemText kLineItems[] = {
    {kIwDrawLine, "Normal"}, {kIwDrawRow, "Horz."}, {kIwDrawColumn, "Vert."}};
constexpr MenuItemText kBoxItems[] = {
    {kIwDrawBox, "Normal"}, {kIwFillBox, "Fill"}, {kIwXorFillBox, "Fill XOR"}};
constexpr MenuItemText kCircleItems[] = {
    {kIwDrawCircle, "Normal"}, {kIwFillCircle, "Fill"}, {kIwXorFillCircle, "Fill XOR"}};
constexpr MenuItemText kTrueTypeItems[] = {
    {kIwTrueTypeDraw, "Draw"}, {kIwFontChange, "Font Change"}};

}  // namespace

HMENU BuildImageMenu(int number) {
  int zoom = ImageWindowLive(number) ? image_windows[number].zoom : 0;
  HMENU menu = CreatePopupMenu();
  InsertMenuText(menu, 0, kMenuEnabled, kIwCut, "Cut\tCtrl+X");
  InsertMenuText(menu, 1, kMenuEnabled, kIwCopy, "Copy\tCtrl+C");
  InsertMenuText(menu, 2, kMenuEnabled, kIwPaste, "Paste\tCtrl+V");
  InsertMenuSeparator(menu, 3);
  InsertMenuText(menu, 4, kMenuEnabled, kIwLoadImage, "&Load image file");
  InsertMenuText(menu, 5, kMenuEnabled, kIwSaveAs, "&Save as");
  InsertMenuSeparator(menu, 6);
  InsertMenuText(menu, 7, CheckedWhen(zoom == 50), kIwZoom50, "Zoom: 50%");
  InsertMenuText(menu, 8, CheckedWhen(zoom == 100), kIwZoom100, "Zoom:100%\tCtrl+0");
  InsertMenuText(menu, 9, CheckedWhen(zoom == 200), kIwZoom200, "Zoom:200%");
  InsertMenuText(menu, 10, kMenuEnabled, kIwZoomPrompt, "&Zoom...");
  InsertMenuSeparator(menu, 11);
  InsertMenuText(menu, 12, kMenuEnabled, kIwResizePrompt, "&Resize...");
  InsertMenuText(menu, 13, kMenuEnabled, kIwDestroy, "&Destroy\tCtrl+Q");
  return menu;
}

HMENU BuildToolsMenu(int number) {
  bool eight_bits = ImageWindowLive(number) && image_windows[number].bits == 8;
  HMENU menu = CreatePopupMenu();
  InsertSubMenu(menu, MakeMenu(kProcessItems), 0, "Process...");
  InsertMenuSeparator(menu, 1);
  InsertSubMenu(menu, eight_bits ? MakeMenu(kInformation8Items) : MakeMenu(kInformation32Items), 2,
                "Information...");
  InsertMenuSeparator(menu, 3);
  InsertSubMenu(menu, MakeMenu(kPatternItems), 4, "Test Pattern...");
  InsertMenuSeparator(menu, 5);
  InsertMenuText(menu, 6, kMenuEnabled, kIwClipping, "Clipping\tCtrl+R");
  InsertMenuSeparator(menu, 7);
  InsertSubMenu(menu, MakeMenu(kColorItems), 8, "Color...");
  InsertSubMenu(menu, MakeMenu(kLineItems), 9, "Draw Line...");
  InsertSubMenu(menu, MakeMenu(kBoxItems), 10, "Draw Box...");
  InsertSubMenu(menu, MakeMenu(kCircleItems), 11, "Draw Circle...");
  InsertSubMenu(menu, MakeMenu(kTrueTypeItems), 12, "TrueType...");
  InsertMenuText(menu, 13, kMenuEnabled, kIwDrawText, "Draw Text");
  InsertMenuText(menu, 14, kMenuEnabled, kIwPaint, "Paint");
  return menu;
}

HMENU BuildContextMenu(HWND window, WPARAM wparam) {
  if (point_tool_active != 0) return nullptr;   // the click belongs to the tool
  if (text_input_pending != 0) return nullptr;  // a text window waits for a line
  int number = FindImageWindow(window);
  if (number < 0) return nullptr;
  return (wparam & MK_CONTROL) ? BuildToolsMenu(number) : BuildImageMenu(number);
}

void ShowContextMenu(HWND window, WPARAM wparam) {
  TrackMenuAtCursor(window, BuildContextMenu(window, wparam));
}

}  // namespace zul
