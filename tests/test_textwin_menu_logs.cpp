// The text window's context menu and Ctrl keys, and the log files, with the
// windows on the test thread. Log bytes are read back from disk (every write
// is flushed) and from the clipboard.
#include <string>

#include "textmenu_test_util.h"

namespace {

const std::string kBanner = "ZULLIB 7.0  2006/12/25\r\n";

struct MenuLine {
  const wchar_t* caption;  // null: separator
  UINT id;
};

const MenuLine kMenuOfWindow12[] = {
    {L"&Select\tCtrl+S", 1069}, {L"&Window Info.\tCtrl+W", 1045}, {L"Command", 1029},
    {nullptr, 0},          {L"Start Log", 1024},  {L"Stop Log", 1025},
    {L"&Copy ZULLIB12.LOG\tCtrl+C", 1030}, {nullptr, 0}, {L"&About ZULLIB\tCtrl+A", 1020},
    {nullptr, 0},          {L"&Destroy\tCtrl+Q", 1006},
};

std::wstring WidePath(int number) {
  std::string path = LogPath(number);
  return std::wstring(path.begin(), path.end());
}

}  // namespace

TEST(TextMenu, ItemsChecksAndTheStatesThatBlockIt) {
  OpenFreshTextWindow(12);
  ZUL_OpenTextWindow(3, 300, 40, -1, -1);
  for (int current : {3, 12}) {
    for (int state : {0, 1, 2}) {
      ZUL_SelectTextWindow(current);
      log_state[12] = state;
      HMENU menu = BuildTextWindowMenu(12);
      ASSERT_EQ(GetMenuItemCount(menu), 11);
      for (int pos = 0; pos < 11; ++pos) {
        UINT flags = GetMenuState(menu, pos, MF_BYPOSITION);
        if (!kMenuOfWindow12[pos].caption) {
          EXPECT_TRUE(flags & MF_SEPARATOR) << pos;
          continue;
        }
        wchar_t caption[64] = {};
        GetMenuStringW(menu, pos, caption, 64, MF_BYPOSITION);
        EXPECT_STREQ(caption, kMenuOfWindow12[pos].caption);
        EXPECT_EQ(GetMenuItemID(menu, pos), kMenuOfWindow12[pos].id);
        bool checked = (pos == 0 && current == 12) || (pos == 4 && state == 1) ||
                       (pos == 5 && state == 2);
        EXPECT_EQ(flags & (MF_CHECKED | MF_GRAYED | MF_DISABLED), checked ? MF_CHECKED : 0u)
            << "item " << pos << " current " << current << " state " << state;
      }
      DestroyMenu(menu);
    }
  }
  log_state[12] = 0;
  text_input_pending = 4;
  EXPECT_EQ(BuildTextWindowMenu(12), nullptr);
  text_input_pending = 0;
  point_tool_active = 1;
  EXPECT_EQ(BuildTextWindowMenu(12), nullptr);
  point_tool_active = 0;
}

TEST(TextMenu, KeysOfAWindowThatIsNotCurrent) {
  struct Case {
    WPARAM key;
    bool ctrl, input_pending;
    bool window_5_live;
    int current;
    std::string log_3, log_5;  // window 3 is current before the key
  } cases[] = {
      {'Q', false, false, true, 3, "", ""},
      {'Q', true, false, false, 3, "", ""},
      {'S', true, false, true, 5, "", ""},
      {'A', true, false, true, 5, "", kBanner},
      {VK_SPACE, false, false, true, 3, "caputure\r\n", ""},
      {'Q', true, true, true, 3, "", ""},
      {'S', true, true, true, 3, "", ""},
  };
  for (const Case& c : cases) {
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

TEST(TextLog, ResultCodesFollowTheNumberAndTheState) {
  ResetLogs();
  OpenFreshTextWindow(3);
  wchar_t start_dir[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, start_dir);
  SetCurrentDirectoryW(L"C:\\");  // as the file dialogs do
  struct Step {
    int (*call)(int);
    int number, code;
  } steps[] = {
      {ZUL_StartLog, -1, 3}, {ZUL_StartLog, 256, 3}, {ZUL_StartLog, 7, 3}, {ZUL_StopLog, -1, 2},
      {ZUL_StopLog, 256, 2}, {ZUL_StopLog, 7, 2},    {ZUL_CopyLog, -1, 4}, {ZUL_CopyLog, 256, 4},
      {ZUL_CopyLog, 7, 4},   {ZUL_StopLog, 3, 1},    {ZUL_StartLog, 3, 0}, {ZUL_StartLog, 3, 1},
      {ZUL_StopLog, 3, 0},   {ZUL_StopLog, 3, 0},    {ZUL_StartLog, 3, 0}, {ZUL_CopyLog, 3, 0},
  };
  for (const Step& s : steps) EXPECT_EQ(s.call(s.number), s.code) << "number " << s.number;
  EXPECT_EQ(GetFileAttributesA("C:\\ZULLIB3.LOG"), INVALID_FILE_ATTRIBUTES);
  SetCurrentDirectoryW(start_dir);
  EXPECT_NE(GetFileAttributesA(LogPath(3).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(TextLog, WhatIsPrintedTypedClearedAndPausedReachesFileAndClipboard) {
  ResetLogs();
  OpenFreshTextWindow(3, 198, 198);
  ASSERT_EQ(ZUL_StartLog(3), 0);
  char line[256];
  ZUL_Printf("Cmd>");
  for (char c : std::string("help\r")) PostMessageW(text_windows[3].window, WM_CHAR, c, 1);
  ZUL_Input(line);
  ZUL_Printf("x=%d\n", 5);
  ZUL_ClearTextWindow();
  ZUL_StopLog(3);
  ZUL_Printf("hidden\n");
  ZUL_StartLog(3);
  ZUL_Printf("\xE9\n");
  ZUL_Printf("100%%\n");
  std::string long_line(300, 'w');
  ZUL_Printf("%s\n", long_line.c_str());
  PostMessageW(text_windows[3].window, WM_CLOSE, 0, 0);  // cancels the next input
  ZUL_Input(line);
  ASSERT_FALSE(TextWindowLive(3));
  ZUL_OpenTextWindow(3, 40, 40, 198, 198);
  std::string expected = "Cmd>help\r\nx=5\r\n\r\n\xE9\r\n100%\r\n" + long_line + "\r\n";
  ASSERT_EQ(ZUL_CopyLog(3), 0);
  EXPECT_EQ(ClipboardText(), expected);
  EXPECT_EQ(FileBytes(LogPath(3)), expected);
  EXPECT_EQ(log_state[3], 1);
  ZUL_Printf("more\n");
  ZUL_StopLog(3);
  ZUL_Printf("paused\n");
  ASSERT_EQ(ZUL_CopyLog(3), 0);
  EXPECT_EQ(ClipboardText(), expected + "more\r\n");
  EXPECT_EQ(log_state[3], 2);
  ZUL_Printf("still paused\n");
  EXPECT_EQ(FileBytes(LogPath(3)), expected + "more\r\n");
}

TEST(TextLog, OldFilesUnwritableAndOverlongNames) {
  ResetLogs();
  OpenFreshTextWindow(4);
  for (int n : {5, 6, 255}) ZUL_OpenTextWindow(n, 40, 40, -1, -1);
  WriteBytesToFile(WidePath(4), "old\r\n");
  ZUL_StartLog(4);
  ZUL_SelectTextWindow(4);
  ZUL_Printf("new\n");
  EXPECT_EQ(FileBytes(LogPath(4)), "new\r\n");  // Start truncates

  WriteBytesToFile(WidePath(5), "old5\r\n");
  EXPECT_EQ(ZUL_CopyLog(5), 0);  // never logged: the old file is copied
  EXPECT_EQ(ClipboardText(), "old5\r\n");
  DeleteFileA(LogPath(5).c_str());

  CreateDirectoryA(LogPath(6).c_str(), nullptr);
  std::string saved_directory = log_directory;
  std::string long_directory = "C:\\" + std::string(246, 'd') + "\\";  // 250 bytes
  struct Case {
    int (*call)(int);
    int number;
    bool long_name;
    const wchar_t* title;
    const wchar_t* text;
  } cases[] = {
      {ZUL_CopyLog, 5, false, L"Pause", L"Can't open LOG file!"},
      {ZUL_StartLog, 6, false, L"Error", L"Can't create file for LOG!"},
      {ZUL_StartLog, 255, true, L"Error", L"Can't create file for LOG!"},
      {ZUL_CopyLog, 255, true, L"Pause", L"Can't open LOG file!"},
  };
  for (const Case& c : cases) {
    const std::string& directory = c.long_name ? long_directory : saved_directory;
    snprintf(log_directory, kPathUnits, "%s", directory.c_str());
    auto box = DismissBox(c.title);
    EXPECT_EQ(c.call(c.number), 2) << c.number;
    EXPECT_EQ(box.get(), c.text) << c.number;
    EXPECT_EQ(log_state[c.number], 0);
  }
  snprintf(log_directory, kPathUnits, "%s", saved_directory.c_str());
  RemoveDirectoryA(LogPath(6).c_str());
}
