// Helpers of the text window, box and console tests: log files read back, the clipboard's text,
// cells of a back buffer, and answers typed or message boxes answered from another thread.
#pragma once

#include <fstream>
#include <functional>
#include <future>
#include <sstream>
#include <string>
#include <thread>

#include "test_support.h"

inline std::string LogPath(int n) {
  return log_directory + ("ZULLIB" + std::to_string(n)) + ".LOG";
}

inline std::string FileBytes(const std::string& path) {  // also while the framework holds it open
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

inline std::string ClipboardText() {
  if (!OpenClipboard(nullptr)) return "<busy>";
  HANDLE data = GetClipboardData(CF_TEXT);
  std::string text = data ? static_cast<const char*>(GlobalLock(data)) : "<none>";
  if (data) GlobalUnlock(data);
  return CloseClipboard(), text;
}

// Every log closed and forgotten, every ZULLIB*.LOG of the log directory gone.
inline void ResetLogs() {
  for (int n = 0; n < kTextSlots; ++n) {
    if (log_file[n]) fclose(log_file[n]);
    log_file[n] = nullptr, log_state[n] = 0;
    DeleteFileA(LogPath(n).c_str());
  }
}

// Logs text window `number` into a file while `run` runs; returns what was logged.
inline std::string LoggedWhile(int number, const std::function<void()>& run) {
  log_file[number] = std::fopen("typed_answer.log", "wb"), log_state[number] = 1;
  run();
  if (log_file[number]) std::fclose(log_file[number]);
  log_file[number] = nullptr, log_state[number] = 0;
  return FileBytes("typed_answer.log");
}

// Makes the window's outer frame `dx` wider and `dy` higher, as a drag of its edge does.
inline void ResizeBy(HWND window, int dx, int dy) {
  RECT outer = OuterRect(window);
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy,
               SWP_NOMOVE | SWP_NOZORDER);
  PumpFor(30);
}

inline bool CellHasColour(const TextWindow& t, int column, int line, uint32_t colour) {
  BufferCopy copy = CopyBackBuffer(t);
  for (int y = line * t.char_height; y < (line + 1) * t.char_height; ++y)
    for (int x = column * t.char_width; x < (column + 1) * t.char_width; ++x)
      if (copy.at(x, y) == colour) return true;
  return false;
}

// On another thread: waits for a message box titled `title` and presses OK; its text or "".
inline std::future<std::wstring> AnswerBox(const wchar_t* title) {
  return std::async(std::launch::async, [title] {
    HWND box = nullptr;
    for (int i = 0; i < 500 && !(box = FindWindowW(L"#32770", title)); ++i) Sleep(10);
    wchar_t text[256] = {};
    if (box) GetDlgItemTextW(box, 0xFFFF, text, 256), PostMessageW(box, WM_COMMAND, IDOK, 0);
    return std::wstring(text);
  });
}

// Pumps as the worker does (with the input box's dialog keys).
inline void PumpAsWorker(int ms = 30) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < static_cast<DWORD>(ms); Sleep(1))
    PumpWorkerMessages();
}

// From another thread: waits (at most `wait_ms`) for text window 0's line input,
// does `meanwhile`, then types `answer` and Enter (into no input when none came).
inline std::thread AnswerLater(
    std::string answer, int wait_ms = 5000, std::function<void()> meanwhile = [] {}) {
  return std::thread([=] {
    WaitUntil([] { return text_input_pending == 1; }, wait_ms);
    meanwhile();
    for (char c : answer + "\r")
      PostMessageW(text_windows[0].window, WM_CHAR, static_cast<unsigned char>(c), 1);
  });
}

// Does `act` (which waits for a line) while AnswerLater answers it.
inline void AnsweredWhile(
    const std::string& answer, const std::function<void()>& act,
    std::function<void()> meanwhile = [] {}) {
  std::thread typist = AnswerLater(answer, 5000, meanwhile);
  act();
  typist.join();
}
