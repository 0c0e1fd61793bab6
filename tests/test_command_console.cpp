// The command console in the current text window: what each line prints and
// returns, read back through the window's log.
#include "typed_answer_util.h"

namespace {

class CommandConsole : public testing::Test {
 protected:
  void SetUp() override {
    OpenFreshTextWindow(0);
    draw_color = 0x102030;
    zul_tttc = 0xFFFFFF;
    zul_tc = 0;
  }
};

// Runs the console with `line` typed; returns what the log received.
std::string RunWithAnswer(const std::string& line, int* result, std::function<void()> meanwhile = [] {}) {
  StartTestLog(0, "console.log");
  std::thread typist = AnswerLater(line, 5000, meanwhile);
  *result = ZUL_RunCommandConsole();
  typist.join();
  return StopTestLog(0, "console.log");
}

}  // namespace

TEST_F(CommandConsole, EachLinePrintsAndReturnsItsResult) {
  const struct { const char* line; const char* printed; int result; } cases[] = {
      {"help", "Cmd>help\nCommand list:exit help start ver color\n", 0},
      {"color", "Cmd>color\nRed  : 16\nGreen: 32\nBlue : 48\nzul_tttc=ffffff\nzul_tc=000000\n", 0},
      {"HELP", "Cmd>HELP\nInvalid command\n", 1},
      {"help ", "Cmd>help \nInvalid command\n", 1},
      {"exits", "Cmd>exits\nInvalid command\n", 1},
      {"", "Cmd>\nInvalid command\n", 1},
  };
  for (const auto& c : cases) {
    int result = -1;
    EXPECT_EQ(RunWithAnswer(c.line, &result), c.printed) << c.line;
    EXPECT_EQ(result, c.result) << c.line;
  }
}

TEST_F(CommandConsole, VerAsksTheCurrentWindowForItsBanner) {
  int result = -1;
  EXPECT_EQ(RunWithAnswer("ver", &result), "Cmd>ver\n");
  EXPECT_EQ(result, 0);
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, text_windows[0].window, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(message.wParam, 1020u);
}

TEST_F(CommandConsole, AWindowClosedWhileWaitingSendsTheAnswerToTheNextCurrentOne) {
  ASSERT_EQ(ZUL_OpenTextWindow(1, 300, 40, -1, -1), 0);
  ASSERT_EQ(ZUL_SelectTextWindow(0), 0);
  StartTestLog(1, "console1.log");
  int result = -1;
  RunWithAnswer("help", &result, [] { PostMessageW(text_windows[0].window, WM_CLOSE, 0, 0); Sleep(100); });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(StopTestLog(1, "console1.log"), "Invalid command\n");

  for (int n = 0; n < kTextSlots; ++n) ZUL_CloseTextWindow(n);
  EXPECT_EQ(ZUL_RunCommandConsole(), 1);  // no window at all: nothing to print to
}
