// Live image windows: zoom and resize with their view fit and captions, the
// typed prompts, keys, commands, the point-tool feed and the context menus.
#include <array>
#include <thread>

#include "image_test_helpers.h"

namespace {

using ImageWin = ImageWindowTest;

// Whether window n has the zoom a window asked for 0 gets: the smallest whole percentage at
// which its view reaches the minimum window size.
bool AtMinimumSizeZoom(int n) {
  const ImageWindow& w = image_windows[n];
  const ScreenMetrics m = ReadScreenMetrics();
  auto reaches = [&](int z) {
    return w.width * z / 100 >= m.min_width && w.height * z / 100 >= m.min_height;
  };
  return reaches(w.zoom) && !reaches(w.zoom - 1);
}

void SendKey(int n, WPARAM key, bool ctrl = false) {
  ctrl ? SendControlKey(n, key) : void(SendMessageW(image_windows[n].window, WM_KEYDOWN, key, 1));
}

// The WM_COMMAND ids / WM_KEYDOWN keys waiting for `window`, taken off the queue.
std::vector<WPARAM> Take(HWND window, UINT message) {
  std::vector<WPARAM> taken;
  MSG m;
  while (PeekMessageW(&m, window, message, message, PM_REMOVE)) taken.push_back(LOWORD(m.wParam));
  return taken;
}

void PointToolWaitsOn(int n) { point_tool_active = n >= 0, point_tool_window = n; }  // -1: none

// The slot number window n's own procedure finds while it is resized.
int slot_seen_while_sizing = 0;
WNDPROC original_proc = nullptr;
LRESULT CALLBACK SizeProbe(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SIZE) slot_seen_while_sizing = FindImageWindow(window);
  return CallWindowProcW(original_proc, window, message, wparam, lparam);
}

// Sends a button press; a timer counts and closes the menu it opens.
int menus_opened = 0;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  menus_opened += VisiblePopupMenu() != nullptr;
  EndMenu();
}
int MenusOpenedByClick(HWND window, UINT message, WPARAM wparam) {
  menus_opened = 0;
  UINT_PTR timer = SetTimer(nullptr, 0, 200, CloseMenu);
  SendMessageW(window, message, wparam, MAKELPARAM(10, 10));
  KillTimer(nullptr, timer), PumpFor(20);
  return menus_opened;
}

// Runs `command` on window n while another thread types `lines` into text window 0, one a prompt.
void RunWhileTyping(int n, int command, const std::vector<const char*>& lines) {
  std::thread typist([&] {
    for (const char* line : lines) EXPECT_TRUE(AnswerPrompt(line)) << line;
  });
  SendCommand(n, command);
  typist.join();
}

}  // namespace

TEST(ImageZoomRules, StepsAndTypedNumbers) {
  for (auto [zoom, up, down] :
       {std::array{100, 111, 90}, {111, 123, 100}, {90, 100, 81}, {1, 1, 1}})
    EXPECT_EQ(std::pair(ZoomStepUp(zoom), ZoomStepDown(zoom)), std::pair(up, down)) << zoom;
  EXPECT_EQ(ZoomStepUp(2147483647), 2147483647);  // clamped, no overflow
  // clang-format off
  for (auto [typed, value] : {std::pair{"250", 250}, {"  -7", -7}, {"12abc", 12}, {"abc", 0},
       {"", 0}, {"99999999999999999999999", 2147483647}, {"-99999999999", -2147483647 - 1}})
    EXPECT_EQ(ParseTypedNumber(typed), value) << typed;
  // clang-format on
  for (auto [client, zoom, image] :
       {std::array{101, 200, 50}, {51, 200, 25}, {34, 35, 97}, {65535, 100, 65535}})
    EXPECT_EQ(ClientToImage(client, zoom), image);
}

TEST_F(ImageWin, SetZoomFitsTheViewKeepsPositionAndSurface) {
  ASSERT_EQ(ZUL_CreateImage(3, "pic", 10, 10, 400, 300, 100), 0);
  FillImage(400, 300, TestColor);
  std::vector<uint8_t> before = SurfaceBytesOf(3);
  long corner = CornerOf(3);
  HWND window = image_windows[3].window;
  original_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SizeProbe)));
  slot_seen_while_sizing = 99;
  for (int zoom : {50, 200, 37, 123}) {
    ASSERT_EQ(ZUL_SetZoom(3, zoom), 0) << zoom;
    EXPECT_EQ(image_windows[3].view_width * 1000 + image_windows[3].view_height,
              4 * zoom * 1000 + 3 * zoom);
    ExpectClientIsView(3);
    EXPECT_EQ(CaptionOf(3), "pic(" + std::to_string(zoom) + "%)");
  }
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_proc));
  // The slot is out of use while the window is resized.
  EXPECT_TRUE(slot_seen_while_sizing == -1 && CornerOf(3) == corner && SurfaceBytesOf(3) == before);
  for (int zoom : {0, -5, -2147483647 - 1})
    EXPECT_TRUE(ZUL_SetZoom(3, zoom) == 0 && AtMinimumSizeZoom(3)) << zoom;
  // Larger than the screen: cut back (the fitting examples check the exact zoom).
  ASSERT_TRUE(ZUL_ResizeImage(3, 3840, 2160) == 0 && ZUL_SetZoom(3, 5000) == 0);
  EXPECT_LT(image_windows[3].zoom, 100);
  EXPECT_EQ((std::vector{ZUL_SetZoom(7, 100), ZUL_SetZoom(-1, 100), ZUL_ResizeImage(256, 10, 10),
                         ZUL_SetStretchMode(HALFTONE, 7), ZUL_GetStretchMode(300)}),
            (std::vector{1, 1, 1, 1, 0}));
}

TEST_F(ImageWin, ResizeGivesAnEmptySurfaceAndKeepsPaletteModeAndPlace) {
  ASSERT_EQ(ZUL_CreateImage8(8, "pal", 30, 40, 200, 200, 150), 0);
  auto colors = MakePalette([](int i) { return RGBQUAD{BYTE(255 - i), 7, BYTE(i), 0}; });
  ASSERT_EQ(ZUL_SetPalette(colors.data(), 256), 0);
  ZUL_SetPixel(1, 1, 77);
  ToggleStretchMode(8);
  long corner = CornerOf(8);
  MakeImage(1, 40, 40);  // another window is current
  ASSERT_EQ(ZUL_ResizeImage(8, 150, 70), 0);
  EXPECT_EQ(CaptionOf(8), "pal(150%)[8bit]*");  // 8 bits, zoom and smoothing kept
  EXPECT_TRUE(ZUL_GetStretchMode(8) == HALFTONE && current_image == 8 && CornerOf(8) == corner);
  EXPECT_EQ(PaletteOf(8), std::string(reinterpret_cast<char*>(colors.data()), 1024));
  EXPECT_EQ(ValuesOf(8), Values(150 * 70, 0));
  ExpectClientIsView(8);
  ASSERT_EQ(ZUL_ResizeImage(8, 0, -20), 0);  // sizes below one become one
  EXPECT_EQ(image_windows[8].width, 1);
  // A failed recreation leaves the slot free and no window behind.
  EXPECT_EQ(ZUL_ResizeImage(8, 100000, 100000) * 10 + ZUL_ResizeImage(1, 1, 10000000), 32);
  EXPECT_FALSE(image_windows[8].in_use || image_windows[1].in_use);
  EXPECT_EQ(FindWindowW(L"zul_iw", nullptr), nullptr);
}

TEST_F(ImageWin, ZoomAndResizePromptsInTextWindowZero) {
  CloseAllTextWindows();
  ZUL_OpenTextWindow(3, 600, 100, -1, -1);  // current, but the prompts use window 0
  MakeImage(6, 100, 80);
  RunWhileTyping(6, kIwZoomPrompt, {"250"});
  EXPECT_TRUE(current_text_window == 0 && image_windows[6].zoom == 250);
  ExpectClientIsView(6);
  EXPECT_TRUE(ShowsPrinted(0, "[6] Zoom(%)=250\n", 1));
  RunWhileTyping(6, kIwZoomPrompt, {"lots"});
  EXPECT_TRUE(AtMinimumSizeZoom(6));
  ZUL_ClearTextWindow(), MakeImage(2, 50, 50);
  RunWhileTyping(6, kIwResizePrompt, {"64", "48"});
  EXPECT_TRUE(image_windows[6].width == 64 && image_windows[6].height == 48 && current_image == 6);
  EXPECT_TRUE(ShowsPrinted(0, "[6] New x-size(pixel)=64\n[6] New y-size(pixel)=48\n", 2));
  CloseAllTextWindows();
}

TEST_F(ImageWin, KeysZoomSmoothPostAndForward) {
  ASSERT_EQ(ZUL_CreateImage(1, "k", 0, 0, 400, 300, 50), 0);
  HWND window = image_windows[1].window;
  HWND saved_main = main_window;  // a stand-in main window collects forwarded keys
  main_window = CreateWindowExW(0, L"STATIC", L"main", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                nullptr, nullptr);
  // clang-format off
  const int zooms[][3] = {{'0', 1, 50}, {VK_NUMPAD0, 0, 50}, {VK_NUMPAD0, 1, 100}, {VK_ADD, 1, 111},
                          {VK_ADD, 1, 123}, {VK_SUBTRACT, 1, 111}, {VK_SUBTRACT, 1, 100},
                          {VK_ADD, 0, 100}};  // key, with Ctrl, zoom after
  const int wheel[][3] = {{MK_CONTROL, -WHEEL_DELTA, 111}, {MK_CONTROL, WHEEL_DELTA, 100},
                          {MK_CONTROL, WHEEL_DELTA, 90}, {0, WHEEL_DELTA, 90}, {MK_CONTROL, 0, 90}};
  // clang-format on
  for (auto [key, ctrl, zoom] : zooms)
    EXPECT_EQ((SendKey(1, key, ctrl), image_windows[1].zoom), zoom) << key << (ctrl ? " Ctrl" : "");
  for (auto [keys, delta, zoom] : wheel) {  // keys, turn, zoom after
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(keys, WORD(short(delta))), MAKELPARAM(5, 5));
    EXPECT_EQ(image_windows[1].zoom, zoom);
  }
  ExpectClientIsView(1);
  EXPECT_EQ((SendKey(1, VK_TAB), CaptionOf(1)), "k(90%)*");
  EXPECT_EQ((SendKey(1, VK_TAB, true), CaptionOf(1)), "k(90%)");
  for (WPARAM key : {'X', 'C', 'V', 'R'}) SendKey(1, key, true);
  EXPECT_EQ(Take(window, WM_COMMAND),
            (std::vector<WPARAM>{kIwCut, kIwCopy, kIwPasteTopLeft, kIwClipping}));
  for (WPARAM key : std::initializer_list<WPARAM>{'X', VK_ESCAPE, 'S', 'C', 'A', VK_RETURN})
    SendKey(1, key);
  SendKey(1, 'S', true);  // no shortcut: forwarded as it is
  EXPECT_EQ(Take(main_window, WM_KEYDOWN), (std::vector<WPARAM>{'X', VK_ESCAPE, 'S', 'C', 'S'}));
  PointToolWaitsOn(1);  // while a point tool waits, keys do nothing
  SendKey(1, VK_ADD, true), SendKey(1, VK_ESCAPE), SendKey(1, 'Q', true), PointToolWaitsOn(-1);
  EXPECT_TRUE(image_windows[1].zoom == 90 && Take(main_window, WM_KEYDOWN).empty());
  DestroyWindow(main_window), main_window = saved_main;
  EXPECT_TRUE((SendKey(1, 'Q'), image_windows[1].in_use));  // without Ctrl: nothing
  SendKey(1, 'Q', true);
  EXPECT_TRUE(WaitUntil([&] { return image_windows[1].in_use == 0 && !IsWindow(window); }, 2000));
  MakeImage(2, 160, 120);
  EXPECT_TRUE(!SendMessageW(image_windows[2].window, WM_CLOSE, 0, 0) && !image_windows[2].in_use);
}

TEST_F(ImageWin, MouseFeedsThePointToolOfItsWindowOnly) {
  ASSERT_EQ(ZUL_CreateImage(1, "a", 0, 0, 160, 120, 200), 0);
  MakeImage(2, 160, 120);
  HWND tool = image_windows[1].window, other = image_windows[2].window;
  point_moved = point_clicked = point_cancelled = 0;
  PointToolWaitsOn(1);
  for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN}) SendMessageW(other, m, 0, 40 << 16);
  EXPECT_EQ(point_moved + point_clicked + point_cancelled, 0);
  SendMessageW(tool, WM_MOUSEMOVE, 0, MAKELPARAM(101, 51));
  SendMessageW(tool, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(21, 9));
  SendMessageW(tool, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(1, 1));
  EXPECT_EQ((std::vector<int>{point_moved, point_move_x, point_move_y, point_clicked, point_click_x,
                              point_click_y, mouse_shift, point_cancelled}),
            (std::vector<int>{1, 50, 25, 1, 10, 4, 1, 1}));
  PointToolWaitsOn(-1), mouse_x = -7;
  SendMessageW(tool, WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
  EXPECT_EQ(mouse_x, -7);  // no tracking unless asked
  mouse_tracking = 1;
  SendMessageW(tool, WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL | MK_SHIFT, MAKELPARAM(30, 61));
  mouse_tracking = 0;
  EXPECT_EQ((std::vector<int>{mouse_window, mouse_x, mouse_y, mouse_left, mouse_middle, mouse_ctrl,
                              mouse_shift}),
            (std::vector<int>{1, 15, 30, 1, 0, 8, 4}));
}

TEST_F(ImageWin, ContextMenusOpenOnlyWhenNothingWaitsAndTheirCommandsChooseTheirSlot) {
  MakeImage(1, 400, 300);
  HWND window = image_windows[1].window;
  // The zoom items are checked at exactly 50, 100 and 200 percent.
  for (auto [zoom, checked] : {std::pair{50, 7}, {100, 8}, {200, 9}, {111, 0}, {99, 0}, {201, 0}}) {
    ASSERT_EQ(ZUL_SetZoom(1, zoom), 0);
    HMENU menu = BuildImageMenu(1);
    for (int at = 7; at <= 9; ++at)
      EXPECT_EQ(bool(GetMenuState(menu, at, MF_BYPOSITION) & MF_CHECKED), at == checked) << at;
    DestroyMenu(menu);
  }
  for (int waiting : {0, 1}) {  // nothing opens while a text window waits for a line
    text_input_pending = waiting;
    EXPECT_EQ(MenusOpenedByClick(window, WM_RBUTTONDOWN, MK_RBUTTON) +
                  MenusOpenedByClick(window, WM_MBUTTONDOWN, MK_MBUTTON),
              2 - 2 * waiting);
  }
  text_input_pending = 0;
  point_tool_active = 1;  // the click belongs to the tool
  HMENU menu = BuildContextMenu(window, MK_RBUTTON | MK_CONTROL);
  point_tool_active = 0;
  EXPECT_TRUE(menu == nullptr && BuildContextMenu(nullptr, 0) == nullptr);
  MakeImage(2, 160, 120);
  for (auto [id, zoom] : {std::pair{kIwZoom200, 200}, {kIwZoom50, 50}, {kIwZoom100, 100}})
    EXPECT_EQ((SendCommand(1, id), image_windows[1].zoom), zoom);  // on the slot, still not current
  EXPECT_EQ(current_image, 2);
  SendCommand(1, kIwPatternRgb);  // acts on the current image window: 1 is activated
  EXPECT_TRUE(current_image == 1 && ImageHistoryEntry(0) == 2);
  SendCommand(1, 2001), SendCommand(1, kIwDestroy);  // no such command; then Destroy
  EXPECT_FALSE(IsWindow(window));
}
