// Helpers of the text window tests: opening a fresh window on the test
// thread and reading its back buffer.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "test_support.h"
#include "textwin/textwin.h"

// Closes every live text window, then opens `number` at (x, y) with the given
// client size on the calling thread.
inline TextWindow& OpenFreshTextWindow(int number, int width = -1, int height = -1, int x = 40,
                                       int y = 40) {
  InitializeFrameworkForTests();
  for (int n = 0; n < kTextSlots; ++n) {
    if (text_windows[n].in_use) ZUL_CloseTextWindow(n);
  }
  EXPECT_EQ(ZUL_OpenTextWindow(number, x, y, width, height), 0);
  PumpFor(20);
  return text_windows[number];
}

// A copy of the back buffer as 0x00RRGGBB words, rows top-down.
struct BufferCopy {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

inline BufferCopy CopyBackBuffer(const TextWindow& t) {
  BufferCopy copy;
  copy.width = t.width;
  copy.height = t.height;
  copy.pixels.assign(static_cast<size_t>(t.width) * t.height, 0);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = t.width;
  info.bmiHeader.biHeight = -t.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(t.memory_dc);
  HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, dib);
  BitBlt(dc, 0, 0, t.width, t.height, t.memory_dc, 0, 0, SRCCOPY);
  GdiFlush();
  const uint32_t* words = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < copy.pixels.size(); ++i) copy.pixels[i] = words[i] & 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(dib);
  DeleteDC(dc);
  return copy;
}

// Whether any pixel of the rectangle differs from `background`.
inline bool AreaHasInk(const BufferCopy& copy, int x, int y, int width, int height,
                       uint32_t background = 0) {
  for (int row = y; row < y + height && row < copy.height; ++row) {
    for (int col = x; col < x + width && col < copy.width; ++col) {
      if (row >= 0 && col >= 0 && copy.at(col, row) != background) return true;
    }
  }
  return false;
}

// Whether character cell (column, line) of the window shows any ink.
inline bool CellHasInk(const BufferCopy& copy, const TextWindow& t, int column, int line) {
  return AreaHasInk(copy, column * t.char_width, line * t.char_height, t.char_width,
                    t.char_height);
}

inline bool RowsEqual(const BufferCopy& a, int row_a, const BufferCopy& b, int row_b) {
  for (int x = 0; x < a.width; ++x) {
    if (a.at(x, row_a) != b.at(x, row_b)) return false;
  }
  return true;
}
