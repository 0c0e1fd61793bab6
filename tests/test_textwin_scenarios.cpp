// Whole-program scenarios of the text windows: the application reads a line
// on the worker thread, Exit cancels a pending input, output reaches the
// window, keys of a text window reach the main window.
#include <cstring>
#include <string>

#include "test_support.h"

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

}  // namespace

TEST(TextWindowScenario, ApplicationReadsALineOnTheWorker) {
  std::wstring status_waiting, status_after;
  int code = RunScenario(OpenWindowZero, ReadOneLine, [&] {
    PostMainCommand(kCmdStart);
    ASSERT_TRUE(WaitUntil([] { return text_input_pending == 1; }));
    WaitUntil([] { return MainStatusText().find(L"Input text") != std::wstring::npos; });
    status_waiting = MainStatusText();
    for (wchar_t c : std::wstring(L"lens\r")) PostMessageW(text_windows[0].window, WM_CHAR, c, 1);
    EXPECT_TRUE(WaitUntil([] { return input_returned == 1; }));
    WaitUntil([] { return MainStatusText().find(L"bit color") != std::wstring::npos; });
    status_after = MainStatusText();
  });
  EXPECT_EQ(code, 0);
  EXPECT_STREQ(typed_line, "lens");
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
  int code = RunScenario(OpenWindowZero, [] {}, [&] {
    EXPECT_TRUE(KeyEndsTheProgram([] { return text_windows[0].in_use ? text_windows[0].window : nullptr; }, VK_ESCAPE));
  });
  EXPECT_EQ(code, 0);
}

TEST(TextWindowScenario, ApplicationOutputReachesTheWindow) {
  int lines_y = -1;
  auto app = [] {
    ZUL_ClearTextWindow();
    for (int i = 0; i < 3; ++i) ZUL_Printf("parameter %d = %d\n", i, i * 10);
  };
  int code = RunScenario(OpenWindowZero, app, [&] {
    PostMainCommand(kCmdStart);
    ASSERT_TRUE(WaitUntil([] { return running == 0 && start_requested == 0 && text_windows[0].cursor_y > 0; }));
    lines_y = text_windows[0].cursor_y;
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(lines_y, 3 * text_windows[0].char_height);
}
