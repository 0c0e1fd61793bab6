// File names on their way from UTF-16 to the framework's ANSI calls.
#include "core/ansi_paths.h"

#include <cwchar>

#include <shellapi.h>

namespace zul {

bool ExactAnsiPath(const wchar_t* path, char out[kPathUnits]) {
  WideToAnsi(path, out, kPathUnits);
  wchar_t back[kPathUnits];
  AnsiToWide(out, back, kPathUnits);
  return std::wcscmp(back, path) == 0;
}

bool LoadablePath(const wchar_t* path, char out[kPathUnits]) {
  if (ExactAnsiPath(path, out)) return true;
  wchar_t short_path[kPathUnits];
  DWORD units = GetShortPathNameW(path, short_path, kPathUnits);
  return units > 0 && units < kPathUnits && ExactAnsiPath(short_path, out);
}

bool QueryDroppedName(HDROP drop, UINT index, wchar_t name[kPathUnits]) {
  UINT units = DragQueryFileW(drop, index, nullptr, 0);
  if (units == 0 || units >= kPathUnits) return false;
  return DragQueryFileW(drop, index, name, kPathUnits) == units;
}

}  // namespace zul
