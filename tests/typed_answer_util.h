// Helpers of the tests whose code waits for a typed line: a pump that works
// as the worker's (with the input box's dialog keys), a typist on another
// thread, and a log of text window 0 read back.
#pragma once

#include <functional>
#include <string>
#include <thread>

#include "test_support.h"

inline void PumpAsWorker(int ms = 30) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < static_cast<DWORD>(ms); Sleep(1)) PumpWorkerMessages();
}

// From another thread: waits (at most `wait_ms`) for text window 0's line
// input, does `meanwhile`, then types `answer` and Enter (into no input when none came).
inline std::thread AnswerLater(std::string answer, int wait_ms = 5000, std::function<void()> meanwhile = [] {}) {
  return std::thread([=] {
    for (DWORD start = GetTickCount(); text_input_pending != 1 && GetTickCount() - start < static_cast<DWORD>(wait_ms);) Sleep(1);
    meanwhile();
    for (char c : answer + "\r") PostMessageW(text_windows[0].window, WM_CHAR, static_cast<unsigned char>(c), 1);
  });
}

// Logs text window `number` into a file while `run` runs; returns what was logged.
inline std::string LoggedWhile(int number, const std::function<void()>& run) {
  log_file[number] = std::fopen("typed_answer.log", "wb");
  log_state[number] = 1;
  run();
  if (log_file[number]) std::fclose(log_file[number]);
  log_file[number] = nullptr;
  log_state[number] = 0;
  std::string text(4096, '\0');
  std::FILE* f = std::fopen("typed_answer.log", "rb");
  text.resize(f ? std::fread(&text[0], 1, text.size(), f) : 0);
  if (f) std::fclose(f);
  return text;
}
