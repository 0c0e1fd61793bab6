// Helpers of the point tool tests: a script of inputs played one per timer
// tick while a tool waits on the test thread (a tick comes only when the
// queue is empty, so every input gets a round of its own), a status label
// and a main window stand-in whose texts and drop flag the tests read.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "imagewin_test_util.h"

using ScriptStep = std::function<void()>;

struct ToolScript {
  std::vector<ScriptStep> steps;
  size_t next = 0;
  int idle_ticks = 0;
  bool timed_out = false;
};
inline ToolScript tool_script;

// Plays the next step; when the script is played out and the tool still
// waits after a while, ends it with Stop and notes the time-out.
inline void CALLBACK PlayScriptStep(HWND, UINT, UINT_PTR, DWORD) {
  if (tool_script.next < tool_script.steps.size()) {
    ScriptStep step = tool_script.steps[tool_script.next++];
    step();
  } else if (++tool_script.idle_ticks == 100 && point_tool_active != 0) {
    tool_script.timed_out = true;
    stop_requested = 1;
  }
}

// Runs `tool` (which waits) while `steps` are played; returns its code.
inline int PlayTool(std::vector<ScriptStep> steps, const std::function<int()>& tool) {
  tool_script = ToolScript{};
  tool_script.steps = std::move(steps);
  UINT_PTR timer = SetTimer(nullptr, 0, 15, PlayScriptStep);
  int code = tool();
  KillTimer(nullptr, timer);
  EXPECT_FALSE(tool_script.timed_out) << "the tool was still waiting after the script";
  EXPECT_EQ(point_tool_active, 0);
  EXPECT_EQ(point_tool_window, -1);
  return code;
}

inline ScriptStep PostMouse(int number, UINT message, int x, int y, WPARAM keys = 0) {
  return [=] { PostMessageW(image_windows[number].window, message, keys, MAKELPARAM(x, y)); };
}
inline ScriptStep Click(int number, int x, int y) { return PostMouse(number, WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
inline ScriptStep Move(int number, int x, int y) { return PostMouse(number, WM_MOUSEMOVE, x, y); }
inline ScriptStep RightClick(int number) { return PostMouse(number, WM_RBUTTONDOWN, 1, 1, MK_RBUTTON); }

// The status label's text without the blanks that centre it.
inline std::string StatusText() {
  char text[80] = {};
  GetWindowTextA(status_label, text, sizeof text);
  std::string s = text;
  size_t first = s.find_first_not_of(' '), last = s.find_last_not_of(' ');
  return first == std::string::npos ? std::string() : s.substr(first, last - first + 1);
}

inline bool AcceptsFiles(HWND window) {
  return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
}

// Image window tests with a status label and a main window of their own, and
// the real cursor parked away from the windows (its moves would move bands).
class PointToolTest : public ImageWindowTest {
 protected:
  void SetUp() override {
    ImageWindowTest::SetUp();
    saved_main_ = main_window;
    saved_label_ = status_label;
    main_window = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP, 600, 600, 100, 40, nullptr, nullptr,
                                  nullptr, nullptr);
    status_label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 100, 20, main_window, nullptr,
                                   nullptr, nullptr);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    stop_requested = 0;
    quit_state = 0;
  }
  void TearDown() override {
    DestroyWindow(main_window);
    main_window = saved_main_;
    status_label = saved_label_;
    stop_requested = 0;
    quit_state = 0;
    running = 0;
    ImageWindowTest::TearDown();
  }

 private:
  HWND saved_main_ = nullptr;
  HWND saved_label_ = nullptr;
};
