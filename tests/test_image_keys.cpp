// Keys, commands and mouse messages of an image window: Ctrl shortcuts,
// keypad zoom, wheel zoom, Tab, keys forwarded to the main window, closing,
// the command table's slot choice and the point-tool feed.
#include <vector>

#include "imagewin_test_util.h"

namespace {

using ImageKeys = ImageWindowTest;
using ImageCommands = ImageWindowTest;
using ImageMouse = ImageWindowTest;

// The WM_COMMAND ids posted to `window` and still waiting, taken off the queue.
std::vector<int> TakePostedCommands(HWND window) {
  std::vector<int> ids;
  MSG message;
  while (PeekMessageW(&message, window, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
    ids.push_back(LOWORD(message.wParam));
  }
  return ids;
}

// Stands in for the main window while a key test runs, collecting the keys
// forwarded to it.
class FakeMainWindow {
 public:
  FakeMainWindow() {
    saved_ = main_window;
    window_ = CreateWindowExW(0, L"STATIC", L"main", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                              nullptr, nullptr);
    main_window = window_;
  }
  ~FakeMainWindow() {
    main_window = saved_;
    DestroyWindow(window_);
  }
  std::vector<WPARAM> TakeKeys() {
    std::vector<WPARAM> keys;
    MSG message;
    while (PeekMessageW(&message, window_, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) {
      keys.push_back(message.wParam);
    }
    return keys;
  }

 private:
  HWND saved_;
  HWND window_;
};

void SendWheel(int number, WPARAM keys, int delta) {
  SendMessageW(image_windows[number].window, WM_MOUSEWHEEL,
               MAKEWPARAM(keys, static_cast<WORD>(static_cast<short>(delta))), MAKELPARAM(5, 5));
}

}  // namespace

TEST_F(ImageKeys, ControlShortcutsPostTheirCommands) {
  MakeImage(1, 160, 120);
  HWND window = image_windows[1].window;
  FakeMainWindow main;
  SendControlKey(1, 'X');
  SendControlKey(1, 'C');
  SendControlKey(1, 'V');
  SendControlKey(1, 'R');
  EXPECT_EQ(TakePostedCommands(window), (std::vector<int>{1011, 1012, 1014, 1019}));
  EXPECT_TRUE(main.TakeKeys().empty());  // Ctrl+X and Ctrl+C are shortcuts here
}

TEST_F(ImageKeys, ControlQAndCloseDestroyTheSlot) {
  MakeImage(1, 160, 120);
  MakeImage(2, 160, 120);
  HWND first = image_windows[1].window;
  SendControlKey(1, 'Q');
  EXPECT_TRUE(WaitUntil([] { return image_windows[1].in_use == 0; }, 2000));
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(image_surfaces[1].width, 0u);

  HWND second = image_windows[2].window;
  EXPECT_EQ(SendMessageW(second, WM_CLOSE, 0, 0), 0);
  EXPECT_FALSE(image_windows[2].in_use);
  EXPECT_FALSE(IsWindow(second));

  MakeImage(3, 160, 120);
  SendKey(3, 'Q');  // without Ctrl: nothing
  PumpFor(50);
  EXPECT_TRUE(image_windows[3].in_use);
}

TEST_F(ImageKeys, KeypadZeroSetsHundredButTheMainKeyboardZeroDoesNot) {
  ASSERT_EQ(ZUL_CreateImage(1, "k", 0, 0, 400, 300, 50), 0);
  SendControlKey(1, '0');
  EXPECT_EQ(image_windows[1].zoom, 50);
  SendKey(1, VK_NUMPAD0);  // without Ctrl
  EXPECT_EQ(image_windows[1].zoom, 50);
  SendControlKey(1, VK_NUMPAD0);
  EXPECT_EQ(image_windows[1].zoom, 100);
  ExpectClientIsView(1);
}

TEST_F(ImageKeys, KeypadPlusAndMinusStepTheZoom) {
  MakeImage(1, 160, 120);
  SendControlKey(1, VK_ADD);
  EXPECT_EQ(image_windows[1].zoom, 111);
  SendControlKey(1, VK_ADD);
  EXPECT_EQ(image_windows[1].zoom, 123);
  SendControlKey(1, VK_SUBTRACT);
  EXPECT_EQ(image_windows[1].zoom, 111);
  SendControlKey(1, VK_SUBTRACT);
  SendControlKey(1, VK_SUBTRACT);
  EXPECT_EQ(image_windows[1].zoom, 90);
  SendKey(1, VK_ADD);  // without Ctrl: nothing
  EXPECT_EQ(image_windows[1].zoom, 90);
  ExpectClientIsView(1);
  EXPECT_EQ(CaptionOf(1), "test(90%)");
}

TEST_F(ImageKeys, KeypadMinusAtTheSmallestZoomIsRaisedToTheMinimumSize) {
  ASSERT_EQ(ZUL_CreateImage(1, "k", 0, 0, 4000, 10, 100), 0);
  int smallest = image_windows[1].zoom;
  SendControlKey(1, VK_SUBTRACT);
  EXPECT_LE(image_windows[1].zoom, smallest);
  EXPECT_GE(image_windows[1].zoom, 1);
  ExpectClientIsView(1);
}

TEST_F(ImageKeys, ControlWheelStepsTheZoom) {
  MakeImage(1, 160, 120);
  SendWheel(1, MK_CONTROL, -WHEEL_DELTA);  // toward the user
  EXPECT_EQ(image_windows[1].zoom, 111);
  SendWheel(1, MK_CONTROL, WHEEL_DELTA);   // away
  EXPECT_EQ(image_windows[1].zoom, 100);
  SendWheel(1, MK_CONTROL, WHEEL_DELTA);
  EXPECT_EQ(image_windows[1].zoom, 90);
  SendWheel(1, 0, WHEEL_DELTA);            // without Ctrl
  SendWheel(1, MK_CONTROL, 0);             // no turn
  EXPECT_EQ(image_windows[1].zoom, 90);
  ExpectClientIsView(1);
}

TEST_F(ImageKeys, TabAndControlTabToggleSmoothing) {
  MakeImage(1, 160, 120);
  SendKey(1, VK_TAB);
  EXPECT_EQ(ZUL_GetStretchMode(1), HALFTONE);
  EXPECT_EQ(CaptionOf(1), "test(100%)*");
  SendControlKey(1, VK_TAB);
  EXPECT_EQ(ZUL_GetStretchMode(1), COLORONCOLOR);
  EXPECT_EQ(CaptionOf(1), "test(100%)");
}

TEST_F(ImageKeys, MainWindowKeysAreForwarded) {
  MakeImage(1, 160, 120);
  FakeMainWindow main;
  for (WPARAM key : {WPARAM{'X'}, WPARAM{VK_ESCAPE}, WPARAM{'S'}, WPARAM{'C'}, WPARAM{'A'},
                     WPARAM{VK_RETURN}}) {
    SendKey(1, key);
  }
  SendControlKey(1, 'S');  // not a Ctrl shortcut: forwarded as it is
  EXPECT_EQ(main.TakeKeys(),
            (std::vector<WPARAM>{'X', VK_ESCAPE, 'S', 'C', 'S'}));
  EXPECT_TRUE(TakePostedCommands(image_windows[1].window).empty());
}

TEST_F(ImageKeys, KeysAreIgnoredWhileAPointToolWaits) {
  MakeImage(1, 160, 120);
  MakeImage(2, 160, 120);
  FakeMainWindow main;
  point_tool_active = 1;
  point_tool_window = 2;
  SendControlKey(1, VK_ADD);
  SendKey(1, VK_TAB);
  SendKey(2, VK_ESCAPE);
  SendControlKey(2, 'Q');
  point_tool_active = 0;
  point_tool_window = -1;
  EXPECT_EQ(image_windows[1].zoom, 100);
  EXPECT_EQ(ZUL_GetStretchMode(1), COLORONCOLOR);
  EXPECT_TRUE(main.TakeKeys().empty());
  EXPECT_TRUE(TakePostedCommands(image_windows[2].window).empty());
}

TEST_F(ImageCommands, ZoomItemsAndDestroy) {
  MakeImage(1, 400, 300);
  SendCommand(1, kIwZoom200);
  EXPECT_EQ(image_windows[1].zoom, 200);
  ExpectClientIsView(1);
  SendCommand(1, kIwZoom50);
  EXPECT_EQ(image_windows[1].zoom, 50);
  SendCommand(1, kIwZoom100);
  EXPECT_EQ(image_windows[1].zoom, 100);
  EXPECT_EQ(CaptionOf(1), "test(100%)");
  SendCommand(1, 1006);  // no such command
  SendCommand(1, 2001);
  EXPECT_TRUE(image_windows[1].in_use);
  HWND window = image_windows[1].window;
  SendCommand(1, kIwDestroy);
  EXPECT_FALSE(image_windows[1].in_use);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(ImageCommands, CommandsOnTheCurrentImageActivateTheirWindow) {
  MakeImage(1, 160, 120);
  MakeImage(2, 160, 120);
  ASSERT_EQ(current_image, 2);
  SendCommand(1, kIwZoom200);  // acts on the slot, which stays not current
  EXPECT_EQ(current_image, 2);
  SendCommand(1, kIwPatternRgb);  // acts on the current image window
  EXPECT_EQ(current_image, 1);
  EXPECT_EQ(ImageHistoryEntry(0), 2);
  EXPECT_EQ(ActivateImageWindow(nullptr), -1);
  EXPECT_EQ(current_image, 1);
}

TEST_F(ImageMouse, ClientPositionsBecomeImagePositions) {
  EXPECT_EQ(ClientToImage(101, 200), 50);
  EXPECT_EQ(ClientToImage(51, 200), 25);
  EXPECT_EQ(ClientToImage(34, 35), 97);
  EXPECT_EQ(ClientToImage(0, 35), 0);
  EXPECT_EQ(ClientToImage(65535, 100), 65535);
}

TEST_F(ImageMouse, PointToolFeedOnlyForTheToolsWindow) {
  ASSERT_EQ(ZUL_CreateImage(1, "a", 0, 0, 160, 120, 200), 0);
  MakeImage(2, 160, 120);
  HWND tool_window = image_windows[1].window;
  HWND other = image_windows[2].window;
  point_moved = point_clicked = point_cancelled = 0;
  point_tool_active = 1;
  point_tool_window = 1;
  SendMessageW(other, WM_MOUSEMOVE, 0, MAKELPARAM(40, 40));
  SendMessageW(other, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 40));
  SendMessageW(other, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 40));  // no menu either
  EXPECT_EQ(point_moved, 0);
  EXPECT_EQ(point_clicked, 0);
  EXPECT_EQ(point_cancelled, 0);
  SendMessageW(tool_window, WM_MOUSEMOVE, 0, MAKELPARAM(101, 51));
  EXPECT_EQ(point_moved, 1);
  EXPECT_EQ(point_move_x, 50);
  EXPECT_EQ(point_move_y, 25);
  SendMessageW(tool_window, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(21, 9));
  EXPECT_EQ(point_clicked, 1);
  EXPECT_EQ(point_click_x, 10);
  EXPECT_EQ(point_click_y, 4);
  EXPECT_EQ(mouse_shift, 1);
  SendMessageW(tool_window, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(1, 1));
  EXPECT_EQ(point_cancelled, 1);
  point_tool_active = 0;
  point_tool_window = -1;
  point_moved = point_clicked = point_cancelled = 0;
  SendMessageW(tool_window, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  SendMessageW(tool_window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_EQ(point_moved, 0);
  EXPECT_EQ(point_clicked, 0);
}

TEST_F(ImageMouse, TrackingOnlyWhenAsked) {
  ASSERT_EQ(ZUL_CreateImage(4, "t", 0, 0, 160, 120, 200), 0);
  HWND window = image_windows[4].window;
  mouse_window = mouse_x = mouse_y = -7;
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
  EXPECT_EQ(mouse_x, -7);
  mouse_tracking = 1;
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL | MK_SHIFT, MAKELPARAM(30, 61));
  mouse_tracking = 0;
  EXPECT_EQ(mouse_window, 4);
  EXPECT_EQ(mouse_x, 15);
  EXPECT_EQ(mouse_y, 30);
  EXPECT_EQ(mouse_left, 1);
  EXPECT_EQ(mouse_middle, 0);
  EXPECT_EQ(mouse_ctrl, 8);
  EXPECT_EQ(mouse_shift, 4);
}
