// Loading into 8-bit windows: every pixel becomes the nearest colour table
// entry (the lowest index of equally near ones); saved 8-bit windows come back
// index for index.
#include <cstdint>

#include "surfaces_test_util.h"

namespace {

uint32_t next_random = 12345;
uint32_t Random() {
  next_random = next_random * 1103515245u + 12345u;
  return next_random >> 8;
}

uint32_t Colour(const RGBQUAD& q) {
  return static_cast<uint32_t>(q.rgbRed) << 16 | static_cast<uint32_t>(q.rgbGreen) << 8 | q.rgbBlue;
}

// The nearest entry by trying every entry in order.
int NearestByHand(const RGBQUAD* table, uint32_t colour) {
  int best = -1;
  long best_d = 0;
  for (int i = 0; i < 256; ++i) {
    long d = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      long c = static_cast<long>((Colour(table[i]) >> shift) & 0xFF) - ((colour >> shift) & 0xFF);
      d += c * c;
    }
    if (best < 0 || d < best_d) best = i, best_d = d;
  }
  return best;
}

void SetTable(const std::vector<RGBQUAD>& table) {
  ZUL_SetPalette(table.data(), static_cast<int>(table.size()));
}

void LoadInto8Bit(int number, int width, int height, const std::vector<RGBQUAD>& table,
                  const char* file, int x, int y) {
  MakeImage(number, width, height, 8);
  SetTable(table);
  ASSERT_EQ(ZUL_LoadImageFile(file, x, y), 0) << file;
}

}  // namespace

using LoadExact8 = ImageWindowTest;

TEST_F(LoadExact8, SavedWindowsComeBackIndexForIndex) {
  std::vector<RGBQUAD> grey(256), mixed(256);
  for (int i = 0; i < 256; ++i) {
    grey[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
    // distinct colours: the blue byte is the index, red and green at random
    mixed[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(Random()), static_cast<BYTE>(Random()), 0};
  }
  const int w = 37, h = 9;
  for (const auto* table : {&grey, &mixed}) {
    for (int format : {0, 3, 4}) {
      MakeImage(1, w, h, 8);
      SetTable(*table);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) ZUL_SetPixel(x, y, static_cast<uint32_t>((x * 20 + y * 37) & 0xFF));
      ASSERT_EQ(ZUL_SaveImageFile(w, h, format, "exact8_trip"), 0);
      char file[32];
      snprintf(file, sizeof file, "exact8_trip%ls", FormatExtension(format));
      LoadInto8Bit(2, w, h, *table, file, 0, 0);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          ASSERT_EQ(pixels8[2][y * image_surfaces[2].stride + x], (x * 20 + y * 37) & 0xFF)
              << "format " << format << " at " << x << "," << y;
      ZUL_DestroyImage(2);
      ZUL_DestroyImage(1);
    }
  }
}

TEST_F(LoadExact8, EveryPixelTakesTheNearestEntryLowestIndexOnTies) {
  // A 24-bit picture: a grey ramp in row 0, hand-picked colours in row 1,
  // random colours below.
  const int w = 64, h = 40;
  std::vector<uint32_t> picture(w * h);
  for (auto& c : picture) c = Random() & 0xFFFFFF;
  for (int x = 0; x < w; ++x) picture[x] = static_cast<uint32_t>(x * 4) * 0x010101u;
  const uint32_t hand_picked[] = {0x3C0000, 0x323200, 0xFFFAFF, 0x000000};
  for (int i = 0; i < 4; ++i) picture[w + i] = hand_picked[i];
  WriteFileBytes("exact8_in.bmp",
                 Bmp24Bytes(w, h, [&](int x, int y) { return picture[y * w + x]; }));

  // Into the grey table: grey g is entry g.
  LoadInto8Bit(1, w, h, {}, "exact8_in.bmp", 0, 0);
  for (int x = 0; x < w; ++x) EXPECT_EQ(pixels8[1][x], x * 4) << x;

  // Into a table with equal and equally near entries: black, dark red, dark
  // green, dark red again, then white.
  std::vector<RGBQUAD> table(256, RGBQUAD{255, 255, 255, 0});
  table[0] = {0, 0, 0, 0};
  table[1] = {0, 0, 100, 0};
  table[2] = {0, 100, 0, 0};
  table[3] = {0, 0, 100, 0};
  LoadInto8Bit(2, w, h, table, "exact8_in.bmp", 0, 0);
  const unsigned long row1 = image_surfaces[2].stride;
  const int expected[] = {1, 0, 4, 0};  // 0x323200 is 5000 from entries 0, 1 and 2
  for (int i = 0; i < 4; ++i) EXPECT_EQ(pixels8[2][row1 + i], expected[i]) << i;

  // Into a random table, drawn at (-3, 5) into a smaller window: clipped and
  // shifted, the rows above untouched.
  for (auto& q : table) q = RGBQUAD{static_cast<BYTE>(Random()), static_cast<BYTE>(Random()),
                                    static_cast<BYTE>(Random()), 0};
  LoadInto8Bit(3, 50, 30, table, "exact8_in.bmp", -3, 5);
  const ImageSurface& s = image_surfaces[3];
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 50; ++x) {
      int want = y < 5 ? 0 : NearestByHand(table.data(), picture[(y - 5) * w + x + 3]);
      ASSERT_EQ(s.base[y * s.stride + x], want) << x << "," << y;
    }
  }
}
