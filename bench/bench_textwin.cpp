// Printing speed of a 400 x 300 text window against a baseline measured in the
// same run (plain TextOutW calls into a memory DC); showing only the changed
// rows against repainting the whole window, with and without a scroll; and the
// cost of the window's log, whose every write is flushed.
#include <cstdio>
#include <functional>
#include <string>

#include "test_support.h"

namespace {

// Seconds taken by `count` calls of `step`.
double Time(int count, const std::function<void(int)>& step) {
  int start = ZUL_GetTime();
  for (int i = 0; i < count; ++i) step(i);
  return (ZUL_GetTime() - start) / 1000.0;
}

void PrintLine(int i) { ZUL_Printf("line %d of the benchmark\n", i); }

// The same line shown by repainting the whole window: laid out, the window
// invalidated, the pump paints it.
void PrintLineRepaintingAll(int i) {
  wchar_t units[64];
  swprintf(units, 64, L"line %d of the benchmark\n", i);
  TextWindow& t = text_windows[current_text_window];
  LayOutTextUnits(t, units);
  InvalidateWholeTextWindow(t);
  PumpWorkerMessages();
}

// The cursor put back to the start of line i % 20: the next line does not scroll.
void RewindCursor(int i) {
  TextWindow& t = text_windows[current_text_window];
  t.cursor_x = 0;
  t.cursor_y = i % 20 * t.char_height;
}
void WriteLogLine(int) { WriteTextLog(0, "line 1234 of the benchmark\n"); }

}  // namespace

TEST(TextWindowBenchmark, PrintfLinesPerSecond) {
  InitializeFrameworkForTests();
  ZUL_OpenTextWindow(0, 40, 40, 400, 300);
  PumpFor(50);
  const int lines = 10000, round = lines / 20;
  const TextWindow& t = text_windows[0];
  HDC dc =
      CreateCompatibleDC(t.window_dc);  // the baseline draws into a memory DC of the window's size
  HGDIOBJ old_bitmap = SelectObject(dc, CreateCompatibleBitmap(t.window_dc, 400, 300));
  SelectObject(dc, GetStockObject(OEM_FIXED_FONT));
  double baseline = Time(lines, [&](int i) {
    wchar_t line[64];
    TextOutW(dc, 0, (i % 24) * t.char_height, line,
             swprintf(line, 64, L"line %d of the benchmark", i));
  });
  DeleteObject(SelectObject(dc, old_bitmap));
  DeleteDC(dc);
  std::string block(4000, 'x');  // 50 text lines
  for (size_t i = 79; i < block.size(); i += 80) block[i] = '\n';
  // Pairs measured in alternating rounds, so that drift hits both alike.
  double off = 0, on = 0, whole = 0, changed = 0, whole_still = 0, changed_still = 0;
  for (int r = 0; r < 20; ++r) {
    whole += Time(round, PrintLineRepaintingAll);
    changed += Time(round, PrintLine);
    whole_still += Time(round, [](int i) { RewindCursor(i), PrintLineRepaintingAll(i); });
    changed_still += Time(round, [](int i) { RewindCursor(i), PrintLine(i); });
    off += Time(round, PrintLine);
    ZUL_StartLog(0);
    on += Time(round, PrintLine);
    ZUL_StopLog(0);
  }
  ZUL_StartLog(0);
  const struct {
    const char* what;
    int count;
    double seconds;
  } rows[] = {
      {"baseline TextOutW lines", lines, baseline},
      {"one-line ZUL_Printf (scrolls)", lines, changed},
      {"the same, whole window repainted", lines, whole},
      {"one-line ZUL_Printf, no scroll", lines, changed_still},
      {"the same, whole window repainted", lines, whole_still},
      {"4000-char ZUL_Printf", 100, Time(100, [&](int) { ZUL_Printf("%s", block.c_str()); })},
      {"one-line ZUL_Printf, log off", lines, off},
      {"one-line ZUL_Printf, log on", lines, on},
      {"log write alone", 2 * lines, Time(2 * lines, WriteLogLine)},
  };
  ZUL_CloseAllLogs();
  DeleteFileA((std::string(log_directory) + "ZULLIB0.LOG").c_str());
  for (const auto& r : rows)
    std::printf(
        "%-34s %6d calls in %7.3f s = %8.0f calls/s = %6.2f x the baseline's time per line\n",
        r.what, r.count, r.seconds, r.count / r.seconds, r.seconds / r.count / (baseline / lines));
  std::printf(
      "repainting the whole window takes %.1f x the time of showing the changed rows"
      " (%.1f x when the print does not scroll)\n",
      whole / changed, whole_still / changed_still);
  std::printf("the log costs %.1f%% of a one-line print\n", (on - off) / off * 100.0);
}
