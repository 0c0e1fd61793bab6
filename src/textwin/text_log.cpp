// Log files of the text windows, kept per window number. Only the hooks that
// printing and input use live here so far: the state table, the write of a
// logged text and the closing of every log at exit.
#include "textwin/textwin.h"

#include <cstring>

int32_t log_state[kTextSlots];
FILE* log_file[kTextSlots];

void WriteTextLog(int number, const char* text) {
  if (!TextNumberValid(number) || log_state[number] != 1 || !log_file[number]) return;
  fwrite(text, 1, std::strlen(text), log_file[number]);
}

void ZUL_CloseAllLogs() {
  for (int n = 0; n < kTextSlots; ++n) {
    if (!text_windows[n].in_use || log_state[n] == 0) continue;
    if (log_file[n]) fclose(log_file[n]);
    log_file[n] = nullptr;
    log_state[n] = 0;
  }
}
