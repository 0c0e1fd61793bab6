// Line input in the current text window: echo with a blinking caret,
// Backspace across wrapped lines, recall of the previous line and paste of the
// clipboard's first line.
#include "textwin/textwin.h"

#include <cstdio>
#include <cwchar>

namespace zul {

wchar_t last_input[kInputLineUnits + 1];  // the thread that reads lines

namespace {

// Each typed unit can wrap the cursor at most twice (a double-width character
// that does not fit, then wraps again in a window narrower than two cells).
constexpr int kWrapStackDepth = 2 * kInputLineUnits;

struct InputLine {
  wchar_t units[kInputLineUnits + 1];
  int length;
  int wrap_stack[kWrapStackDepth];  // x where each wrapped screen line ended
  int wrap_count;
  int caret_phase;  // 1 visible, 0 hidden
  bool caret_redraw;
  int last_toggle;
};

void PushWrap(InputLine& line, int x) {
  if (line.wrap_count < kWrapStackDepth) line.wrap_stack[line.wrap_count++] = x;
}

int PopWrap(InputLine& line) {
  return line.wrap_count > 0 ? line.wrap_stack[--line.wrap_count] : 0;
}

int TopWrap(const InputLine& line) { return line.wrap_stack[line.wrap_count - 1]; }

// Draws one unit at the cursor and invalidates its cells.
void DrawCursorUnit(TextWindow& t, wchar_t unit) {
  DrawTextUnits(t, t.cursor_x, t.cursor_y, &unit, 1);
  InvalidateTextCells(t, t.cursor_x, t.cursor_y, unit < 0x80 ? 1 : 2);
}

// Blanks the two cells of a removed double-width character. Two narrow
// spaces do it in any font; an ideographic space would leave a missing-glyph
// box in fonts without one.
void BlankTwoCells(TextWindow& t) {
  DrawTextUnits(t, t.cursor_x, t.cursor_y, L"  ", 2);
  InvalidateTextCells(t, t.cursor_x, t.cursor_y, 2);
}

void DrawCaret(TextWindow& t, InputLine& line) {
  DrawCursorUnit(t, line.caret_phase ? L'_' : L' ');
  line.caret_redraw = false;
}

void WrapInputLine(TextWindow& t, InputLine& line, int saved_x) {
  PushWrap(line, saved_x);
  if (AdvanceTextLine(t)) InvalidateWholeTextWindow(t);
}

void InsertUnit(TextWindow& t, InputLine& line, wchar_t c) {
  int cells = c >= 0x80 ? 2 : 1;
  if (cells == 2 && t.cursor_x > t.width - 2 * t.char_width) {
    DrawCursorUnit(t, L' ');
    WrapInputLine(t, line, t.cursor_x + 2 * t.char_width);
  }
  DrawCursorUnit(t, c);
  if (t.cursor_x + cells * t.char_width > t.width - t.char_width) {
    WrapInputLine(t, line, t.cursor_x);
  } else {
    t.cursor_x += cells * t.char_width;
  }
  line.units[line.length++] = c;
  DrawCaret(t, line);
}

void EraseUnit(TextWindow& t, InputLine& line) {
  DrawCursorUnit(t, L' ');
  wchar_t removed = line.units[--line.length];
  int cells = removed >= 0x80 ? 2 : 1;
  if (line.wrap_count > 0 && t.cursor_x == 0) {
    t.cursor_x = PopWrap(line);
    t.cursor_y -= t.char_height;
  } else {
    t.cursor_x -= cells * t.char_width;
  }
  if (cells == 2) {
    BlankTwoCells(t);
    if (line.wrap_count > 0 && t.cursor_x == 0 && TopWrap(line) >= t.width) {
      t.cursor_x = PopWrap(line) - 2 * t.char_width;
      t.cursor_y -= t.char_height;
    }
  }
  // The narrow cell under the cursor is blanked by the next caret blink.
}

void EditLine(TextWindow& t, InputLine& line, wchar_t c) {
  if (c == 8) {
    if (line.length > 0) EraseUnit(t, line);
    return;
  }
  if (c == 0 || line.length >= kInputLineUnits) return;
  InsertUnit(t, line, c);
}

// Queues the last accepted line as if it were typed after what is queued.
void RecallLastInput() {
  for (int i = 0; i < kInputLineUnits && last_input[i]; ++i) PutKeyUnit(last_input[i]);
}

// Queues the clipboard text up to its first line end.
void PasteClipboardLine() {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(nullptr)) return;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const wchar_t* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
  if (text) {
    size_t units = GlobalSize(data) / sizeof(wchar_t);
    for (size_t i = 0; i < units; ++i) {
      wchar_t c = text[i];
      if (c == 0 || c == L'\n' || c == L'\r' || !PutKeyUnitIfRoom(c)) break;
    }
    GlobalUnlock(data);
  }
  CloseClipboard();
}

void ServeInputAction() {
  int32_t action = input_action;
  if (action == kInputActionRecall) {
    RecallLastInput();
    input_action = kInputActionNone;
  } else if (action == kInputActionPaste) {
    PasteClipboardLine();
    input_action = kInputActionNone;
  }
}

void ToggleCaretWhenDue(InputLine& line) {
  int now = ZUL_GetTime();
  if (now - line.last_toggle > kCaretBlinkMs) {
    line.last_toggle = now;
    line.caret_phase = 1 - line.caret_phase;
    line.caret_redraw = true;
  }
}

// Waits briefly for messages when there is nothing to do; a message, a
// queued unit from another thread or the next blink ends the wait at once.
void IdleUntilInput() {
  if (queue_read >= 0 || input_action != kInputActionNone) return;
  MsgWaitForMultipleObjectsEx(0, nullptr, 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void AcceptLine(TextWindow& t, InputLine& line, int number, char* buffer) {
  text_input_pending = kNoInputPending;
  DrawCursorUnit(t, L' ');
  if (AdvanceTextLine(t)) InvalidateWholeTextWindow(t);
  line.units[line.length] = 0;
  wcsncpy(last_input, line.units, kInputLineUnits);
  last_input[kInputLineUnits] = 0;
  WideToAnsi(line.units, buffer, kInputBufferBytes);
  WriteTextLog(number, buffer);
  WriteTextLog(number, "\n");
}

}  // namespace

}  // namespace zul

using namespace zul;

void ZUL_Input(char* buffer) {
  if (!buffer || !CurrentLiveTextWindow()) return;
  int number = current_text_window;
  TextWindow& t = text_windows[number];
  SetForegroundWindow(t.window);
  buffer[0] = 0;
  SetStatusText("Input text");

  InputLine line = {};
  line.last_toggle = ZUL_GetTime();
  line.caret_phase = 1;
  line.caret_redraw = true;
  text_input_pending = InputMarkerOf(number);
  for (;;) {
    PumpWorkerMessages();
    wchar_t c = TakeKeyUnit();
    if (c == 9) c = L' ';
    // A closed window or Exit ends the input before anything else is drawn.
    if (text_input_pending == kNoInputPending) break;
    if (c == 13) {
      AcceptLine(t, line, number, buffer);
      break;
    }
    ServeInputAction();
    if (text_input_pending == kNoInputPending) break;
    EditLine(t, line, c);
    if (line.caret_redraw) DrawCaret(t, line);
    ToggleCaretWhenDue(line);
    if (c == 0) IdleUntilInput();
  }
  ShowDisplayDepth();
}
