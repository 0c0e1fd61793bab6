// Whole-program scenarios of the text windows: the application prints and
// reads a line on the worker thread, Exit cancels a pending input or a
// printing loop into a log, Escape in a text window reaches the main window.
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

}  // namespace

TEST(TextWindowScenario, ApplicationPrintsAndReadsALineOnTheWorker) {
  std::wstring status_waiting, status_after;
  int lines_y = -1;
  auto app = [] {
    ZUL_ClearTextWindow();
    for (int i = 0; i < 3; ++i) ZUL_Printf("parameter %d = %d\n", i, i * 10);
    ReadOneLine();
  };
  int code = RunScenario(OpenWindowZero, app, [&] {
    PostMainCommand(kCmdStart);
    ASSERT_TRUE(WaitUntil([] { return text_input_pending == 1; }));
    WaitUntil([] { return MainStatusText().find(L"Input text") != std::wstring::npos; });
    status_waiting = MainStatusText();
    for (wchar_t c : std::wstring(L"lens\r")) PostMessageW(text_windows[0].window, WM_CHAR, c, 1);
    EXPECT_TRUE(WaitUntil([] { return input_returned == 1; }));
    WaitUntil([] { return MainStatusText().find(L"bit color") != std::wstring::npos; });
    status_after = MainStatusText();
    lines_y = text_windows[0].cursor_y;
  });
  EXPECT_EQ(code, 0);
  EXPECT_STREQ(typed_line, "lens");
  EXPECT_EQ(lines_y, 4 * text_windows[0].char_height);  // three lines and the answered one
  EXPECT_NE(status_waiting.find(L"Input text"), std::wstring::npos);
  EXPECT_NE(status_after.find(L"-bit color"), std::wstring::npos);
}

TEST(TextWindowScenario, ExitCancelsAPendingInput) {
  int code = RunScenario(OpenWindowZero, ReadOneLine, [&] {
    PostMainCommand(kCmdStart);
    ASSERT_TRUE(WaitUntil([] { return text_input_pending == 1; }));
    PostMessageW(text_windows[0].window, WM_CHAR, 'a', 1);
    Sleep(50);
    PostMainCommand(kCmdExit);
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(input_returned, 1);  // returned before Exit's wait ran out
  EXPECT_STREQ(typed_line, "");
}

TEST(TextWindowScenario, EscapeInATextWindowExits) {
  auto window = [] { return text_windows[0].in_use ? text_windows[0].window : nullptr; };
  EXPECT_EQ(RunScenario(OpenWindowZero, [] {}, [&] { EXPECT_TRUE(KeyEndsTheProgram(window, VK_ESCAPE)); }),
            0);
}

TEST(TextWindowScenario, ExitDuringAPrintingLoopLeavesWholeLinesInTheLog) {
  ResetLogs();
  auto print_lines = [] {
    for (int i = 0; i < 2000; ++i) ZUL_Printf("%s\n", Line(i).c_str());
  };
  int code = RunScenario([] { OpenWindowZero(), ZUL_StartLog(0); }, print_lines, [] {
    PostMainCommand(kCmdStart);
    ASSERT_TRUE(WaitUntil([] { return FileBytes(LogPath(0)).size() > 2000; }));
    PostMainCommand(kCmdExit);
  });
  EXPECT_EQ(code, 0);
  std::string bytes = FileBytes(LogPath(0)), expected;
  for (int i = 0; expected.size() < bytes.size(); ++i) expected += Line(i) + "\r\n";
  EXPECT_EQ(bytes, expected);  // the lines in order, the last one whole
  EXPECT_LT(bytes.size(), 2000 * Line(1000).size());  // Exit came during the loop
}
