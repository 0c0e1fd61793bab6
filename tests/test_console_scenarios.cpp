// Whole-program runs: the main window's Input Box command, and the console's
// exit and start reaching the main window.
#include <atomic>

#include "boxes/boxes.h"
#include "main_commands_test_util.h"
#include "typed_answer_util.h"

namespace {

std::atomic<int> console_result{-1};
std::atomic<int> app_main_runs{0};

// AppSetup: text window 0, then one console line.
void OpenWindowAndRunConsole() {
  ZUL_OpenTextWindow(0, 0, 0, -1, -1);
  console_result = ZUL_RunCommandConsole();
}

void CountAppMain() { app_main_runs++; }

}  // namespace

TEST(ConsoleScenario, InputBoxCommandOpensABoxOfTheTypedItemCount) {
  RECT outer = {};
  int code = RunScenario([] {}, [] {}, [&] {
    PostMainCommand(kCmdInputBox);
    ASSERT_TRUE(AnswerPrompt("4"));
    ASSERT_TRUE(WaitUntil([] { return InputBoxWindow() != nullptr && window_request.code == 0; }));
    EXPECT_EQ(InputBoxItemCount(), 4);
    GetWindowRect(InputBoxWindow(), &outer);
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(outer.left, 0);
  EXPECT_EQ(outer.top, 0);
}

TEST(ConsoleScenario, ExitEndsTheProgram) {
  int code = RunScenario(OpenWindowAndRunConsole, [] {}, [] {
    AnswerLater("exit").join();
    WaitUntil([] { return quit_state != 0; }, 5000);
    EXPECT_NE(quit_state, 0);
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(console_result, 0);
}

TEST(ConsoleScenario, StartRunsTheApplication) {
  int code = RunScenario(OpenWindowAndRunConsole, CountAppMain, [] {
    AnswerLater("start").join();
    EXPECT_TRUE(WaitUntil([] { return app_main_runs == 1; }, 5000));
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(console_result, 0);
}
