// The "Pause" message box.
#include "core/core.h"

using namespace zul;

void ZUL_PauseW(const wchar_t* text) { MessageBoxW(nullptr, text, L"Pause", MB_OK); }

void ZUL_Pause(const char* text) {
  wchar_t wide[4096];
  AnsiToWide(text, wide, 4096);
  ZUL_PauseW(wide);
}
