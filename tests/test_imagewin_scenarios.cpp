// Whole-program scenarios of image windows: Esc pressed in an image window
// ends the program as in the main window.
#include <gtest/gtest.h>

#include "surfaces/surfaces.h"
#include "test_support.h"

TEST(ImageWindowScenario, EscapeInAnImageWindowExits) {
  int code = RunScenario([] { ZUL_CreateImage(0, "pic", 300, 300, 160, 120, 100); }, [] {}, [] {
    ASSERT_TRUE(WaitUntil([] { return image_windows[0].in_use != 0; }));
    HWND main = main_window;
    PostMessageW(image_windows[0].window, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(main); }, 5000));
  });
  EXPECT_EQ(code, 0);
}

TEST(ImageWindowScenario, XInAnImageWindowExits) {
  int code = RunScenario([] { ZUL_CreateImage(3, "pic", 300, 300, 160, 120, 100); }, [] {}, [] {
    ASSERT_TRUE(WaitUntil([] { return image_windows[3].in_use != 0; }));
    HWND main = main_window;
    PostMessageW(image_windows[3].window, WM_KEYDOWN, 'X', 1);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(main); }, 5000));
  });
  EXPECT_EQ(code, 0);
}

namespace {

// Holds or releases Ctrl for the thread that owns `window` (the worker).
void SetWorkerControlKey(HWND window, bool down) { HoldControlKey(down, window); }

void SendControlKeyToWorker(HWND window, WPARAM key) {
  SetWorkerControlKey(window, true);
  SendMessageW(window, WM_KEYDOWN, key, 1);
  SetWorkerControlKey(window, false);
}

}  // namespace

TEST(ImageWindowScenario, ControlKeysOnTheWorkersWindow) {
  int zoom_after_main_zero = 0, zoom_after_keypad_zero = 0;
  bool destroyed = false;
  int code = RunScenario([] { ZUL_CreateImage(2, "pic", 300, 300, 400, 300, 50); }, [] {}, [&] {
    ASSERT_TRUE(WaitUntil([] { return image_windows[2].in_use != 0; }));
    HWND window = image_windows[2].window;
    SendControlKeyToWorker(window, '0');
    Sleep(50);
    zoom_after_main_zero = image_windows[2].zoom;
    SendControlKeyToWorker(window, VK_NUMPAD0);
    WaitUntil([] { return image_windows[2].zoom == 100; }, 2000);
    zoom_after_keypad_zero = image_windows[2].zoom;
    SendControlKeyToWorker(window, 'Q');
    destroyed = WaitUntil([&] { return image_windows[2].in_use == 0 && !IsWindow(window); }, 2000);
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(zoom_after_main_zero, 50);
  EXPECT_EQ(zoom_after_keypad_zero, 100);
  EXPECT_TRUE(destroyed);
}
