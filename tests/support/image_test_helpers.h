// Helpers shared by the image window tests and benchmarks: surface values,
// palettes made from a formula, and one timing helper that prints a figure
// beside its baseline.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "test_support.h"

using Values = std::vector<uint32_t>;

// Slot n's pixels (words, or indices on 8 bits) row by row.
inline Values ValuesOf(int n) {
  GdiFlush();
  const ImageSurface& s = image_surfaces[n];
  Values out;
  for (unsigned long y = 0; y < s.height; ++y)
    for (unsigned long x = 0; x < s.width; ++x)
      out.push_back(s.bits == 32 ? reinterpret_cast<uint32_t*>(s.base + y * s.stride)[x]
                                 : s.base[y * s.stride + x]);
  return out;
}

// Slot n's whole colour table as bytes.
inline std::string PaletteOf(int n) {
  std::string colors(1024, '\0');
  GetDIBColorTable(image_windows[n].memory_dc, 0, 256, reinterpret_cast<RGBQUAD*>(colors.data()));
  return colors;
}

// A 256-entry table whose entry i is entry(i).
inline std::vector<RGBQUAD> MakePalette(const std::function<RGBQUAD(int)>& entry) {
  std::vector<RGBQUAD> table(256);
  for (int i = 0; i < 256; ++i) table[i] = entry(i);
  return table;
}

// Milliseconds `work` takes.
inline int TimeMs(const std::function<void()>& work) {
  int start = ZUL_GetTime();
  work();
  GdiFlush();
  return ZUL_GetTime() - start;
}

// One line of figures: the case, its baseline, the measured time and their ratio.
inline void PrintFigures(const char* name, const char* baseline_name, int baseline_ms,
                         int measured_ms) {
  std::printf("%-32s %s %5d ms   measured %5d ms   ratio %.2f\n", name, baseline_name, baseline_ms,
              measured_ms, baseline_ms > 0 ? double(measured_ms) / baseline_ms : 0.0);
}

// Window n's top left corner on the screen as x * 10000 + y.
inline long CornerOf(int n) {
  RECT r = {};
  GetWindowRect(image_windows[n].window, &r);
  return r.left * 10000L + r.top;
}
