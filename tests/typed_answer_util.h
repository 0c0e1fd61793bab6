// Helpers of the tests whose code under test waits for a typed line: a pump
// that works as the worker's (dialog keys of the input box included) and a
// typist on another thread.
#pragma once

#include <functional>
#include <string>
#include <thread>

#include "textwin_test_util.h"

inline void PumpAsWorker(int ms = 30) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < static_cast<DWORD>(ms)) {
    PumpWorkerMessages();
    Sleep(1);
  }
}

// From another thread: waits (at most `wait_ms`) for the line input of text
// window `number`, then does `meanwhile` and types `answer` and Enter (into
// no input when none came).
inline std::thread AnswerLater(std::string answer, int wait_ms = 5000,
                               std::function<void()> meanwhile = [] {}, int number = 0) {
  return std::thread([=] {
    DWORD start = GetTickCount();
    while (text_input_pending != number + 1 && GetTickCount() - start < static_cast<DWORD>(wait_ms)) Sleep(1);
    meanwhile();
    HWND window = text_windows[number].window;
    for (char c : answer) PostMessageW(window, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
    PostMessageW(window, WM_CHAR, 13, 1);
  });
}

// Starts logging text window `number` into `name` (rewritten).
inline void StartTestLog(int number, const char* name) {
  log_file[number] = std::fopen(name, "wb");
  log_state[number] = 1;
}

// Stops that log and returns what it holds.
inline std::string StopTestLog(int number, const char* name) {
  if (log_file[number]) std::fclose(log_file[number]);
  log_file[number] = nullptr;
  log_state[number] = 0;
  std::string text;
  if (std::FILE* f = std::fopen(name, "rb")) {
    char chunk[512];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, got);
    std::fclose(f);
  }
  return text;
}
