// Prints the times of the lenticular renderings, each beside baselines measured
// in the same run, and checks that the fast ways draw the same pictures:
// - the classic 800 x 480 press: the rendering in memory against the way it
//   was drawn before (a pixel call for every sample and channel) and against
//   a plain loop over raw memory;
// - the free interlacer at 4K (3840 x 2160, slant 1/3, pitch 9.7, 8 views of
//   1920 x 1080): the view map on every core against the plain single-thread
//   model and against reading the input and writing the output once;
// - a press at 4K in the bench, from the button to the window on screen;
// - an 8K panel (7680 x 4320, 17 views): time and memory.
// Run it on demand; every figure is the median of several rounds.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "core/parallel.h"
#include "interlace/interlace.h"
#include "lenti.h"
#include "test_support.h"

#include <psapi.h>  // after the Windows headers

namespace {

double Now() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return count.QuadPart * 1000.0 / frequency.QuadPart;
}

// Median milliseconds of `rounds` calls of `work(round)`.
double MedianMs(int rounds, const std::function<void(int)>& work) {
  std::vector<double> ms;
  for (int i = 0; i < rounds; ++i) {
    double start = Now();
    work(i);
    ms.push_back(Now() - start);
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

void Row(const char* what, double ms, double baseline_ms, const char* baseline) {
  std::printf("  %-52s %9.3f ms  = %6.3f x %s\n", what, ms, ms / baseline_ms, baseline);
}

// ---- the classic press, drawn as before: a pixel call per sample and channel ----------

void WriteChannelByCalls(int x, int y, uint32_t colour, uint32_t mask) {
  uint32_t kept = ZUL_GetPixel(x, y) & ~mask & 0xFFFFFF;
  ZUL_SetPixel(x, y, kept | (colour & mask));
}

void WriteSubpixelsByCalls(int o, int a, uint32_t colour) {
  const int col = a / 3, y0 = 3 * o;
  switch (a % 3) {
    case 0:
      WriteChannelByCalls(col, y0, colour, 0xFF0000),
          WriteChannelByCalls(col, y0 + 1, colour, 0xFF00);
      WriteChannelByCalls(col, y0 + 2, colour, 0xFF);
      break;
    case 1:
      WriteChannelByCalls(col, y0, colour, 0xFF),
          WriteChannelByCalls(col + 1, y0 + 1, colour, 0xFF0000);
      WriteChannelByCalls(col + 1, y0 + 2, colour, 0xFF00);
      break;
    case 2:
      WriteChannelByCalls(col, y0, colour, 0xFF00), WriteChannelByCalls(col, y0 + 1, colour, 0xFF);
      WriteChannelByCalls(col + 1, y0 + 2, colour, 0xFF0000);
      break;
    default: break;
  }
}

void RenderByPixelCalls(const ClassicParameters& p) {
  const double dt = p.pitch / p.views;
  const int picture_width = image_surfaces[kWorkWindow].width / p.pictures;
  std::vector<int> widths;
  uint32_t prev[kRowBlocks] = {};
  double frac = 0, t = dt;
  bool blend = false;
  for (int x = 0; x < kOutputSubpixels;) {
    ComputeViewWidths(x, t, dt, p.views, &widths);
    int base = static_cast<int>(std::trunc(x == 0 ? p.pitch : t));
    for (int v = 0, k = 0; v < p.views;) {
      int width = widths[v];
      int sx = width == 0 ? 0 : v * picture_width + base - int(std::trunc((p.pitch / width) * k));
      for (int o = 0; o < kRowBlocks; ++o) {
        ZUL_SelectImage(kWorkWindow);
        uint32_t c = width == 0 ? 0 : ZUL_GetPixel(sx + 3 * o, 3 * o);
        uint32_t out = k < p.gap ? 0 : blend && p.aa ? BlendColors(frac, c, prev[o]) : c;
        prev[o] = c;
        ZUL_SelectImage(kOutputWindow);
        WriteSubpixelsByCalls(o, x + 3 * o + (v != 0 ? p.pos : 0), out);
      }
      blend = ++x >= std::trunc(t);
      if (blend)
        frac = t - std::trunc(t), ++v, k = 0, t += dt;
      else
        ++k;
    }
  }
}

// The same interlacing as a plain loop over raw memory (the baseline of what
// memory allows): block o of sub-pixel column a covers rows 3o + s, each at
// sub-pixel 3 (a / 3) + (3 - a % 3) % 3 + s of its row, R, G, B from the left.
void RenderRaw(const ClassicParameters& p, const uint32_t* work, int work_width, uint32_t* out) {
  std::memset(out, 0, 800 * 480 * 4);
  const double dt = p.pitch / p.views;
  const int picture_width = work_width / p.pictures;
  std::vector<int> widths;
  uint32_t prev[kRowBlocks] = {};
  double frac = 0, t = dt;
  bool blend = false;
  for (int x = 0; x < kOutputSubpixels;) {
    ComputeViewWidths(x, t, dt, p.views, &widths);
    int base = static_cast<int>(std::trunc(x == 0 ? p.pitch : t));
    for (int v = 0, k = 0; v < p.views;) {
      int width = widths[v];
      int sx = width == 0 ? 0 : v * picture_width + base - int(std::trunc((p.pitch / width) * k));
      for (int o = 0; o < kRowBlocks; ++o) {
        bool inside = width != 0 && unsigned(sx + 3 * o) < unsigned(work_width);
        uint32_t c = inside ? work[3 * o * work_width + sx + 3 * o] : 0;
        uint32_t colour = k < p.gap ? 0 : blend && p.aa ? BlendColors(frac, c, prev[o]) : c;
        prev[o] = c;
        int a = x + 3 * o + (v != 0 ? p.pos : 0);
        for (int s = 0; s < 3; ++s) {
          int sub = 3 * (a / 3) + (3 - a % 3) % 3 + s, px = sub / 3;
          if (a < 0 || px >= 800) continue;
          uint32_t mask = 0xFF0000u >> (8 * (sub % 3)), &word = out[(3 * o + s) * 800 + px];
          word = (word & ~mask & 0xFFFFFF) | (colour & mask);
        }
      }
      blend = ++x >= std::trunc(t);
      if (blend)
        frac = t - std::trunc(t), ++v, k = 0, t += dt;
      else
        ++k;
    }
  }
}

Picture SurfaceOf(int number) {
  const ImageSurface& s = image_surfaces[number];
  return Picture{reinterpret_cast<uint32_t*>(s.base), int(s.width), int(s.height),
                 ptrdiff_t(s.stride / 4)};
}

uint32_t Scrambled(size_t i) { return uint32_t(i * 2654435761u >> 8) & 0xFFFFFF; }

// Eight 1920 x 1080 views side by side, as a 4K panel's input.
std::vector<uint32_t> EightViews() {
  std::vector<uint32_t> input(size_t(15360) * 1080);
  for (size_t i = 0; i < input.size(); ++i) input[i] = Scrambled(i);
  return input;
}

LentiSettings FourK() {
  LentiSettings s;
  char error[128];
  for (auto [key, value] : {std::make_pair("size", "3840x2160"), std::make_pair("slant", "1/3"),
                            std::make_pair("pitch", "9.7"), std::make_pair("views", "8"),
                            std::make_pair("pics", "8"), std::make_pair("interlacer", "free")})
    SetSetting(&s, key, value, error, sizeof error);
  return s;
}

}  // namespace

TEST(LentiBenchmark, ClassicPress) {
  InitializeFrameworkForTests();
  const ClassicParameters p = {23.006, 2, 2, 0, 0, 1};
  ZUL_OpenTextWindow(0, 0, 0, 198, 198);
  // The typical input: two 800 x 480 views side by side, tripled to 4800 wide.
  ZUL_CreateImage(kWorkWindow, "work", 0, 300, 4800, 480, 10);
  for (int i = 0; i < 4800 * 480; ++i) ZUL_PlotPixel(i % 4800, i / 4800, Scrambled(size_t(i)));
  ZUL_CreateImage(kOutputWindow, "Hello,there!", 0, 0, 800, 480, 100);
  std::vector<uint32_t> raw(800 * 480);
  const uint32_t* work = reinterpret_cast<const uint32_t*>(image_surfaces[kWorkWindow].base);
  const int kPresses = 30;
  double raw_ms = MedianMs(kPresses, [&](int) { RenderRaw(p, work, 4800, raw.data()); });
  double calls_ms = MedianMs(kPresses, [&](int) { RenderByPixelCalls(p); });
  std::vector<uint32_t> by_calls(800 * 480);
  std::memcpy(by_calls.data(), image_surfaces[kOutputWindow].base, by_calls.size() * 4);
  double render_ms = MedianMs(
      kPresses, [&](int) { RenderClassic(p, SurfaceOf(kWorkWindow), SurfaceOf(kOutputWindow)); });
  bool same =
      std::memcmp(by_calls.data(), image_surfaces[kOutputWindow].base, 800 * 480 * 4) == 0 &&
      raw == by_calls;
  pitch = p.pitch, pic_num = p.pictures, view_num = p.views, AA = p.aa;
  double press_ms =
      MedianMs(kPresses, [&](int i) { pitch = 23.006 + (i % 10) * 0.001, RenderLenticular(); });
  std::printf("Classic press, 800 x 480, AA on (%d presses each):\n", kPresses);
  Row("raw memory, a plain loop (baseline)", raw_ms, raw_ms, "raw");
  Row("the previous way: a pixel call per sample and channel", calls_ms, raw_ms, "raw");
  Row("the rendering itself, in memory", render_ms, raw_ms, "raw");
  Row("a press: rendering, redraw and printout", press_ms, calls_ms, "previous way");
  std::printf("  the three draw the same picture: %s\n", same ? "yes" : "NO");
  EXPECT_TRUE(same);
}

TEST(LentiBenchmark, FreeInterlacerAt4K) {
  const LentiSettings s = FourK();
  std::vector<uint32_t> input = EightViews(), out(size_t(3840) * 2160), plain(out.size());
  const Picture in = {input.data(), 15360, 1080, 15360}, output = {out.data(), 3840, 2160, 3840};
  ViewPictures views = {};
  views.count = 8;
  for (int v = 0; v < 8; ++v) views.view[v] = PicturePart(in, 1920 * v, 0, 1920, 1080);
  double plain_ms = MedianMs(3, [&](int) {
    RenderFreeRows(GeometryOf(s, s.pitch), views, Picture{plain.data(), 3840, 2160, 3840}, 0, 2160);
  });
  volatile uint32_t sink = 0;
  double memory_ms = MedianMs(9, [&](int) {  // the input read once, the output written once
    uint32_t sum = 0;
    for (size_t i = 0; i < input.size(); i += 16) sum += input[i];
    std::memset(out.data(), 0, out.size() * 4);
    sink = sink + sum;
  });
  InterlaceState state = {};
  char error[128];
  double press_ms = MedianMs(9, [&](int i) {  // each with a new pitch: the map made again
    LentiSettings changed = s;
    changed.pitch = 9.7 + 0.001 * (i % 2 ? 1 : -1);
    Interlace(&state, changed, &in, output, error, sizeof error);
  });
  double render_ms =
      MedianMs(15, [&](int) { Interlace(&state, s, &in, output, error, sizeof error); });
  ReleaseInterlaceState(&state);
  std::printf(
      "Free interlacer, 3840 x 2160, slant 1/3, pitch 9.7, 8 views of 1920 x 1080, %d threads:\n",
      zul::WorkingThreads());
  Row("the plain single-thread model (baseline)", plain_ms, plain_ms, "plain");
  Row("memory alone: the input read, the output written", memory_ms, plain_ms, "plain");
  Row("a rendering with the view map kept", render_ms, memory_ms, "memory alone");
  Row("a rendering with a new pitch (the map made again)", press_ms, memory_ms, "memory alone");
  std::printf("  the view map draws the model's picture: %s\n", out == plain ? "yes" : "NO");
  EXPECT_TRUE(out == plain);
}

TEST(LentiBenchmark, PressToScreenAt4K) {
  InitializeFrameworkForTests();
  for (int n : {kInputWindow, kWorkWindow, kOutputWindow}) ZUL_DestroyImage(n);
  ZUL_OpenTextWindow(0, 0, 0, 198, 198);
  ASSERT_EQ(ZUL_CreateImage(kInputWindow, "000 eight views", 0, 0, 15360, 1080, 10), 0);
  std::vector<uint32_t> input = EightViews();
  for (int y = 0; y < 1080; ++y)
    std::memcpy(image_surfaces[kInputWindow].base + y * image_surfaces[kInputWindow].stride,
                input.data() + size_t(y) * 15360, 15360 * 4);
  ApplySettings(FourK());
  ASSERT_EQ(ZUL_CreateImage(kOutputWindow, "Hello,there!", 0, 0, 3840, 2160, 100), 0);
  RenderLenticular();
  double redraw_ms = MedianMs(9, [](int) { ZUL_RedrawImage(kOutputWindow), GdiFlush(); });
  double press_ms = MedianMs(9, [](int i) {
    PressButton(i % 2 ? kPitchUpFinest : kPitchDownFinest);
    RenderLenticular();
    GdiFlush();
  });
  panel_settings.interlacer = InterlacerKind::kFree;
  std::printf("A press at 4K in the bench (window shown at %d%%):\n",
              image_windows[kOutputWindow].zoom);
  Row("showing the output window (ZUL_RedrawImage)", redraw_ms, redraw_ms, "redraw");
  Row("pitch+0.001: rendering, redraw and printout", press_ms, redraw_ms, "redraw");
}

TEST(LentiBenchmark, EightKPanel) {
  LentiSettings s;
  char error[128];
  for (auto [key, value] : {std::make_pair("size", "7680x4320"), std::make_pair("slant", "2/3"),
                            std::make_pair("pitch", "12.3"), std::make_pair("views", "17"),
                            std::make_pair("chart", "views"), std::make_pair("interlacer", "free")})
    SetSetting(&s, key, value, error, sizeof error);
  OwnedPicture output;
  ASSERT_TRUE(MakePicture(7680, 4320, &output));
  InterlaceState state = {};
  double first_ms =
      MedianMs(1, [&](int) { Interlace(&state, s, nullptr, output.picture, error, sizeof error); });
  double again_ms =
      MedianMs(5, [&](int) { Interlace(&state, s, nullptr, output.picture, error, sizeof error); });
  PROCESS_MEMORY_COUNTERS memory = {};
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  std::printf("8K panel, 7680 x 4320, slant 2/3, 17 views (views chart):\n");
  Row("the first rendering (the view map made)", first_ms, again_ms, "again");
  Row("a rendering again", again_ms, again_ms, "again");
  std::printf("  largest working set of the process: %.0f MB\n",
              memory.PeakWorkingSetSize / 1048576.0);
  ReleaseInterlaceState(&state);
  FreePicture(&output);
}
