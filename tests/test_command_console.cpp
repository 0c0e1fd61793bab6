// The command console: what each line prints (read back through the text
// window's log) and returns, and, in a whole-program run, start and exit.
#include "text_test_helpers.h"

TEST(CommandConsole, EachLinePrintsAndReturnsItsResult) {
  OpenFreshTextWindow(0);
  draw_color = 0x102030, zul_tttc = 0xFFFFFF, zul_tc = 0;
  const struct {
    const char* line;
    const char* printed;
    int result;
  } cases[] = {
      {"help", "Cmd>help\nCommand list:exit help start ver color\n", 0},
      {"color", "Cmd>color\nRed  : 16\nGreen: 32\nBlue : 48\nzul_tttc=ffffff\nzul_tc=000000\n", 0},
      {"HELP", "Cmd>HELP\nInvalid command\n", 1},
      {"help ", "Cmd>help \nInvalid command\n", 1},
      {"", "Cmd>\nInvalid command\n", 1},
      {"ver", "Cmd>ver\n", 0},  // last: its banner comes later
  };
  int result = -1;
  auto console = [&] { result = ZUL_RunCommandConsole(); };
  for (const auto& c : cases) {
    EXPECT_EQ(LoggedWhile(0, [&] { AnsweredWhile(c.line, console); }), c.printed) << c.line;
    EXPECT_EQ(result, c.result) << c.line;
  }
  MSG about;  // "ver" asked the window for its About banner
  EXPECT_TRUE(PeekMessageW(&about, text_windows[0].window, WM_COMMAND, WM_COMMAND, PM_REMOVE) &&
              about.wParam == 1020);
  // The window closed while the line is awaited: the answer is "" for the next current one.
  ASSERT_EQ(ZUL_OpenTextWindow(1, 300, 40, -1, -1), 0);
  ZUL_SelectTextWindow(0);
  auto close_window = [] { PostMessageW(text_windows[0].window, WM_CLOSE, 0, 0), Sleep(100); };
  EXPECT_EQ(LoggedWhile(1, [&] { AnsweredWhile("help", console, close_window); }),
            "Invalid command\n");
  EXPECT_EQ(result, 1);
  ZUL_CloseTextWindow(1);
  EXPECT_EQ(ZUL_RunCommandConsole(), 1);  // no window at all
}

// A console line in the set-up says "start", which runs the application; its
// own console line says "exit", which ends the program.
TEST(ConsoleScenario, StartRunsTheApplicationAndExitEndsTheProgram) {
  static std::atomic<int> setup_result{-1}, main_result{-1}, app_main_runs{0};
  auto setup = [] { ZUL_OpenTextWindow(0, 0, 0, -1, -1), setup_result = ZUL_RunCommandConsole(); };
  ExpectCleanExit(
      setup, [] { app_main_runs++, main_result = ZUL_RunCommandConsole(); },
      [] {
        AnswerLater("start").join();
        ASSERT_TRUE(WaitUntil([] { return app_main_runs == 1; }));
        AnswerLater("exit").join();
        EXPECT_TRUE(WaitUntil([] { return quit_state != 0; }));
      });
  EXPECT_TRUE(setup_result == 0 && main_result == 0);
}
