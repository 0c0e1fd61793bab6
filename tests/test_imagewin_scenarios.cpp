// Whole-program scenarios of image windows on the worker thread: X and Esc
// end the program as in the main window; Ctrl keys act on the worker's window.
#include "test_support.h"

namespace {

void KeyInImageWindowExits(WPARAM key) {
  int code = RunScenario([] { ZUL_CreateImage(3, "pic", 300, 300, 160, 120, 100); }, [] {}, [key] {
    EXPECT_TRUE(KeyEndsTheProgram([] { return image_windows[3].in_use ? image_windows[3].window : nullptr; }, key));
  });
  EXPECT_EQ(code, 0);
}

}  // namespace

TEST(ImageWindowScenario, EscapeInAnImageWindowExits) { KeyInImageWindowExits(VK_ESCAPE); }

TEST(ImageWindowScenario, XInAnImageWindowExits) { KeyInImageWindowExits('X'); }

TEST(ImageWindowScenario, ControlKeysOnTheWorkersWindow) {
  int zoom_after_main_zero = 0, zoom_after_keypad_zero = 0;
  bool destroyed = false;
  int code = RunScenario([] { ZUL_CreateImage(2, "pic", 300, 300, 400, 300, 50); }, [] {}, [&] {
    ASSERT_TRUE(WaitUntil([] { return image_windows[2].in_use != 0; }));
    HWND window = image_windows[2].window;
    SendControlKey(window, '0');
    Sleep(50);
    zoom_after_main_zero = image_windows[2].zoom;
    SendControlKey(window, VK_NUMPAD0);
    WaitUntil([] { return image_windows[2].zoom == 100; }, 2000);
    zoom_after_keypad_zero = image_windows[2].zoom;
    SendControlKey(window, 'Q');
    destroyed = WaitUntil([&] { return image_windows[2].in_use == 0 && !IsWindow(window); }, 2000);
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(zoom_after_main_zero, 50);
  EXPECT_EQ(zoom_after_keypad_zero, 100);
  EXPECT_TRUE(destroyed);
}
