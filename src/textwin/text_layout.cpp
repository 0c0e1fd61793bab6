// The back buffer of a text window and the layout of text in it: runs,
// wrapping, line advance and the one-line scroll.
#include "textwin/textwin.h"

#include <algorithm>

namespace zul {

namespace {

// Drawing into the back buffers and copying them to their windows happen
// under one lock: a device context serves one thread at a time, and the main
// window's thread prints its prompts into text window 0 while the worker, which
// owns the window, paints it. A call on a context busy on the other thread
// would fail and its text be lost. Re-entrant: a scroll fills, a rebuild
// releases, creates and applies colours.
CRITICAL_SECTION text_drawing_lock;
const bool text_drawing_lock_ready = (InitializeCriticalSection(&text_drawing_lock), true);

}  // namespace

void LockTextDrawing() { EnterCriticalSection(&text_drawing_lock); }
void UnlockTextDrawing() { LeaveCriticalSection(&text_drawing_lock); }

void CreateTextBackBuffer(TextWindow& t) {
  LockTextDrawing();
  t.window_dc = GetDC(t.window);
  t.memory_dc = CreateCompatibleDC(t.window_dc);
  // A minimised window reports a size of zero; the bitmap keeps one pixel.
  t.bitmap = CreateCompatibleBitmap(t.window_dc, std::max(t.width, 1), std::max(t.height, 1));
  SelectObject(t.memory_dc, GetStockObject(BLACK_BRUSH));
  SelectObject(t.memory_dc, GetStockObject(OEM_FIXED_FONT));
  t.previous_bitmap = SelectObject(t.memory_dc, t.bitmap);
  FillTextBackBuffer(t, 0);
  UnlockTextDrawing();
}

void ReleaseTextBackBuffer(TextWindow& t) {
  LockTextDrawing();
  if (t.memory_dc && t.previous_bitmap) SelectObject(t.memory_dc, t.previous_bitmap);
  if (t.bitmap) DeleteObject(t.bitmap);
  if (t.memory_dc) DeleteDC(t.memory_dc);
  if (t.window_dc) ReleaseDC(t.window, t.window_dc);
  t.bitmap = nullptr;
  t.previous_bitmap = nullptr;
  t.memory_dc = nullptr;
  t.window_dc = nullptr;
  UnlockTextDrawing();
}

void RebuildTextBackBuffer(TextWindow& t, int width, int height) {
  LockTextDrawing();
  t.width = width;
  t.height = height;
  ReleaseTextBackBuffer(t);
  CreateTextBackBuffer(t);
  t.cursor_x = t.cursor_y = 0;
  ApplyTextColours(t);
  UnlockTextDrawing();
  RebuildSnapRects();
  InvalidateWholeTextWindow(t);
}

void FillTextBackBuffer(TextWindow& t, int top) {
  if (top < 0) top = 0;
  if (top >= t.height) return;
  LockTextDrawing();
  PatBlt(t.memory_dc, 0, top, t.width, t.height - top, PATCOPY);
  UnlockTextDrawing();
}

void DrawTextUnits(TextWindow& t, int x, int y, const wchar_t* units, int count) {
  if (count <= 0) return;
  LockTextDrawing();
  TextOutW(t.memory_dc, x, y, units, count);
  UnlockTextDrawing();
}

int UnitAdvance(const TextWindow& t, wchar_t unit) {
  return unit < 0x80 ? t.char_width : 2 * t.char_width;
}

bool ScrollTextIfNeeded(TextWindow& t) {
  if (t.cursor_y + t.char_height < t.height) return false;
  int rows = t.cursor_y - t.char_height;
  LockTextDrawing();
  if (rows > 0) BitBlt(t.memory_dc, 0, 0, t.width, rows, t.memory_dc, 0, t.char_height, SRCCOPY);
  t.cursor_y -= t.char_height;
  FillTextBackBuffer(t, t.cursor_y);
  UnlockTextDrawing();
  return true;
}

bool AdvanceTextLine(TextWindow& t) {
  t.cursor_y += t.char_height;
  t.cursor_x = 0;
  return ScrollTextIfNeeded(t);
}

void InvalidateTextCells(const TextWindow& t, int x, int y, int cells) {
  RECT cell = {x, y, x + cells * t.char_width, y + t.char_height};
  InvalidateRect(t.window, &cell, FALSE);
}

void InvalidateWholeTextWindow(const TextWindow& t) { InvalidateRect(t.window, nullptr, FALSE); }

TextRows LayOutTextUnits(TextWindow& t, const wchar_t* units) {
  int first_row = t.cursor_y;
  bool scrolled = false;
  const wchar_t* run = units;
  int run_length = 0;
  int x = t.cursor_x;
  for (const wchar_t* p = units; *p; ++p) {
    if (*p == L'\n') {
      DrawTextUnits(t, t.cursor_x, t.cursor_y, run, run_length);
      run = p + 1;
      run_length = 0;
      scrolled |= AdvanceTextLine(t);
      x = 0;
      continue;
    }
    int w = UnitAdvance(t, *p);
    if (x + w > t.width) {
      DrawTextUnits(t, t.cursor_x, t.cursor_y, run, run_length);
      scrolled |= AdvanceTextLine(t);
      x = 0;
      run = p;
      run_length = 0;
    }
    run_length++;
    x += w;
  }
  if (run_length > 0) {
    DrawTextUnits(t, t.cursor_x, t.cursor_y, run, run_length);
    t.cursor_x = x;
  }
  // A scroll moved every line; otherwise only the lines from the first one
  // written to the cursor's line changed, each across the whole width.
  if (scrolled) return TextRows{0, t.height};
  return TextRows{std::max(first_row, 0), std::min(t.cursor_y + t.char_height, t.height)};
}

void CopyBackBufferToWindow(const TextWindow& t, const RECT& area) {
  LockTextDrawing();
  BitBlt(t.window_dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
         t.memory_dc, area.left, area.top, SRCCOPY);
  UnlockTextDrawing();
}

void ShowTextRows(const TextWindow& t, TextRows rows) {
  if (rows.bottom <= rows.top) return;
  RECT changed = {0, rows.top, t.width, rows.bottom};
  // The main window's thread leaves its prompts to a paint of the worker,
  // which owns the window.
  if (GetWindowThreadProcessId(t.window, nullptr) == GetCurrentThreadId()) {
    CopyBackBufferToWindow(t, changed);
    GdiFlush();
  } else {
    InvalidateRect(t.window, &changed, FALSE);
  }
}

}  // namespace zul
