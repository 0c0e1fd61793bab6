// The two context menus of an image window item by item, and the decision
// whether a click may open one.
#include <string>
#include <vector>

#include "imagewin_test_util.h"

namespace {

using ImageMenus = ImageWindowTest;

struct Item {
  bool separator;
  UINT id;
  std::string caption;
  bool checked;
  HMENU submenu;
};

Item ReadItem(HMENU menu, int position) {
  wchar_t text[256] = {};
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
  info.dwTypeData = text;
  info.cch = 256;
  EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) << position;
  char caption[256];
  WideToAnsi(text, caption, sizeof caption);
  return Item{(info.fType & MFT_SEPARATOR) != 0, info.wID, caption, (info.fState & MFS_CHECKED) != 0,
              info.hSubMenu};
}

struct Expected {
  int id;  // 0 separator, -1 submenu
  const char* caption;
};

// Every item of `menu` in order, with no check marks and no greyed item.
void ExpectItems(HMENU menu, const std::vector<Expected>& expected) {
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(expected.size()));
  for (size_t i = 0; i < expected.size(); ++i) {
    Item item = ReadItem(menu, static_cast<int>(i));
    UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    EXPECT_EQ(state & (MF_GRAYED | MF_DISABLED), 0u) << "position " << i;
    if (expected[i].id == 0) {
      EXPECT_TRUE(item.separator) << "position " << i;
      continue;
    }
    EXPECT_FALSE(item.separator) << "position " << i;
    EXPECT_EQ(item.caption, expected[i].caption) << "position " << i;
    if (expected[i].id > 0) {
      EXPECT_EQ(item.id, static_cast<UINT>(expected[i].id)) << "position " << i;
      EXPECT_EQ(item.submenu, nullptr) << "position " << i;
    } else {
      EXPECT_NE(item.submenu, nullptr) << "position " << i;
    }
  }
}

bool Checked(HMENU menu, int position) { return ReadItem(menu, position).checked; }

const std::vector<Expected> kImageMenu = {
    {1011, "Cut\tCtrl+X"},    {1012, "Copy\tCtrl+C"},       {1013, "Paste\tCtrl+V"},
    {0, nullptr},             {1004, "&Load image file"},   {1010, "&Save as"},
    {0, nullptr},             {1007, "Zoom: 50%"},          {1008, "Zoom:100%\tCtrl+0"},
    {1009, "Zoom:200%"},      {1046, "&Zoom..."},           {0, nullptr},
    {1047, "&Resize..."},     {1005, "&Destroy\tCtrl+Q"},
};

const std::vector<Expected> kToolsMenu = {
    {-1, "Process..."},       {0, nullptr},       {-1, "Information..."}, {0, nullptr},
    {-1, "Test Pattern..."},  {0, nullptr},       {1019, "Clipping\tCtrl+R"}, {0, nullptr},
    {-1, "Color..."},         {-1, "Draw Line..."}, {-1, "Draw Box..."},  {-1, "Draw Circle..."},
    {-1, "TrueType..."},      {1042, "Draw Text"}, {1043, "Paint"},
};

HMENU Sub(HMENU menu, int position) { return GetSubMenu(menu, position); }

}  // namespace

TEST_F(ImageMenus, ImageMenuItemByItem) {
  MakeImage(1, 160, 120);
  HMENU menu = BuildImageMenu(1);
  ExpectItems(menu, kImageMenu);
  for (int i = 0; i < GetMenuItemCount(menu); ++i) EXPECT_EQ(Checked(menu, i), i == 8) << i;
  DestroyMenu(menu);
}

TEST_F(ImageMenus, ZoomItemsAreCheckedOnlyAtExactly50_100_200) {
  MakeImage(1, 400, 300);
  struct Case {
    int zoom;
    int checked_position;  // -1 none
  };
  for (Case c : {Case{50, 7}, Case{100, 8}, Case{200, 9}, Case{111, -1}, Case{99, -1}, Case{201, -1},
                 Case{51, -1}}) {
    ASSERT_EQ(ZUL_SetZoom(1, c.zoom), 0);
    ASSERT_EQ(image_windows[1].zoom, c.zoom);
    HMENU menu = BuildImageMenu(1);
    for (int position = 7; position <= 9; ++position) {
      EXPECT_EQ(Checked(menu, position), position == c.checked_position)
          << "zoom " << c.zoom << " position " << position;
    }
    DestroyMenu(menu);
  }
}

TEST_F(ImageMenus, HundredPercentOfAPictureLargerThanTheScreenChecksNothing) {
  MakeImage(1, 160, 120);
  ASSERT_EQ(ZUL_ResizeImage(1, 3840, 2160), 0);
  ASSERT_EQ(ZUL_SetZoom(1, 100), 0);
  EXPECT_LT(image_windows[1].zoom, 100);
  HMENU menu = BuildImageMenu(1);
  for (int position = 7; position <= 9; ++position) EXPECT_FALSE(Checked(menu, position));
  DestroyMenu(menu);
}

TEST_F(ImageMenus, ToolsMenuItemByItem) {
  MakeImage(2, 160, 120);
  HMENU menu = BuildToolsMenu(2);
  ExpectItems(menu, kToolsMenu);
  ExpectItems(Sub(menu, 0), {{1058, "Invert"},
                             {0, nullptr},
                             {1061, "R. Rotate"},
                             {1062, "L. Rotate"},
                             {0, nullptr},
                             {1059, "Horz. Flip"},
                             {1060, "Vert. Flip"},
                             {0, nullptr},
                             {1063, "Size 50.0%"},
                             {1064, "Size 70.7%"},
                             {1065, "Size 141.4%"},
                             {1066, "Size 200.0%"}});
  ExpectItems(Sub(menu, 2), {{1015, "Pixel"},
                             {1016, "Line(RGB)"},
                             {1017, "Line(HSV)"},
                             {1018, "Line(YCrCb)"},
                             {1021, "Line(CrCb)"},
                             {0, nullptr},
                             {1022, "Area(CrCb)"}});
  ExpectItems(Sub(menu, 4), {{1053, "RGB"},
                             {1054, "HSV"},
                             {1055, "YCrCb"},
                             {1067, "Yuv"},
                             {1068, "YIQ"},
                             {1071, "Grey"}});
  ExpectItems(Sub(menu, 8), {{1031, "Change"}, {1052, "Pick"}});
  ExpectItems(Sub(menu, 9), {{1032, "Normal"}, {1034, "Horz."}, {1035, "Vert."}});
  ExpectItems(Sub(menu, 10), {{1036, "Normal"}, {1037, "Fill"}, {1038, "Fill XOR"}});
  ExpectItems(Sub(menu, 11), {{1039, "Normal"}, {1040, "Fill"}, {1041, "Fill XOR"}});
  ExpectItems(Sub(menu, 12), {{1048, "Draw"}, {1049, "Font Change"}});
  for (int i = 0; i < GetMenuItemCount(menu); ++i) EXPECT_FALSE(Checked(menu, i));
  DestroyMenu(menu);
}

TEST_F(ImageMenus, EightBitInformationSubmenuHasTwoItems) {
  MakeImage(3, 160, 120, 8);
  HMENU menu = BuildToolsMenu(3);
  ExpectItems(menu, kToolsMenu);
  ExpectItems(Sub(menu, 2), {{1015, "Pixel"}, {1070, "Line(Lumi)"}});
  DestroyMenu(menu);
}

TEST_F(ImageMenus, ClickDecidesWhichMenuOpens) {
  MakeImage(1, 160, 120);
  HWND window = image_windows[1].window;
  HMENU plain = BuildContextMenu(window, MK_RBUTTON);
  ExpectItems(plain, kImageMenu);
  DestroyMenu(plain);
  HMENU tools = BuildContextMenu(window, MK_RBUTTON | MK_CONTROL);
  ExpectItems(tools, kToolsMenu);
  DestroyMenu(tools);

  text_input_pending = 1;  // a text window waits for a line
  EXPECT_EQ(BuildContextMenu(window, MK_RBUTTON), nullptr);
  EXPECT_EQ(BuildContextMenu(window, MK_RBUTTON | MK_CONTROL), nullptr);
  text_input_pending = 0;

  point_tool_active = 1;  // the click belongs to the tool
  EXPECT_EQ(BuildContextMenu(window, MK_RBUTTON), nullptr);
  point_tool_active = 0;

  HMENU again = BuildContextMenu(window, MK_RBUTTON);  // after Enter it works again
  EXPECT_NE(again, nullptr);
  DestroyMenu(again);
  EXPECT_EQ(BuildContextMenu(nullptr, 0), nullptr);
}

// ---- the real click: a popup opens or not --------------------------------------

namespace {

int menus_opened = 0;
WNDPROC original_proc = nullptr;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITMENUPOPUP) ++menus_opened;
  return CallWindowProcW(original_proc, window, message, wparam, lparam);
}

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}

// Sends a button press to the window; any menu it opens is closed by a timer.
int MenusOpenedByClick(HWND window, UINT message, WPARAM wparam) {
  menus_opened = 0;
  original_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
  UINT_PTR timer = SetTimer(nullptr, 0, 200, CloseMenu);
  SendMessageW(window, message, wparam, MAKELPARAM(10, 10));
  KillTimer(nullptr, timer);
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_proc));
  PumpFor(20);
  return menus_opened;
}

}  // namespace

TEST_F(ImageMenus, RightClickWhileTextInputWaitsOpensNoMenu) {
  MakeImage(1, 160, 120);
  HWND window = image_windows[1].window;
  EXPECT_GE(MenusOpenedByClick(window, WM_RBUTTONDOWN, MK_RBUTTON), 1);
  text_input_pending = 1;
  EXPECT_EQ(MenusOpenedByClick(window, WM_RBUTTONDOWN, MK_RBUTTON), 0);
  EXPECT_EQ(MenusOpenedByClick(window, WM_MBUTTONDOWN, MK_MBUTTON), 0);
  text_input_pending = 0;
  EXPECT_GE(MenusOpenedByClick(window, WM_MBUTTONDOWN, MK_MBUTTON), 1);
}
