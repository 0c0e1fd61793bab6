// The text window's context menu and Ctrl keys, and the log files (flushed at
// every write, so read straight from disk), with the windows on the test thread.
#include "text_test_helpers.h"

TEST(TextMenu, ChecksOfWindow12AndNoMenuWhileBusy) {
  OpenFreshTextWindow(12);
  ZUL_OpenTextWindow(3, 300, 40, -1, -1);
  for (int current : {3, 12}) {
    for (int state : {0, 1, 2}) {
      ZUL_SelectTextWindow(current);
      log_state[12] = state;
      HMENU menu = BuildTextWindowMenu(12);
      ASSERT_EQ(GetMenuItemCount(menu), 11);
      for (int pos = 0; pos < 11; ++pos) {  // Select, Start Log and Stop Log carry the checks
        bool checked = (pos == 0 && current == 12) || (pos == 4 && state == 1) || (pos == 5 && state == 2);
        UINT expected = pos == 3 || pos == 7 || pos == 9 ? MF_SEPARATOR : checked ? MF_CHECKED : 0u;
        EXPECT_EQ(GetMenuState(menu, pos, MF_BYPOSITION) & (MF_SEPARATOR | MF_CHECKED | MF_GRAYED),
                  expected) << pos << state;
      }
      wchar_t caption[64] = {};
      GetMenuStringW(menu, 6, caption, 64, MF_BYPOSITION);
      EXPECT_STREQ(caption, L"&Copy ZULLIB12.LOG\tCtrl+C");  // names the window's own log
      DestroyMenu(menu);
    }
  }
  log_state[12] = 0;
  for (auto* blocker : {&text_input_pending, &point_tool_active}) {
    *blocker = 4;
    EXPECT_EQ(BuildTextWindowMenu(12), nullptr);
    *blocker = 0;
  }
}

TEST(TextMenu, KeysOfWindow5WhileWindow3IsCurrent) {
  const std::string banner = "ZULLIB 7.0  2006/12/25\r\n";
  // clang-format off
  const struct { WPARAM key; bool ctrl, input_pending, window_5_live; int current;
                 std::string log_3, log_5; } cases[] = {
      {'Q', false, false, true, 3, "", ""},       {'Q', true, false, false, 3, "", ""},
      {'S', true, false, true, 5, "", ""},        {'A', true, false, true, 5, "", banner},
      {VK_SPACE, false, false, true, 3, "caputure\r\n", ""},
      {'Q', true, true, true, 3, "", ""},         {'S', true, true, true, 3, "", ""}};
  // clang-format on
  for (const auto& c : cases) {
    ResetLogs();
    OpenFreshTextWindow(5);
    ZUL_OpenTextWindow(3, 300, 40, -1, -1);
    ASSERT_EQ(ZUL_StartLog(3) + ZUL_StartLog(5), 0);
    text_input_pending = c.input_pending ? 4 : 0;
    HoldControlKey(c.ctrl);
    SendMessageW(text_windows[5].window, WM_KEYDOWN, c.key, 1);
    PumpFor(30);
    HoldControlKey(false);
    text_input_pending = 0;
    EXPECT_EQ(TextWindowLive(5), c.window_5_live) << c.key;
    EXPECT_EQ(current_text_window, c.current) << c.key;
    EXPECT_EQ(FileBytes(LogPath(3)), c.log_3) << c.key;
    EXPECT_EQ(FileBytes(LogPath(5)), c.log_5) << c.key;
  }
}

TEST(TextLog, ResultCodesAndBoxes) {
  ResetLogs();
  OpenFreshTextWindow(3);
  for (int n : {5, 6, 255}) ZUL_OpenTextWindow(n, 40, 40, -1, -1);
  CreateDirectoryA(LogPath(6).c_str(), nullptr);  // a name that cannot be a file
  std::string start_directory = log_directory;
  SetCurrentDirectoryA("C:\\");  // as the file dialogs do
  auto print_x = [](int n) { return ZUL_SelectTextWindow(n) + (ZUL_Printf("x\n"), 0); };
  // clang-format off
  const struct { int (*call)(int); int number, code; const wchar_t* box = nullptr;
                 bool long_name = false; } steps[] = {
      {ZUL_StartLog, -1, 3}, {ZUL_StartLog, 256, 3}, {ZUL_StartLog, 7, 3}, {ZUL_StopLog, -1, 2},
      {ZUL_StopLog, 256, 2}, {ZUL_StopLog, 7, 2}, {ZUL_CopyLog, -1, 4}, {ZUL_CopyLog, 256, 4},
      {ZUL_CopyLog, 7, 4}, {ZUL_StopLog, 3, 1}, {ZUL_StartLog, 3, 0}, {ZUL_StartLog, 3, 1},
      {ZUL_StopLog, 3, 0}, {ZUL_StopLog, 3, 0}, {ZUL_StartLog, 3, 0}, {ZUL_CopyLog, 3, 0},
      {ZUL_CopyLog, 5, 2, L"Pause"}, {ZUL_StartLog, 6, 2, L"Error"},
      {ZUL_StartLog, 255, 2, L"Error", true}, {ZUL_CopyLog, 255, 2, L"Pause", true},
      // Window 5's log cannot be reopened after a copy: its output is lost until a restart.
      {ZUL_StartLog, 5, 0}, {ZUL_CopyLog, 5, 2, L"Pause", true}, {print_x, 5, 0},
      {ZUL_StopLog, 5, 0}, {ZUL_StartLog, 5, 0}, {print_x, 5, 0}};
  // clang-format on
  for (const auto& s : steps) {  // a 250-byte directory makes a name over 255 bytes
    std::string directory = s.long_name ? "C:\\" + std::string(246, 'd') + "\\" : start_directory;
    snprintf(log_directory, kPathUnits, "%s", directory.c_str());
    std::future<std::wstring> box;
    if (s.box) box = AnswerBox(s.box);
    EXPECT_EQ(s.call(s.number), s.code) << s.number;
    if (s.box) {
      EXPECT_EQ(box.get(),
                s.call == ZUL_StartLog ? L"Can't create file for LOG!" : L"Can't open LOG file!");
      EXPECT_EQ(log_state[s.number], s.number == 5 && s.long_name ? 1 : 0);
    }
  }
  snprintf(log_directory, kPathUnits, "%s", start_directory.c_str());
  RemoveDirectoryA(LogPath(6).c_str());
  EXPECT_EQ(GetFileAttributesA("C:\\ZULLIB3.LOG"), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA(LogPath(3).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(FileBytes(LogPath(5)), "x\r\n");
}

TEST(TextLog, PrintsLinesAndPausesReachFileAndClipboard) {
  ResetLogs();
  OpenFreshTextWindow(3, 198, 198);
  ZUL_OpenTextWindow(5, 40, 40, -1, -1);
  std::ofstream(LogPath(5), std::ios::binary) << "old5\r\n";  // an earlier run's
  EXPECT_EQ(ZUL_CopyLog(5), 0);
  EXPECT_EQ(ClipboardText(), "old5\r\n");
  std::ofstream(LogPath(3), std::ios::binary) << "old\r\n";
  ZUL_SelectTextWindow(3);
  ASSERT_EQ(ZUL_StartLog(3), 0);
  char line[256];
  ZUL_Printf("Cmd>");
  for (char c : std::string("helo\bp\r")) PostMessageW(text_windows[3].window, WM_CHAR, c, 1);
  ZUL_Input(line);
  ZUL_Printf("x=%d\n", 5);
  ZUL_ClearTextWindow();
  ZUL_StopLog(3);
  ZUL_Printf("hidden\n");
  ZUL_StartLog(3);
  std::string long_line(300, 'w');
  ZUL_Printf("\xE9\n100%%\n%s\n", long_line.c_str());
  PostMessageW(text_windows[3].window, WM_CLOSE, 0, 0);  // cancels the next input
  ZUL_Input(line);
  ASSERT_FALSE(TextWindowLive(3));
  ZUL_OpenTextWindow(3, 40, 40, 198, 198);  // goes on with the same log
  std::string expected = "Cmd>help\r\nx=5\r\n\r\n\xE9\r\n100%\r\n" + long_line + "\r\n";
  ASSERT_EQ(ZUL_CopyLog(3), 0);
  EXPECT_EQ(ClipboardText(), expected);
  EXPECT_EQ(FileBytes(LogPath(3)), expected);
  ZUL_Printf("more\n");
  ZUL_StopLog(3);
  ASSERT_EQ(ZUL_CopyLog(3), 0);
  ZUL_Printf("still paused\n");
  EXPECT_EQ(ClipboardText(), expected + "more\r\n");
  EXPECT_EQ(FileBytes(LogPath(3)), expected + "more\r\n");
  EXPECT_EQ(log_state[3], 2);
}
