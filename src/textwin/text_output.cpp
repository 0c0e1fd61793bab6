// Printing to the current text window and clearing it.
#include "textwin/textwin.h"

#include "core/core.h"

#include <cstdarg>
#include <cstdio>

void ZUL_Printf(const char* format, ...) {
  TextWindow* t = CurrentLiveTextWindow();
  if (!t || !format) return;
  int number = current_text_window;

  // Output longer than the buffer is cut at its end.
  char text[kPrintfBytes];
  va_list args;
  va_start(args, format);
  int formatted = vsnprintf(text, sizeof text, format, args);
  va_end(args);
  if (formatted < 0) text[0] = 0;

  wchar_t units[kPrintfUnits];
  AnsiToWide(text, units, kPrintfUnits);
  WriteTextLog(number, text);
  LayOutTextUnits(*t, units);
  InvalidateWholeTextWindow(*t);
  PumpWorkerMessages();
}

void ZUL_ClearTextWindow() {
  TextWindow* t = CurrentLiveTextWindow();
  if (!t) return;
  FillTextBackBuffer(*t, 0);
  t->cursor_x = t->cursor_y = 0;
  InvalidateWholeTextWindow(*t);
  WriteTextLog(current_text_window, "\n");
}
