// Text between the framework's ANSI strings and the platform's UTF-16: code
// page conversion cut at whole characters, window texts and bounded printf.
#include "core/core.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace zul {

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

void FormatBounded(char* out, size_t capacity, const char* format, va_list arguments) {
  if (capacity == 0) return;
  if (vsnprintf(out, capacity, format, arguments) < 0) out[0] = 0;
  out[capacity - 1] = 0;
}

}  // namespace zul
