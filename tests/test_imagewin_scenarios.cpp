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
