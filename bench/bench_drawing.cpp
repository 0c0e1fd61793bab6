// Prints the cost of the raster figures, the bitmap-font text and the plots
// beside baselines measured in the same run: the same work written straight
// into the surface memory, or a cheaper call of the same size. Run it on demand.
#include <algorithm>
#include <climits>
#include <cmath>
#include <random>

#include "image_test_helpers.h"
#include "imageops/bitmap_font.h"

namespace {

constexpr int kWidth = 2400, kHeight = 1440, kSide = 1000;
uint32_t* raw;  // the surface's words

// A plain Bresenham on the raw words (every end is inside).
void RawLine(int x1, int y1, int x2, int y2) {
  int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1), major = std::max(dx, dy),
      minor = std::min(dx, dy);
  int sx = x2 > x1 ? 1 : -1, sy = y2 > y1 ? kWidth : -kWidth, e = (major + 1) / 2;
  int major_step = dx >= dy ? sx : sy, minor_step = dx >= dy ? sy : sx;
  uint32_t* q = raw + y1 * kWidth + x1;
  *q = 1;
  for (int k = 0; k < major; ++k) {
    q += major_step;
    if ((e -= minor) <= 0) e += major, q += minor_step;
    *q = 1;
  }
}

void RawDisc(int cx, int cy, int r) {  // rows whose half width follows the square root
  for (int dy = -r; dy <= r; ++dy) {
    int half = static_cast<int>(std::sqrt(double(r * r - dy * dy)));
    std::fill_n(raw + (cy + dy) * kWidth + cx - half, 2 * half + 1, 1u);
  }
}

// The glyphs of `text` written straight into the surface, wrapped like the framework's, rows
// clipped.
void BlitText(const std::string& text) {
  for (int i = 0, x = 0, y = kGlyphHeight; i < int(text.size()); ++i) {
    const uint8_t* glyph = kBitmapFont[static_cast<unsigned char>(text[i]) - kFirstGlyph];
    for (int row = 0; row < kGlyphHeight && y - kGlyphHeight + row < kHeight; ++row)
      for (int j = 0; j < kGlyphWidth; ++j)
        if (glyph[row] & (0x80 >> j)) raw[(y - kGlyphHeight + row) * kWidth + x + j] = 0xFFFFFF;
    if ((x += kGlyphWidth) > kWidth - kGlyphWidth) x = 0, y += kTextLinePitch;
  }
}

// The fastest of five runs of `work` in milliseconds (the machine is shared).
int BestMs(const std::function<void()>& work) {
  int best = INT_MAX;
  for (int round = 0; round < 5; ++round) best = std::min(best, TimeMs(work));
  return best;
}

// `work` done n times, for the cases too quick to time in milliseconds.
std::function<void()> Times(int n, std::function<void()> work) {
  return [=] {
    for (int i = 0; i < n; ++i) work();
  };
}

}  // namespace

TEST(Benchmark, DrawingAgainstBaselines) {
  InitializeFrameworkForTests();
  ASSERT_EQ(ZUL_CreateImage(0, "bench", 0, 0, kWidth, kHeight, 100), 0);
  raw = pixels[0];
  std::mt19937 random(1);
  std::vector<int> v(40000);  // line ends, then disc centres 100 pixels inside
  for (size_t i = 0; i < v.size(); ++i) v[i] = int(random() % (i % 2 ? kHeight : kWidth));
  auto centre = [&](size_t i) { return 100 + v[i] % ((i % 2 ? kHeight : kWidth) - 200); };
  std::string text(100000, ' ');
  for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>(33 + i % 94);
  std::vector<uint32_t> area(size_t(kSide) * kSide);
  std::vector<int> ends(area.size() * 2);  // each sample's chroma point
  for (size_t i = 0; i < area.size(); ++i) {
    area[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
    ends[2 * i] = 128 + ZUL_GetCb(area[i]), ends[2 * i + 1] = 128 - ZUL_GetCr(area[i]);
  }
  auto lines = [&](void (*line)(int, int, int, int)) {
    for (size_t i = 0; i < v.size(); i += 4) line(v[i], v[i + 1], v[i + 2], v[i + 3]);
  };
  auto discs = [&](void (*disc)(int, int, int)) {
    for (size_t i = 0; i < 2000; i += 2) disc(centre(i), centre(i + 1), 100);
  };
  auto chroma_lines = [&] {
    for (size_t r = 0; r < kSide; ++r) {
      const int* row = &ends[r * kSide * 2];
      ZUL_SetPixel(row[0], row[1], 0xFFFFFF);
      for (int j = 1; j < kSide; ++j)
        ZUL_DrawLine(0xFFFFFF, pen_x, pen_y, row[2 * j], row[2 * j + 1]);
    }
  };
  const int huge = 1000000000;
  const struct {
    const char* name;
    std::function<void()> work, baseline;
    const char* against;
  } cases[] = {
      {"10,000 random lines",
       [&] { lines([](int a, int b, int c, int d) { ZUL_DrawLine(2, a, b, c, d); }); },
       [&] { lines(RawLine); }, "raw memory"},
      {"1,000 discs r = 100", [&] { discs(ZUL_FillCircle); }, [&] { discs(RawDisc); },
       "raw memory"},
      {"20 boxes of +-1e9 (surface)", Times(20, [=] { ZUL_FillBox(-huge, -huge, huge, huge); }),
       Times(20, [] { std::fill_n(raw, kWidth * kHeight, 3u); }), "raw memory"},
      {"10 x 100,000 characters",
       Times(10, [&] { text_x = text_left = 0, text_y = 14, ZUL_DrawText(text.c_str()); }),
       Times(10, [&] { BlitText(text); }), "direct blit"},
      {"chroma area 1000 x 1000", [&] { ZUL_PlotChromaArea(kSide, area.data(), kSide); },
       chroma_lines, "lines alone"},
      {"profile of 100,000: hue", [&] { ZUL_PlotProfile(area.data(), 0, 100000, 0x88, 0xFFFF00); },
       [&] { ZUL_PlotProfile(area.data(), 0, 100000, 0x81, 0xFF0000); }, "red profile"},
  };
  std::printf("%d x %d 32-bit surface, the fastest of five runs each\n", kWidth, kHeight);
  draw_color = 0x654321;
  for (const auto& c : cases) PrintFigures(c.name, c.against, BestMs(c.baseline), BestMs(c.work));
  draw_color = 0xFFFFFF;
}
