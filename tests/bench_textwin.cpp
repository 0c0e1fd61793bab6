// Printing speed of a text window: 10,000 one-line ZUL_Printf calls and 100
// calls of 4,000 characters into a 400 x 300 window, against a baseline of
// the same text drawn with plain TextOutW calls into a memory DC.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "test_support.h"

namespace {

double Seconds(int start_ms) { return (ZUL_GetTime() - start_ms) / 1000.0; }

double BaselineLines(int count) {
  const TextWindow& t = text_windows[0];
  HDC dc = CreateCompatibleDC(t.window_dc);
  HBITMAP bitmap = CreateCompatibleBitmap(t.window_dc, 400, 300);
  HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
  SelectObject(dc, GetStockObject(OEM_FIXED_FONT));
  int start = ZUL_GetTime();
  wchar_t line[64];
  for (int i = 0; i < count; ++i) {
    int n = swprintf(line, 64, L"line %d of the benchmark", i);
    TextOutW(dc, 0, (i % 24) * t.char_height, line, n);
  }
  double s = Seconds(start);
  SelectObject(dc, old_bitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return s;
}

}  // namespace

TEST(TextWindowBenchmark, PrintfLinesPerSecond) {
  InitializeFrameworkForTests();
  ZUL_OpenTextWindow(0, 40, 40, 400, 300);
  PumpFor(50);

  const int lines = 10000;
  double baseline = BaselineLines(lines);

  int start = ZUL_GetTime();
  for (int i = 0; i < lines; ++i) ZUL_Printf("line %d of the benchmark\n", i);
  double one_line = Seconds(start);

  std::string block(4000, 'x');
  for (size_t i = 79; i < block.size(); i += 80) block[i] = '\n';
  const int blocks = 100;
  int block_lines = 0;
  for (char c : block) block_lines += c == '\n';
  start = ZUL_GetTime();
  for (int i = 0; i < blocks; ++i) ZUL_Printf("%s", block.c_str());
  double big = Seconds(start);

  std::printf("one-line ZUL_Printf: %d calls in %.3f s = %.0f lines/s\n", lines, one_line,
              lines / one_line);
  std::printf("4000-char ZUL_Printf: %d calls (%d text lines each) in %.3f s = %.1f calls/s, "
              "%.0f text lines/s\n",
              blocks, block_lines, big, blocks / big, blocks * block_lines / big);
  std::printf("baseline TextOutW: %d lines in %.3f s = %.0f lines/s\n", lines, baseline,
              lines / baseline);
  std::printf("ratio ZUL_Printf / baseline time: %.1f\n", one_line / baseline);
}
