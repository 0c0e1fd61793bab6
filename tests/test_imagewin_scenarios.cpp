// Whole-program scenarios of image windows on the worker thread: X and Esc
// end the program as in the main window; Ctrl keys act on the worker's window.
#include "test_support.h"

// A process starts the framework once: one case per key.
void KeyInImageWindowExits(WPARAM key) {
  EXPECT_EQ(
      RunScenario([] { ZUL_CreateImage(3, "pic", 300, 300, 160, 120, 100); }, [] {},
                  [key] {
                    EXPECT_TRUE(KeyEndsTheProgram(
                        [] { return image_windows[3].in_use ? image_windows[3].window : nullptr; }, key));
                  }),
      0);
}

TEST(ImageWindowScenario, EscapeInAnImageWindowExits) { KeyInImageWindowExits(VK_ESCAPE); }
TEST(ImageWindowScenario, XInAnImageWindowExits) { KeyInImageWindowExits('X'); }

TEST(ImageWindowScenario, ControlKeysOnTheWorkersWindow) {
  std::vector<int> zooms;  // after Ctrl+0 on the main keys (nothing), on the keypad (100 %)
  bool destroyed = false;
  int code = RunScenario([] { ZUL_CreateImage(2, "pic", 300, 300, 400, 300, 50); }, [] {},
                         [&] {
                           ASSERT_TRUE(WaitUntil([] { return image_windows[2].in_use != 0; }));
                           HWND window = image_windows[2].window;
                           for (WPARAM key : {WPARAM{'0'}, WPARAM{VK_NUMPAD0}}) {
                             SendControlKey(window, key);  // sent: handled when this returns
                             zooms.push_back(image_windows[2].zoom);
                           }
                           SendControlKey(window, 'Q');
                           destroyed = WaitUntil(
                               [&] { return image_windows[2].in_use == 0 && !IsWindow(window); }, 2000);
                         });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(zooms, (std::vector<int>{50, 100}));
  EXPECT_TRUE(destroyed);
}
