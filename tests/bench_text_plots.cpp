// Prints the cost of the bitmap-font text and of the plots beside baselines
// measured in the same run: text against a direct glyph blit into surface
// memory, a chroma area against the same number of precomputed lines, and a
// long profile. Not a test: run it on demand and read the figures.
#include <cstdio>
#include <string>
#include <vector>

#include "imageops/bitmap_font.h"
#include "surfaces_test_util.h"

namespace {

double Now() { return ZUL_GetTime(); }

// The same glyphs written straight into the 32-bit surface, clipped per cell.
void BlitText(const std::string& text, uint32_t colour) {
  const ImageSurface& s = CurrentSurface();
  uint32_t* p = reinterpret_cast<uint32_t*>(s.base);
  const int width = static_cast<int>(s.width), height = static_cast<int>(s.height);
  int x = 0, y = 14;
  for (char c : text) {
    const uint8_t* glyph = kBitmapFont[static_cast<unsigned char>(c) - kFirstGlyph];
    for (int i = 0; i < kGlyphHeight; ++i) {
      const int row = y - kGlyphHeight + i;
      if (row < 0 || row >= height) continue;
      for (int j = 0; j < kGlyphWidth; ++j)
        if (glyph[i] & (0x80 >> j)) p[row * width + x + j] = colour;
    }
    x += kGlyphWidth;
    if (x > width - kGlyphWidth) {
      x = 0;
      y += kTextLinePitch;
    }
  }
}

}  // namespace

TEST(Benchmark, TextAndPlots) {
  InitializeFrameworkForTests();
  ASSERT_EQ(ZUL_CreateImage(0, "bench", 0, 0, 1024, 1024, 10), 0);

  std::string text(100000, ' ');
  for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>(33 + i % 94);
  double start = Now();
  BlitText(text, 0xFFFFFF);
  double blit = Now() - start;
  text_x = text_left = 0;
  text_y = 14;
  start = Now();
  ZUL_DrawText(text.c_str());
  double drawn = Now() - start;
  std::printf("100000 characters on 1024 x 1024:  ZUL_DrawText %6.1f ms   direct blit %6.1f ms  (ratio %.2f)\n",
              drawn, blit, blit > 0 ? drawn / blit : 0.0);

  constexpr int kSide = 1000;
  std::vector<uint32_t> area(static_cast<size_t>(kSide) * kSide);
  for (size_t i = 0; i < area.size(); ++i) area[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
  std::vector<int> ends(area.size() * 2);
  for (size_t i = 0; i < area.size(); ++i) {
    ends[2 * i] = 128 + ZUL_GetCb(area[i]);
    ends[2 * i + 1] = 128 - ZUL_GetCr(area[i]);
  }
  start = Now();
  for (int r = 0; r < kSide; ++r) {
    const int* row = &ends[static_cast<size_t>(r) * kSide * 2];
    ZUL_SetPixel(row[0], row[1], 0xFFFFFF);
    for (int j = 1; j < kSide; ++j) ZUL_DrawLine(0xFFFFFF, pen_x, pen_y, row[2 * j], row[2 * j + 1]);
  }
  double lines = Now() - start;
  start = Now();
  ZUL_PlotChromaArea(kSide, area.data(), kSide);
  double chroma = Now() - start;
  std::printf("chroma area 1000 x 1000:  ZUL_PlotChromaArea %7.1f ms   the lines alone %7.1f ms  (ratio %.2f)\n",
              chroma, lines, lines > 0 ? chroma / lines : 0.0);

  start = Now();
  for (int round = 0; round < 10; ++round) ZUL_PlotProfile(area.data(), 0, 100000, 0x88, 0xFFFF00);
  double hue = (Now() - start) / 10;
  start = Now();
  for (int round = 0; round < 10; ++round) ZUL_PlotProfile(area.data(), 0, 100000, 0x81, 0xFF0000);
  double red = (Now() - start) / 10;
  std::printf("profile of 100000 samples:  hue %6.2f ms   red %6.2f ms\n", hue, red);
  ZUL_DestroyImage(0);
}
