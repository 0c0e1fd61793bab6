// Helpers of the whole-program, text window and button box tests: an
// application held running until released, and window rectangles.
#pragma once

#include <atomic>
#include <string>

#include "test_support.h"

inline void Nothing() {}

// Runs the whole program (RunScenario) and expects it to end with exit code 0.
inline void ExpectCleanExit(std::function<void()> setup, std::function<void()> app,
                            std::function<void()> driver) {
  EXPECT_EQ(RunScenario(std::move(setup), std::move(app), std::move(driver)), 0);
}

// An application main that runs until the driver releases it (or the program ends).
inline std::atomic<int> release_app{0};
inline void RunUntilReleased() {
  while (!release_app && quit_state == 0) Sleep(1), PumpWorkerMessages();
}
inline void StartHeldApplication() {
  release_app = 0;
  PostMainCommand(kCmdStart);
  ASSERT_TRUE(WaitUntil([] { return running != 0; }));
}

inline RECT OuterRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}
inline RECT ClientRect(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return rect;
}
