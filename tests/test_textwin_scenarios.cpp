// Whole-program scenarios of the text windows: the application prints and reads a line on the
// worker thread, Exit cancels a pending input or a printing loop into a log, Escape in a text
// window reaches the main window, and the command console starts the application and ends it.
#include <cstring>

#include "text_test_helpers.h"

namespace {

std::atomic<int> input_returned{0};
char typed_line[300];

void OpenWindowZero() { ZUL_OpenTextWindow(0, 100, 100, 198, 198); }

void ReadOneLine() {
  std::memset(typed_line, '#', sizeof typed_line);
  ZUL_Printf("Name>");
  ZUL_Input(typed_line);
  input_returned = 1;
}

std::string Line(int i) { return "line " + std::to_string(i) + " of the exit test"; }

bool StatusSays(const wchar_t* text) {
  return WaitUntil([text] { return MainStatusText().find(text) != std::wstring::npos; });
}

}  // namespace

TEST(TextWindowScenario, ApplicationPrintsAndReadsALineOnTheWorkerThenEscapeExits) {
  auto app = [] {
    ZUL_ClearTextWindow();
    for (int i = 0; i < 3; ++i) ZUL_Printf("parameter %d = %d\n", i, i * 10);
    ReadOneLine();
  };
  ExpectCleanExit(OpenWindowZero, app, [] {
    PostMainCommand(kCmdStart);
    ASSERT_TRUE(WaitUntil([] { return text_input_pending == 1; }));
    EXPECT_TRUE(StatusSays(L"Input text"));
    for (wchar_t c : std::wstring(L"lens\r")) PostMessageW(text_windows[0].window, WM_CHAR, c, 1);
    EXPECT_TRUE(WaitUntil([] { return input_returned == 1; }));
    EXPECT_TRUE(StatusSays(L"-bit color"));
    EXPECT_EQ(text_windows[0].cursor_y, 4 * text_windows[0].char_height);  // 3 lines, the answer
    EXPECT_TRUE(KeyEndsTheProgram([] { return text_windows[0].window; }, VK_ESCAPE));
  });
  EXPECT_STREQ(typed_line, "lens");
}

TEST(TextWindowScenario, ExitCancelsAPendingInput) {
  ExpectCleanExit(OpenWindowZero, ReadOneLine, [] {
    PostMainCommand(kCmdStart);
    ASSERT_TRUE(WaitUntil([] { return text_input_pending == 1; }));
    PostMessageW(text_windows[0].window, WM_CHAR, 'a', 1), Sleep(50);
    PostMainCommand(kCmdExit);
  });
  EXPECT_EQ(input_returned, 1);  // returned before Exit's wait ran out
  EXPECT_STREQ(typed_line, "");
}

TEST(TextWindowScenario, ExitDuringAPrintingLoopLeavesWholeLinesInTheLog) {
  ResetLogs();
  auto print_lines = [] {
    for (int i = 0; i < 2000; ++i) ZUL_Printf("%s\n", Line(i).c_str());
  };
  ExpectCleanExit([] { OpenWindowZero(), ZUL_StartLog(0); }, print_lines,
                  [] {
                    PostMainCommand(kCmdStart);
                    ASSERT_TRUE(WaitUntil([] { return FileBytes(LogPath(0)).size() > 2000; }));
                    PostMainCommand(kCmdExit);
                  });
  std::string bytes = FileBytes(LogPath(0)), expected;
  for (int i = 0; expected.size() < bytes.size(); ++i) expected += Line(i) + "\r\n";
  EXPECT_EQ(bytes, expected);                         // the lines in order, the last one whole
  EXPECT_LT(bytes.size(), 2000 * Line(1000).size());  // Exit came during the loop
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
