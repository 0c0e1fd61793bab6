// The text window's context menu and Ctrl keys, the log files (flushed at every write, so read
// straight from disk) and Window Info.: the printed report (from the receiving window's log and
// back buffer) and the generated source (from the clipboard). Windows live on the test thread.
#include "text_test_helpers.h"

namespace {

std::string LogText(int number) { return FileBytes(LogPath(number)); }

const std::string kLast = "\tZUL_SetForeground(ZULMAINWINDOW);\n";

void CloseEverything() {
  for (int n = 0; n < 256; ++n) ZUL_CloseTextWindow(n), ZUL_DestroyImage(n);
  ZUL_DestroyButtonBox();
  ResetLogs();
}

}  // namespace

TEST(TextMenu, ChecksOfWindow12AndNoMenuWhileBusy) {
  OpenFreshTextWindow(12), ZUL_OpenTextWindow(3, 300, 40, -1, -1);
  for (auto [current, state] : {std::pair{12, 0}, {3, 1}, {12, 2}, {3, 0}}) {
    ZUL_SelectTextWindow(current), log_state[12] = state;
    HMENU menu = BuildTextWindowMenu(12);
    ASSERT_NE(menu, nullptr);
    for (int pos = 0; pos < GetMenuItemCount(menu); ++pos) {  // only these three carry checks
      const int id = static_cast<int>(GetMenuItemID(menu, pos));
      bool checked = (id == kTextCmdSelect && current == 12) ||
                     (id == kTextCmdStartLog && state == 1) ||
                     (id == kTextCmdStopLog && state == 2);
      EXPECT_EQ(GetMenuState(menu, pos, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED),
                checked ? MF_CHECKED : 0u)
          << id << state;
    }
    wchar_t caption[64] = {};
    GetMenuStringW(menu, kTextCmdCopyLog, caption, 64, MF_BYCOMMAND);
    EXPECT_STREQ(caption, L"&Copy ZULLIB12.LOG\tCtrl+C");  // names the window's own log
    DestroyMenu(menu);
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
    ResetLogs(), OpenFreshTextWindow(5), ZUL_OpenTextWindow(3, 300, 40, -1, -1);
    ASSERT_EQ(ZUL_StartLog(3) + ZUL_StartLog(5), 0);
    text_input_pending = c.input_pending ? 4 : 0;
    HoldControlKey(c.ctrl);
    SendMessageW(text_windows[5].window, WM_KEYDOWN, c.key, 1);
    PumpFor(30), HoldControlKey(false), text_input_pending = 0;
    EXPECT_EQ(std::make_tuple(TextWindowLive(5), current_text_window, LogText(3), LogText(5)),
              std::make_tuple(c.window_5_live, c.current, c.log_3, c.log_5))
        << c.key;
  }
}

TEST(TextLog, ResultCodesBoxesAndClosingAll) {
  ResetLogs(), OpenFreshTextWindow(3);
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
    std::future<std::wstring> box = s.box ? AnswerBox(s.box) : std::future<std::wstring>();
    EXPECT_EQ(s.call(s.number), s.code) << s.number;
    if (s.box) {
      EXPECT_EQ(box.get(),
                s.call == ZUL_StartLog ? L"Can't create file for LOG!" : L"Can't open LOG file!");
      EXPECT_EQ(log_state[s.number], s.number == 5 && s.long_name ? 1 : 0);
    }
  }
  snprintf(log_directory, kPathUnits, "%s", start_directory.c_str());
  SetCurrentDirectoryA(start_directory.c_str());
  RemoveDirectoryA(LogPath(6).c_str());
  EXPECT_EQ(GetFileAttributesA("C:\\ZULLIB3.LOG"), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA(LogPath(3).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(LogText(5), "x\r\n");
  log_file[4] = _wfopen(L"textwin_gone.log", L"wb"), log_state[4] = 1;  // window 4 is not live
  ZUL_StopLog(5);
  ASSERT_TRUE(log_state[3] == 1 && log_state[5] == 2);  // one log running, one paused
  ZUL_CloseAllLogs();                                   // closes the logs of live windows only
  EXPECT_TRUE(log_file[3] == nullptr && log_file[5] == nullptr && log_state[3] + log_state[5] == 0);
  EXPECT_NE(log_file[4], nullptr);
}

TEST(TextLog, PrintsLinesAndPausesReachFileAndClipboard) {
  ResetLogs(), OpenFreshTextWindow(3, 198, 198), ZUL_OpenTextWindow(5, 40, 40, -1, -1);
  std::ofstream(LogPath(5), std::ios::binary) << "old5\r\n";  // an earlier run's
  EXPECT_TRUE(ZUL_CopyLog(5) == 0 && ClipboardText() == "old5\r\n");
  std::ofstream(LogPath(3), std::ios::binary) << "old\r\n";
  ZUL_SelectTextWindow(3);
  ASSERT_EQ(ZUL_StartLog(3), 0);
  char line[256];
  ZUL_Printf("Cmd>");
  for (char c : std::string("helo\bp\r")) PostMessageW(text_windows[3].window, WM_CHAR, c, 1);
  ZUL_Input(line);
  ZUL_Printf("x=%d\n", 5), ZUL_ClearTextWindow();
  ZUL_StopLog(3), ZUL_Printf("hidden\n"), ZUL_StartLog(3);
  const std::string long_line(300, 'w');
  ZUL_Printf("\xE9\n100%%\n%s\n", long_line.c_str());
  PostMessageW(text_windows[3].window, WM_CLOSE, 0, 0);  // cancels the next input
  ZUL_Input(line);
  ASSERT_FALSE(TextWindowLive(3));
  ZUL_OpenTextWindow(3, 40, 40, 198, 198);  // goes on with the same log
  std::string expected = "Cmd>help\r\nx=5\r\n\r\n\xE9\r\n100%\r\n" + long_line + "\r\n";
  ASSERT_EQ(ZUL_CopyLog(3), 0);
  EXPECT_EQ(ClipboardText(), expected);
  EXPECT_EQ(LogText(3), expected);
  ZUL_Printf("more\n"), ZUL_StopLog(3);
  ASSERT_EQ(ZUL_CopyLog(3), 0);
  ZUL_Printf("still paused\n");
  EXPECT_TRUE(ClipboardText() == expected + "more\r\n" && LogText(3) == expected + "more\r\n");
  EXPECT_EQ(log_state[3], 2);
}

TEST(WindowReport, KnownLayoutColoursAndSourceAndLayoutsBeyondThirtyThousandBytesCopiedWhole) {
  InitializeFrameworkForTests();
  CloseEverything();
  ZUL_OpenTextWindow(4, 500, 60, 300, 200), ZUL_OpenTextWindow(1, 20, 20, 420, 420);
  ZUL_StartLog(1);
  ZUL_CreateImage(5, "pic", 460, 300, 256, 96, 50);
  ZUL_CreateImage8(7, "g", 560, 300, 120, 40, 100);
  ZUL_OpenButtonBox(600, 420, 2, 2);
  ZUL_SetButtonBoxTitle(0, "a"), ZUL_SetButtonBoxTitle(1, "b\nc");
  ZUL_PushTextColor(0x123456, 0x654321), ZUL_SelectTextWindow(4);
  SendMessageW(text_windows[1].window, WM_COMMAND, kCmdWindowInfo, 0);  // now the current one
  EXPECT_EQ(current_text_window, 1);
  // Each window where it was made; 2 x 2 buttons of 98 x 26, 4 apart: 208 x 64.
  // The last line is logged in code page 932.
  char saved[256];
  const wchar_t* confirmation = L"クリップボードにレイアウト作成ソースリストを保存しました．\r\n";
  int length = WideCharToMultiByte(932, 0, confirmation, -1, saved, 256, nullptr, nullptr) - 1;
  EXPECT_EQ(LogText(1),
            "******* Window information *******\r\n[Image Window]\r\n"
            " 5 F 'pic' X:460 Y:300 W:256 H:96 ZM:50%\r\n"
            " 7 8 'g' X:560 Y:300 W:120 H:40 ZM:100%\r\n[Text Window]\r\n"
            " 1 X:20 Y:20 W:420 H:420\r\n 4 X:500 Y:60 W:300 H:200\r\n"
            "[Button Box]\r\n X:600 Y:420 NX:2 NY:2 SIZE:208x64\r\n" +
                std::string(34, '*') + "\r\n" + std::string(saved, length));
  EXPECT_EQ(ClipboardText(),
            "\t// ZULLIB --- Automatic Source Generator\n\t// [Image Window]\n"
            "\tZUL_CreateImage(5,\"pic\",460,300,256,96,50);\n"
            "\tZUL_CreateImage8(7,\"g\",560,300,120,40,100);\n\t// [Text Window]\n"
            "\tZUL_OpenTextWindow(1,20,20,420,420);\n\tZUL_OpenTextWindow(4,500,60,300,200);\n"
            "\t// [Button Box]\n\tZUL_OpenButtonBox(600,420,2,2);\n\tZUL_ResizeButtonBox(208,64);\n"
            "\tZUL_SetButtonBoxTitle(0,\"a\");\n\tZUL_SetButtonBoxTitle(1,\"b\\nc\");\n"
            "\tZUL_SetButtonBoxTitle(2,\"2\");\n\tZUL_SetButtonBoxTitle(3,\"3\");\n" +
                kLast);
  const TextWindow& t = text_windows[1];  // a heading, the flag, the confirmation's background
  EXPECT_TRUE(CellHasColour(t, 0, 1, 0x00FF00) && CellHasColour(t, 3, 2, 0x0080FF) &&
              CellHasColour(t, 0, 10, 0x000080));
  // The confirmation as 29 double-width characters (58 of 70 cells) takes one
  // line; its code page 932 bytes read in another code page would take two.
  EXPECT_EQ(t.cursor_y, 11 * t.char_height);
  EXPECT_TRUE(t.text_colour == 0x123456u && t.back_colour == 0x654321u);  // the caller's colours
  CloseEverything();
  ZUL_OpenTextWindow(0, 30, 30, 300, 100);
  std::string expected;
  for (int i = 0; i < 131; ++i) {
    std::string title(i == 130 ? 600 : 250, static_cast<char>('a' + i % 26));
    ASSERT_EQ(ZUL_CreateImage(i, title.c_str(), 10, 10, 1, 1, 100), 0);
    expected += "\tZUL_CreateImage(" + std::to_string(i) + ",\"" + title + "\",10,10,1,1," +
                std::to_string(image_windows[i].zoom) + ");\n";
  }
  SendMessageW(text_windows[0].window, WM_COMMAND, kCmdWindowInfo, 0);
  std::string fragment = ClipboardText();
  EXPECT_NE(fragment.find("\t// [Image Window]\n" + expected + "\t// [Text Window]\n"),
            std::string::npos);
  EXPECT_EQ(fragment.substr(fragment.size() - kLast.size()), kLast);
  CloseEverything();
}
