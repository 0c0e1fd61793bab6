// Loading into 8-bit windows: every pixel becomes the nearest colour table
// entry (the lowest index of equally near ones); saved 8-bit windows come back
// index for index.
#include "image_test_helpers.h"

namespace {

uint32_t next_random = 12345;
BYTE Random() {
  return static_cast<BYTE>((next_random = next_random * 1103515245u + 12345u) >> 16);
}

// The nearest entry by trying every entry in order.
int NearestByHand(const std::vector<RGBQUAD>& table, uint32_t c) {
  int best = 0;
  long best_d = 1L << 30;
  for (int i = 0; i < 256; ++i) {
    long dr = table[i].rgbRed - long(c >> 16 & 0xFF), dg = table[i].rgbGreen - long(c >> 8 & 0xFF);
    long db = table[i].rgbBlue - long(c & 0xFF), d = dr * dr + dg * dg + db * db;
    if (d < best_d) best = i, best_d = d;
  }
  return best;
}

// Opens 8-bit window `number` with `table` and loads `file` at (x, y) into it.
const ImageSurface& LoadInto8Bit(int number, int w, int h, const std::vector<RGBQUAD>& table,
                                 const char* file, int x = 0, int y = 0) {
  MakeImage(number, w, h, 8);
  ZUL_SetPalette(table.data(), static_cast<int>(table.size()));
  EXPECT_EQ(ZUL_LoadImageFile(file, x, y), 0) << file;
  return image_surfaces[number];
}

}  // namespace

using LoadExact8 = ImageWindowTest;

TEST_F(LoadExact8, SavedWindowsComeBackIndexForIndex) {
  auto grey = MakePalette([](int i) { return RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0}; });
  auto mixed = MakePalette([](int i) {
    return RGBQUAD{BYTE(i), Random(), Random(), 0};
  });                       // blue: the index
  const int w = 37, h = 9;  // rows need padding
  auto value = [](int x, int y) { return uint32_t(x * 20 + y * 37) & 0xFF; };
  Values expected;
  for (int i = 0; i < w * h; ++i) expected.push_back(value(i % w, i / w));
  for (const auto* table : {&grey, &mixed})
    for (auto [format, file] :
         {std::pair{0, "exact8_trip.bmp"}, {3, "exact8_trip.png"}, {4, "exact8_trip.tif"}}) {
      DestroyAllImages();
      MakeImage(1, w, h, 8);
      ZUL_SetPalette(table->data(), 256);
      FillImage(w, h, value);
      ASSERT_EQ(ZUL_SaveImageFile(w, h, format, file), 0);
      LoadInto8Bit(2, w, h, *table, file);
      EXPECT_EQ(ValuesOf(2), expected) << file;
    }
}

TEST_F(LoadExact8, EveryPixelTakesTheNearestEntryLowestIndexOnTies) {
  // Row 0 a grey ramp, row 1 hand-picked colours, random colours below.
  const int w = 64, h = 40;
  std::vector<uint32_t> picture(w * h);
  for (auto& c : picture) c = uint32_t(Random()) << 16 | uint32_t(Random()) << 8 | Random();
  for (int x = 0; x < w; ++x) picture[x] = static_cast<uint32_t>(x * 4) * 0x010101u;
  const uint32_t hand_picked[] = {0x3C0000, 0x323200, 0xFFFAFF, 0x000000};
  for (int i = 0; i < 4; ++i) picture[w + i] = hand_picked[i];
  WriteBytesToFile(L"exact8_in.bmp",
                   Bmp24Bytes(w, h, [&](int x, int y) { return picture[y * w + x]; }));

  const ImageSurface& grey = LoadInto8Bit(1, w, h, {}, "exact8_in.bmp");  // grey g is entry g
  for (int x = 0; x < w; ++x) EXPECT_EQ(grey.base[x], x * 4) << x;

  // Black, dark red, dark green, dark red again, then white: 0x323200 is
  // 5000 from entries 0, 1 and 2 alike.
  std::vector<RGBQUAD> table(256, RGBQUAD{255, 255, 255, 0});
  table[0] = {0, 0, 0, 0};
  table[1] = table[3] = {0, 0, 100, 0};
  table[2] = {0, 100, 0, 0};
  const ImageSurface& ties = LoadInto8Bit(2, w, h, table, "exact8_in.bmp");
  const int expected[] = {1, 0, 4, 0};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ties.base[ties.stride + i], expected[i]) << i;

  // A random table, loaded at (-3, 5) into a smaller window: clipped, shifted,
  // the rows above untouched.
  for (auto& q : table) q = RGBQUAD{Random(), Random(), Random(), 0};
  LoadInto8Bit(3, 50, 30, table, "exact8_in.bmp", -3, 5);
  Values loaded = ValuesOf(3);
  for (int i = 0; i < 50 * 30; ++i)
    ASSERT_EQ(loaded[i], i < 250 ? 0 : NearestByHand(table, picture[(i / 50 - 5) * w + i % 50 + 3]))
        << i;
}
