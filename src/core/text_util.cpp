// Text conversion, window-text, status-label and menu helpers, the clock and
// the pause box.
#include "core/core.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

int CodePageToWide(UINT code_page, const char* text, wchar_t* out, int capacity) {
  if (capacity <= 0) return 0;
  out[0] = 0;
  if (!text || !text[0]) return 0;
  int units = MultiByteToWideChar(code_page, 0, text, -1, out, capacity);
  if (units > 0) return units - 1;
  // Too long for the buffer: convert in full, then cut.
  int needed = MultiByteToWideChar(code_page, 0, text, -1, nullptr, 0);
  if (needed <= 0) return 0;
  std::wstring whole(static_cast<size_t>(needed), L'\0');
  MultiByteToWideChar(code_page, 0, text, -1, &whole[0], needed);
  int keep = capacity - 1;
  // Never end on the first half of a surrogate pair.
  if (keep > 0 && IS_HIGH_SURROGATE(whole[keep - 1])) keep--;
  std::memcpy(out, whole.data(), static_cast<size_t>(keep) * sizeof(wchar_t));
  out[keep] = 0;
  return keep;
}

int AnsiToWide(const char* text, wchar_t* out, int capacity) {
  return CodePageToWide(CP_ACP, text, out, capacity);
}

int WideToAnsi(const wchar_t* text, char* out, int capacity) {
  if (capacity <= 0) return 0;
  out[0] = 0;
  if (!text || !text[0]) return 0;
  int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, out, capacity, nullptr, nullptr);
  if (bytes > 0) return bytes - 1;
  // Too long: convert character by character while whole characters fit.
  int used = 0;
  for (const wchar_t* p = text; *p; ++p) {
    int len = IS_HIGH_SURROGATE(p[0]) && IS_LOW_SURROGATE(p[1]) ? 2 : 1;
    char piece[8];
    int n = WideCharToMultiByte(CP_ACP, 0, p, len, piece, sizeof piece, nullptr, nullptr);
    if (n <= 0 || used + n > capacity - 1) break;
    std::memcpy(out + used, piece, static_cast<size_t>(n));
    used += n;
    p += len - 1;
  }
  out[used] = 0;
  return used;
}

void GetWindowTextAnsi(HWND window, char* buffer, int capacity) {
  if (capacity <= 0) return;
  if (capacity > kWindowTextUnits) capacity = kWindowTextUnits;
  wchar_t wide[kWindowTextUnits];
  wide[0] = 0;
  GetWindowTextW(window, wide, capacity);
  WideToAnsi(wide, buffer, capacity);
}

void SetWindowTextAnsi(HWND window, const char* text) {
  wchar_t wide[kWindowTextUnits];
  AnsiToWide(text, wide, kWindowTextUnits);
  SetWindowTextW(window, wide);
}

void FormatStatusField(const char* text, char field[kStatusFieldBytes]) {
  std::memset(field, ' ', kStatusFieldBytes - 1);
  field[kStatusFieldBytes - 1] = 0;
  size_t length = std::strlen(text);
  int column = 18 - static_cast<int>(length / 2);
  if (column < 0) column = 0;
  size_t room = kStatusFieldBytes - 1 - static_cast<size_t>(column);
  size_t copy = length < room ? length : room;
  std::memcpy(field + column, text, copy);
  field[column + copy] = 0;
}

void SetStatusText(const char* text) {
  char field[kStatusFieldBytes];
  FormatStatusField(text, field);
  SetWindowTextAnsi(status_label, field);
}

void ShowDisplayDepth() {
  char depth[16];
  snprintf(depth, sizeof depth, "%d-bit color", bits_per_pixel);
  SetStatusText(depth);
}

void InsertMenuText(HMENU menu, UINT position, UINT state, UINT id, const char* caption) {
  wchar_t wide[kWindowTextUnits];
  AnsiToWide(caption, wide, kWindowTextUnits);
  MENUITEMINFOW item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
  item.fType = MFT_STRING;
  item.fState = state;
  item.wID = id;
  item.dwTypeData = wide;
  InsertMenuItemW(menu, position, TRUE, &item);
}

void InsertMenuSeparator(HMENU menu, UINT position) {
  MENUITEMINFOW item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_TYPE;
  item.fType = MFT_SEPARATOR;
  InsertMenuItemW(menu, position, TRUE, &item);
}

void InsertSubMenu(HMENU menu, HMENU submenu, UINT position, const char* caption) {
  wchar_t wide[kWindowTextUnits];
  AnsiToWide(caption, wide, kWindowTextUnits);
  MENUITEMINFOW item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_TYPE | MIIM_SUBMENU;
  item.fType = MFT_STRING;
  item.hSubMenu = submenu;
  item.dwTypeData = wide;
  InsertMenuItemW(menu, position, TRUE, &item);
}

int ZUL_GetTime() {
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  // Past 2^31 - 1 ms the clock wraps; differences of two readings stay right.
  double ms = std::floor(static_cast<double>(count.QuadPart) * ms_factor);
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(ms)));
}

void ZUL_PauseW(const wchar_t* text) { MessageBoxW(nullptr, text, L"Pause", MB_OK); }

void ZUL_Pause(const char* text) {
  wchar_t wide[4096];
  AnsiToWide(text, wide, 4096);
  ZUL_PauseW(wide);
}

void FormatBounded(char* out, size_t capacity, const char* format, va_list arguments) {
  if (capacity == 0) return;
  if (vsnprintf(out, capacity, format, arguments) < 0) out[0] = 0;
  out[capacity - 1] = 0;
}
