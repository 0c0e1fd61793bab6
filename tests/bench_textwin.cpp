// Printing speed of a text window: 10,000 one-line ZUL_Printf calls and 100
// calls of 4,000 characters into a 400 x 300 window, against a baseline of
// the same text drawn with plain TextOutW calls into a memory DC; and the
// one-line calls with the window's log off and on (every log write flushed).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/core.h"
#include "test_support.h"
#include "textwin/textwin.h"

namespace {

double Seconds(int start_ms) { return (ZUL_GetTime() - start_ms) / 1000.0; }

// Seconds for `count` one-line prints.
double TimeLines(int count) {
  int start = ZUL_GetTime();
  for (int i = 0; i < count; ++i) ZUL_Printf("line %d of the benchmark\n", i);
  return Seconds(start);
}

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

  double one_line = TimeLines(lines);

  std::string block(4000, 'x');
  for (size_t i = 79; i < block.size(); i += 80) block[i] = '\n';
  const int blocks = 100;
  int block_lines = 0;
  for (char c : block) block_lines += c == '\n';
  int start = ZUL_GetTime();
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

  // Log off and on in alternating rounds, so that drift hits both alike.
  const int rounds = 20, round_lines = 500, total_writes = 20000;
  double off = 0, on = 0;
  for (int r = 0; r < rounds; ++r) {
    off += TimeLines(round_lines);
    ZUL_StartLog(0);
    on += TimeLines(round_lines);
    ZUL_StopLog(0);
  }
  // The log write by itself (flushed), against the print it belongs to.
  ZUL_StartLog(0);
  int start_writes = ZUL_GetTime();
  for (int i = 0; i < total_writes; ++i) WriteTextLog(0, "line 1234 of the benchmark\n");
  double writes = Seconds(start_writes);
  ZUL_CloseAllLogs();
  DeleteFileA((std::string(log_directory) + "ZULLIB0.LOG").c_str());
  int total = rounds * round_lines;
  std::printf("one-line ZUL_Printf, log off: %.0f lines/s; log on (flushed): %.0f lines/s; "
              "the log costs %.1f%%\n",
              total / off, total / on, (on - off) / off * 100.0);
  std::printf("log write alone: %.1f us per line = %.2f%% of a one-line print\n",
              writes / total_writes * 1e6, writes / total_writes / (off / total) * 100.0);
}
