// Prompts: a question printed in the current text window and the line typed
// there, read as text or as a number.
#include "textwin/textwin.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace zul {

namespace {

constexpr int kPromptTextBytes = 4096;  // as much as one print shows

bool ReadPromptLine(char line[kPromptLineBytes], const char* format, va_list arguments) {
  char prompt[kPromptTextBytes];
  FormatBounded(prompt, sizeof prompt, format, arguments);
  ZUL_Printf("%s", prompt);
  line[0] = 0;  // stays empty when no live text window can read the line
  ZUL_Input(line);
  line[kPromptLineBytes - 1] = 0;
  return quit_state == kQuitNone;
}

}  // namespace

int ParseTypedNumber(const char* text) {
  if (text == nullptr) return 0;
  return ClampToInt(std::strtoll(text, nullptr, 10));
}

bool PromptLine(char line[kPromptLineBytes], const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  bool going_on = ReadPromptLine(line, format, arguments);
  va_end(arguments);
  return going_on;
}

bool PromptNumber(int* value, const char* format, ...) {
  char line[kPromptLineBytes];
  va_list arguments;
  va_start(arguments, format);
  bool going_on = ReadPromptLine(line, format, arguments);
  va_end(arguments);
  *value = ParseTypedNumber(line);
  return going_on;
}

bool PromptNewCaption(HWND control, int index, char line[kPromptLineBytes]) {
  wchar_t wide[kCaptionPromptUnits];
  wide[0] = 0;
  GetWindowTextW(control, wide, kCaptionPromptUnits);
  char caption[kCaptionPromptUnits * 2];
  WideToAnsi(wide, caption, sizeof caption);
  ZUL_ShowTextWindow();
  PromptLine(line, "%d '%s' ->", index, caption);
  return line[0] != 0;
}

}  // namespace zul
