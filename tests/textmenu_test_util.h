// Helpers of the text window menu, log and report tests: log files, the
// clipboard's text and message boxes answered from another thread.
#pragma once

#include <fstream>
#include <future>
#include <sstream>
#include <string>

#include "textwin_test_util.h"

inline std::string LogPath(int n) {
  return log_directory + ("ZULLIB" + std::to_string(n)) + ".LOG";
}

inline std::string FileBytes(const std::string& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

inline std::string ClipboardText() {
  if (!OpenClipboard(nullptr)) return "<busy>";
  HANDLE data = GetClipboardData(CF_TEXT);
  std::string text = data ? static_cast<const char*>(GlobalLock(data)) : "<none>";
  if (data) GlobalUnlock(data);
  CloseClipboard();
  return text;
}

// Every log closed and forgotten, every ZULLIB*.LOG of the log directory gone.
inline void ResetLogs() {
  for (int n = 0; n < kTextSlots; ++n) {
    if (log_file[n]) fclose(log_file[n]);
    log_file[n] = nullptr;
    log_state[n] = 0;
    DeleteFileA(LogPath(n).c_str());
  }
}

// Waits on another thread for a message box titled `title`, presses OK and
// gives its text ("" when none came).
inline std::future<std::wstring> AnswerBox(const wchar_t* title) {
  return std::async(std::launch::async, [title] {
    HWND box = nullptr;
    for (int i = 0; i < 500 && !(box = FindWindowW(L"#32770", title)); ++i) Sleep(10);
    wchar_t text[256] = {};
    if (box) GetDlgItemTextW(box, 0xFFFF, text, 256);
    if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
    return std::wstring(text);
  });
}
