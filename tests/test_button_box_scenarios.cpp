// The button box in the running program: the open request from the main
// window thread, and the keys the box forwards to the main window.
#include "test_support.h"

namespace {

std::atomic<int32_t> app_main_calls{0};

}  // namespace

TEST(ButtonBoxScenario, RequestFromTheMainWindowThreadOpensAtTheCorner) {
  int code = RunScenario([] {}, [] {}, [] {
    RunOnMainThreadAndWait([] { RequestOpenButtonBox(3, 2); });
    HWND first = ButtonBoxWindow();
    ASSERT_NE(first, nullptr);
    RECT outer;
    GetWindowRect(first, &outer);
    EXPECT_TRUE(outer.left == 0 && outer.top == 0 && button_box.count == 6);
    EXPECT_NE(GetWindowThreadProcessId(first, nullptr), GetCurrentThreadId());
    EXPECT_EQ(GetWindow(first, GW_OWNER), main_window);
    RunOnMainThreadAndWait([] { RequestOpenButtonBox(1, 4); });  // a second request replaces the box
    EXPECT_FALSE(IsWindow(first));
    ASSERT_NE(ButtonBoxWindow(), nullptr);
    EXPECT_TRUE(button_box.nx == 1 && button_box.ny == 4);
    RunOnMainThreadAndWait([] { RequestOpenButtonBox(17, 16); });  // refused: the old box goes, no new one
    EXPECT_EQ(ButtonBoxWindow(), nullptr);
  });
  EXPECT_EQ(code, 0);
}

TEST(ButtonBoxScenario, KeysSAndCAreForwardedToTheMainWindow) {
  app_main_calls = 0;
  auto wait_for_stop = [] {  // as the application's button loop does
    app_main_calls++;
    while (!stop_requested && !quit_state) Sleep(1), PumpWorkerMessages();
  };
  int code = RunScenario([] { ZUL_OpenButtonBox(200, 0, 2, 10); }, wait_for_stop, [] {
    ASSERT_TRUE(WaitUntil([] { return ButtonBoxWindow() != nullptr; }));
    HWND box = ButtonBoxWindow();
    PostMessageW(box, WM_KEYDOWN, 'S', 0);
    ASSERT_TRUE(WaitUntil([] { return running != 0; }));
    EXPECT_EQ(app_main_calls, 1);
    PostMessageW(box, WM_KEYDOWN, 'C', 0);
    ASSERT_TRUE(WaitUntil([] { return running == 0; }));
    PostMessageW(box, WM_KEYDOWN, 'A', 0);  // not forwarded
    PostMessageW(box, WM_KEYDOWN, 'X', 0);  // Exit
    EXPECT_TRUE(WaitUntil([] { return quit_state != 0; }));
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(app_main_calls, 1);
}

TEST(ButtonBoxScenario, EscapeInTheBoxEndsTheProgram) {
  EXPECT_EQ(RunScenario([] { ZUL_OpenButtonBox(200, 0, 2, 10); }, [] {},
                        [] { EXPECT_TRUE(KeyEndsTheProgram(ButtonBoxWindow, VK_ESCAPE)); }),
            0);
}
