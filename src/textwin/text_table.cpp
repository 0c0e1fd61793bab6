// The table of text windows: opening, closing, selecting and showing them.
#include "textwin/textwin.h"

#include <cwchar>

namespace zul {

// Owned by the worker thread, which opens and closes text windows. The main
// window thread reads `in_use` and the window handles to choose numbers, and
// prints and reads in text window 0 through its prompts only while no
// application runs and no line is awaited: ZUL_Input claims
// `text_input_pending` first, and every command that prints or reads checks it.
TextWindow text_windows[kTextSlots];
int current_text_window = 0;
int text_window_history[kTextHistory];

namespace {

void PushTextHistory(int number) {
  for (int i = kTextHistory - 1; i > 0; --i) text_window_history[i] = text_window_history[i - 1];
  text_window_history[0] = number;
}

int LowestLiveTextWindow() {
  for (int n = 0; n < kTextSlots; ++n) {
    if (text_windows[n].in_use) return n;
  }
  return -1;
}

// Outer size of a window whose client area is width x height.
SIZE OuterTextWindowSize(int width, int height) {
  RECT r = {0, 0, width, height};
  AdjustWindowRect(&r, kTextWindowStyle, FALSE);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// Creates the window at (x, y); a negative coordinate is left to the system,
// each one by itself.
HWND CreateTextWindowAt(int number, int x, int y, int width, int height) {
  wchar_t caption[kWindowTextUnits];
  swprintf(caption, kWindowTextUnits, L"TextWindow %d", number);
  SIZE outer = OuterTextWindowSize(width, height);
  bool system_places = x < 0 || y < 0;
  HWND window =
      CreateWindowExW(0, L"zul_twi", caption, kTextWindowStyle, system_places ? CW_USEDEFAULT : x,
                      system_places ? CW_USEDEFAULT : y, outer.cx, outer.cy, main_window, nullptr,
                      zul_instance, nullptr);
  if (window && system_places && (x >= 0 || y >= 0)) {
    RECT placed;
    GetWindowRect(window, &placed);
    SetWindowPos(window, nullptr, x >= 0 ? x : placed.left, y >= 0 ? y : placed.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return window;
}

void ReadTextFontMetrics(TextWindow& t) {
  TEXTMETRICW metrics = {};
  GetTextMetricsW(t.memory_dc, &metrics);
  t.char_width = metrics.tmAveCharWidth;
  t.char_height = metrics.tmHeight;
}

}  // namespace

void ClearTextTable() {
  for (TextWindow& slot : text_windows) slot.in_use = 0;
  for (int& entry : text_window_history) entry = 0;
  current_text_window = 0;
  ClearKeyQueue();
  input_action = kInputActionNone;
}

bool TextNumberValid(int number) { return number >= 0 && number < kTextSlots; }

bool TextWindowLive(int number) { return TextNumberValid(number) && text_windows[number].in_use; }

int FindTextWindow(HWND window) {
  if (!window) return -1;
  for (int n = 0; n < kTextSlots; ++n) {
    if (text_windows[n].in_use && text_windows[n].window == window) return n;
  }
  return -1;
}

TextWindow* CurrentLiveTextWindow() {
  int n = current_text_window;
  return TextWindowLive(n) ? &text_windows[n] : nullptr;
}

}  // namespace zul

using namespace zul;

int ZUL_OpenTextWindow(int number, int x, int y, int width, int height) {
  if (!TextNumberValid(number)) return 1;
  TextWindow& t = text_windows[number];
  if (t.in_use) {
    SetForegroundWindow(t.window);
    current_text_window = number;
    return 1;
  }
  if (width < 0) width = kDefaultTextWidth;
  if (height < 0) height = kDefaultTextHeight;
  t.width = width;
  t.height = height;
  current_text_window = number;
  t.text_colour = 0xFFFFFF;
  t.back_colour = 0x000000;

  t.window = CreateTextWindowAt(number, x, y, width, height);
  CreateTextBackBuffer(t);
  t.cursor_x = t.cursor_y = 0;
  ReadTextFontMetrics(t);
  ResetTextColours(t);
  t.in_use = 1;
  RebuildSnapRects();
  UpdateWindow(t.window);
  SetForegroundWindow(t.window);
  return 0;
}

int ZUL_CloseTextWindow(int number) {
  if (!TextWindowLive(number)) return 1;
  TextWindow& t = text_windows[number];
  t.in_use = 0;
  if (current_text_window == number) {
    int lowest = LowestLiveTextWindow();
    if (lowest >= 0) current_text_window = lowest;
  }
  int32_t reading_this = InputMarkerOf(number);
  text_input_pending.compare_exchange_strong(reading_this, kNoInputPending);
  ReleaseTextBackBuffer(t);
  DestroyWindow(t.window);
  t.window = nullptr;
  return 0;
}

int ZUL_SelectTextWindow(int number) {
  if (!TextWindowLive(number)) return 1;
  PushTextHistory(current_text_window);
  current_text_window = number;
  return 0;
}

void ZUL_ShowTextWindow() {
  if (TextWindow* t = CurrentLiveTextWindow()) {
    SetForegroundWindow(t->window);
    return;
  }
  int x = GetSystemMetrics(SM_CXFULLSCREEN) / 2 - kDefaultTextWidth / 2;
  int y = GetSystemMetrics(SM_CYFULLSCREEN) / 2 - kDefaultTextHeight / 2;
  ZUL_OpenTextWindow(0, x, y, kDefaultTextWidth, kDefaultTextHeight);
}
