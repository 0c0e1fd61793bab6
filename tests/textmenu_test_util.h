// Helpers of the text window menu, log and report tests: log files, the
// clipboard's text and message boxes dismissed from another thread.
#pragma once

#include <future>
#include <sstream>
#include <fstream>
#include <string>

#include "textwin_test_util.h"

inline std::string LogPath(int number) {
  return std::string(log_directory) + "ZULLIB" + std::to_string(number) + ".LOG";
}

inline std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline std::string ClipboardText() {
  std::string text = "<no text>";
  if (!OpenClipboard(nullptr)) return "<clipboard busy>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

inline void SetClipboardText(const char* text) {
  OpenClipboard(nullptr);
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
  strcpy(static_cast<char*>(GlobalLock(block)), text);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
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

// Waits on another thread for a message box titled `title`, reads its text
// and presses OK; the future gives the text ("" when none came).
inline std::future<std::wstring> DismissBox(const wchar_t* title) {
  return std::async(std::launch::async, [title] {
    HWND box = nullptr;
    for (int i = 0; i < 500 && !(box = FindWindowW(L"#32770", title)); ++i) Sleep(10);
    wchar_t text[256] = {};
    if (box) {
      GetDlgItemTextW(box, 0xFFFF, text, 256);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    return std::wstring(text);
  });
}
