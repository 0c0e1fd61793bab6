// Printing to the current text window and clearing it.
#include "textwin/textwin.h"

#include <cstdarg>
#include <cstdio>

namespace zul {

namespace {

// Logs `text` in the log of `number`, lays it out, converted from
// `code_page`, in that text window `t`, shows it and pumps the messages.
void ShowPrintedText(TextWindow& t, int number, UINT code_page, const char* text) {
  wchar_t units[kPrintfUnits];
  CodePageToWide(code_page, text, units, kPrintfUnits);
  WriteTextLog(number, text);
  // Only the changed rows are copied to the window: a whole repaint per print
  // costs several times the print itself.
  ShowTextRows(t, LayOutTextUnits(t, units));
  PumpWorkerMessages();
}

}  // namespace

void PrintFormatted(const char* format, va_list arguments) {
  if (!format) return;
  // Output longer than the buffer is cut at its end.
  char text[kPrintfBytes];
  FormatBounded(text, sizeof text, format, arguments);
  PrintCodePageText(CP_ACP, text);
}

void PrintCodePageText(UINT code_page, const char* text) {
  int number = current_text_window;  // read once: the log goes with the window drawn into
  TextWindow* t = TextWindowLive(number) ? &text_windows[number] : nullptr;
  if (t && text) ShowPrintedText(*t, number, code_page, text);
}

}  // namespace zul

using namespace zul;

void ZUL_Printf(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  PrintFormatted(format, arguments);
  va_end(arguments);
}

void ZUL_ClearTextWindow() {
  TextWindow* t = CurrentLiveTextWindow();
  if (!t) return;
  FillTextBackBuffer(*t, 0);
  t->cursor_x = t->cursor_y = 0;
  InvalidateWholeTextWindow(*t);
  WriteTextLog(current_text_window, "\n");
}
