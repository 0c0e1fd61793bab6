// The two context menus of an image window, built on every click and
// destroyed after use.
#include "imagewin/imagewin.h"

namespace zul {

namespace {

bool ShowsAtZoom(int number, int zoom) {
  return ImageWindowLive(number) && image_windows[number].zoom == zoom;
}
bool EightBits(int number) { return ImageWindowLive(number) && image_windows[number].bits == 8; }
bool NotEightBits(int number) { return !EightBits(number); }

constexpr MenuRow kImageMenu[] = {
    Item(kIwCut, "Cut\tCtrl+X"),
    Item(kIwCopy, "Copy\tCtrl+C"),
    Item(kIwPaste, "Paste\tCtrl+V"),
    Separator(),
    Item(kIwLoadImage, "&Load image file"),
    Item(kIwSaveAs, "&Save as"),
    Separator(),
    Item(kIwZoom50, "Zoom: 50%", [](int n) { return ShowsAtZoom(n, 50); }),
    Item(kIwZoom100, "Zoom:100%\tCtrl+0", [](int n) { return ShowsAtZoom(n, 100); }),
    Item(kIwZoom200, "Zoom:200%", [](int n) { return ShowsAtZoom(n, 200); }),
    Item(kIwZoomPrompt, "&Zoom..."),
    Separator(),
    Item(kIwResizePrompt, "&Resize..."),
    Item(kIwDestroy, "&Destroy\tCtrl+Q"),
};

constexpr MenuRow kProcessItems[] = {
    Item(kIwInvert, "Invert"),
    Separator(),
    Item(kIwRotateRight, "R. Rotate"),
    Item(kIwRotateLeft, "L. Rotate"),
    Separator(),
    Item(kIwHorzFlip, "Horz. Flip"),
    Item(kIwVertFlip, "Vert. Flip"),
    Separator(),
    Item(kIwSize50, "Size 50.0%"),
    Item(kIwSize71, "Size 70.7%"),
    Item(kIwSize141, "Size 141.4%"),
    Item(kIwSize200, "Size 200.0%"),
};
constexpr MenuRow kInformation32Items[] = {
    Item(kIwInfoPixel, "Pixel"),     Item(kIwLineRgb, "Line(RGB)"),
    Item(kIwLineHsv, "Line(HSV)"),   Item(kIwLineYCrCb, "Line(YCrCb)"),
    Item(kIwLineCrCb, "Line(CrCb)"), Separator(),
    Item(kIwAreaCrCb, "Area(CrCb)"),
};
constexpr MenuRow kInformation8Items[] = {Item(kIwInfoPixel, "Pixel"),
                                          Item(kIwLineLumi, "Line(Lumi)")};
constexpr MenuRow kPatternItems[] = {
    Item(kIwPatternRgb, "RGB"), Item(kIwPatternHsv, "HSV"), Item(kIwPatternYCrCb, "YCrCb"),
    Item(kIwPatternYuv, "Yuv"), Item(kIwPatternYiq, "YIQ"), Item(kIwPatternGrey, "Grey"),
};
constexpr MenuRow kColorItems[] = {Item(kIwColorChange, "Change"), Item(kIwColorPick, "Pick")};
constexpr MenuRow kLineItems[] = {Item(kIwDrawLine, "Normal"), Item(kIwDrawRow, "Horz."),
                                  Item(kIwDrawColumn, "Vert.")};
constexpr MenuRow kBoxItems[] = {Item(kIwDrawBox, "Normal"), Item(kIwFillBox, "Fill"),
                                 Item(kIwXorFillBox, "Fill XOR")};
constexpr MenuRow kCircleItems[] = {Item(kIwDrawCircle, "Normal"), Item(kIwFillCircle, "Fill"),
                                    Item(kIwXorFillCircle, "Fill XOR")};
constexpr MenuRow kTrueTypeItems[] = {Item(kIwTrueTypeDraw, "Draw"),
                                      Item(kIwFontChange, "Font Change")};

constexpr MenuTable kProcess = Rows(kProcessItems), kInformation32 = Rows(kInformation32Items),
                    kInformation8 = Rows(kInformation8Items), kPattern = Rows(kPatternItems),
                    kColor = Rows(kColorItems), kLine = Rows(kLineItems), kBox = Rows(kBoxItems),
                    kCircle = Rows(kCircleItems), kTrueType = Rows(kTrueTypeItems);

// The Ctrl + right click (or middle click) menu; its Information submenu
// follows the slot's bit depth.
constexpr MenuRow kToolsMenu[] = {
    SubMenu("Process...", &kProcess),
    Separator(),
    SubMenu("Information...", &kInformation32, NotEightBits),
    SubMenu("Information...", &kInformation8, EightBits),
    Separator(),
    SubMenu("Test Pattern...", &kPattern),
    Separator(),
    Item(kIwClipping, "Clipping\tCtrl+R"),
    Separator(),
    SubMenu("Color...", &kColor),
    SubMenu("Draw Line...", &kLine),
    SubMenu("Draw Box...", &kBox),
    SubMenu("Draw Circle...", &kCircle),
    SubMenu("TrueType...", &kTrueType),
    Item(kIwDrawText, "Draw Text"),
    Item(kIwPaint, "Paint"),
};

}  // namespace

HMENU BuildImageMenu(int number) { return BuildMenu(Rows(kImageMenu), number); }

HMENU BuildToolsMenu(int number) { return BuildMenu(Rows(kToolsMenu), number); }

HMENU BuildContextMenu(HWND window, WPARAM wparam) {
  if (!ContextMenuMayOpen()) return nullptr;  // a tool waits, or a text window waits for a line
  int number = FindImageWindow(window);
  if (number < 0) return nullptr;
  return (wparam & MK_CONTROL) ? BuildToolsMenu(number) : BuildImageMenu(number);
}

void ShowContextMenu(HWND window, WPARAM wparam) {
  TrackMenuAtCursor(window, BuildContextMenu(window, wparam));
}

}  // namespace zul
