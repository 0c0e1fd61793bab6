// Helpers shared by the image window tests and benchmarks: surface values, palettes made from a
// formula, a timing helper that prints a figure beside its baseline, and the point tools' mouse.
#pragma once

#include <algorithm>
#include <cstdio>
#include <memory>

#include "test_support.h"

using Values = std::vector<uint32_t>;

// Slot n's pixels (words, or indices on 8 bits) row by row.
inline Values ValuesOf(int n) {
  GdiFlush();
  const ImageSurface& s = image_surfaces[n];
  Values out;
  for (unsigned long y = 0; y < s.height; ++y)
    for (unsigned long x = 0; x < s.width; ++x)
      out.push_back(s.bits == 32 ? reinterpret_cast<uint32_t*>(s.base + y * s.stride)[x]
                                 : s.base[y * s.stride + x]);
  return out;
}

// Slot n's whole colour table as bytes.
inline std::string PaletteOf(int n) {
  std::string colors(1024, '\0');
  GetDIBColorTable(image_windows[n].memory_dc, 0, 256, reinterpret_cast<RGBQUAD*>(colors.data()));
  return colors;
}

// A 256-entry table whose entry i is entry(i).
inline std::vector<RGBQUAD> MakePalette(const std::function<RGBQUAD(int)>& entry) {
  std::vector<RGBQUAD> table(256);
  for (int i = 0; i < 256; ++i) table[i] = entry(i);
  return table;
}

// Milliseconds `work` takes.
inline int TimeMs(const std::function<void()>& work) {
  int start = ZUL_GetTime();
  work(), GdiFlush();
  return ZUL_GetTime() - start;
}

// The middle of several timings (the machine is shared: single runs wander).
inline int Median(std::vector<int> ms) {
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

// One line of figures: the case, its baseline, the measured time and their ratio.
inline void PrintFigures(const char* name, const char* baseline, int baseline_ms, int measured_ms) {
  std::printf("%-32s %s %5d ms   measured %5d ms   ratio %.2f\n", name, baseline, baseline_ms,
              measured_ms, baseline_ms > 0 ? double(measured_ms) / baseline_ms : 0.0);
}

// Window n's top left corner on the screen as x * 10000 + y.
inline long CornerOf(int n) {
  return OuterRect(image_windows[n].window).left * 10000L + OuterRect(image_windows[n].window).top;
}

// ---- mouse input for the point tools --------------------------------------------
// Played as a user gives it: a script whose steps a timer runs one per tick while a tool waits
// on this thread (a tick comes only when the queue is empty, so each input gets a round of its
// own), each step once the tool has taken the input before.
using ScriptStep = std::function<void()>;
struct PointScript {
  std::vector<ScriptStep> steps;
  size_t next = 0;
  int idle = 0, waited = 0;
};
inline PointScript point_script;

inline void CALLBACK PlayPointScriptStep(HWND, UINT, UINT_PTR, DWORD) {
  // A move is waited for a few ticks only: not every tool takes moves.
  bool untaken = point_clicked || point_cancelled || (point_moved && point_script.waited < 3);
  if (point_tool_active && untaken && ++point_script.waited < 200) return;
  point_script.waited = 0;
  if (point_script.next < point_script.steps.size())
    point_script.steps[point_script.next++]();
  else if (point_tool_active && ++point_script.idle == 100)
    stop_requested = 1;  // it missed an input: end it
}

// Runs `tool` (which waits) while `steps` play; returns its code.
inline int PlayScript(std::vector<ScriptStep> steps, const std::function<int()>& tool) {
  point_script = PointScript{std::move(steps)};
  UINT_PTR timer = SetTimer(nullptr, 0, 15, PlayPointScriptStep);
  int code = tool();
  KillTimer(nullptr, timer);
  EXPECT_TRUE(point_script.idle < 100 && point_tool_active == 0 && point_tool_window == -1)
      << "a tool still waiting after the script, or not ended";
  return code;
}
// Sends command `id` to window `slot` while `steps` play, then clears a stop request.
inline void PlayCommand(int slot, int id, std::vector<ScriptStep> steps) {
  PlayScript(std::move(steps), [=] { return SendCommand(slot, id), 0; });
  stop_requested = 0;
}

inline ScriptStep Mouse(UINT message, int x, int y, int slot = 1) {
  return [=] {
    PostMessageW(image_windows[slot].window, message, message == WM_LBUTTONDOWN, MAKELPARAM(x, y));
  };
}
inline ScriptStep Click(int x, int y, int slot = 1) { return Mouse(WM_LBUTTONDOWN, x, y, slot); }
inline ScriptStep Move(int x, int y, int slot = 1) { return Mouse(WM_MOUSEMOVE, x, y, slot); }
inline ScriptStep RightClick(int slot = 1) { return Mouse(WM_RBUTTONDOWN, 1, 1, slot); }
inline ScriptStep Raise(std::atomic<int32_t>* flag) {
  return [=] { *flag = 1; };
}
// Holds the script until `ready()` holds (3 s at most).
inline ScriptStep Until(std::function<bool()> ready) {
  auto ticks = std::make_shared<int>(0);
  return [=] {
    if (!ready() && ++*ticks < 200) --point_script.next;
  };
}

// The open common dialog (colour, font) of this process, or null.
inline HWND CommonDialog() { return FindWindowW(L"#32770", nullptr); }

// The status label's text without the blanks that centre it.
inline std::string StatusText() {
  char text[80] = {};
  std::string s = (GetWindowTextA(status_label, text, sizeof text), text);
  s.erase(0, s.find_first_not_of(' '));
  return s.erase(s.find_last_not_of(' ') + 1);
}

// Image window tests with a main window and status label of their own, and the real cursor
// parked away from the windows (its moves would move bands).
class PointScriptTest : public ImageWindowTest {
 protected:
  void SetUp() override {
    ImageWindowTest::SetUp();
    main_window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 600, 600, 9, 9, nullptr, nullptr,
                                  nullptr, nullptr);
    status_label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 9, 9, main_window, nullptr,
                                   nullptr, nullptr);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  void TearDown() override {
    DestroyWindow(main_window), main_window = status_label = nullptr;
    stop_requested = quit_state = running = 0;
    ImageWindowTest::TearDown();
  }
};
