// Prompts: a question printed in the current text window and the line typed
// there, read as text or as a number.
#include "core/core.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kPromptTextBytes = 4096;  // as much as one print shows

bool ReadPromptLine(char line[kPromptLineBytes], const char* format, va_list arguments) {
  char prompt[kPromptTextBytes];
  FormatBounded(prompt, sizeof prompt, format, arguments);
  ZUL_Printf("%s", prompt);
  line[0] = 0;  // stays empty when no live text window can read the line
  ZUL_Input(line);
  line[kPromptLineBytes - 1] = 0;
  return quit_state == 0;
}

}  // namespace

int ClampToInt(int64_t value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

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
