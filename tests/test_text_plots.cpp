// Bitmap-font text and the profile and chroma plots, checked pixel by pixel
// on black surfaces against pictures worked out here.
#include <string>
#include <vector>

#include "imageops/bitmap_font.h"
#include "surfaces_test_util.h"

namespace {

// The letter A as the font defines it, rows 0-13.
constexpr uint8_t kLetterA[14] = {0x00, 0x00, 0x18, 0x3C, 0x66, 0x66, 0x66,
                                  0x7E, 0x66, 0x66, 0x66, 0x00, 0x00, 0x00};

// An expected picture: black, drawn into with clipping like the surface.
struct Picture {
  int width, height;
  std::vector<uint32_t> pixels;
  Picture(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0) {}
  void Set(int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < width && y < height) pixels[static_cast<size_t>(y) * width + x] = c;
  }
  void StampA(int x, int baseline, uint32_t c) {
    for (int i = 0; i < 14; ++i)
      for (int j = 0; j < 8; ++j)
        if (kLetterA[i] & (0x80 >> j)) Set(x + j, baseline - 14 + i, c);
  }
};

std::vector<uint32_t> Surface32(int number) {
  const ImageSurface& s = image_surfaces[number];
  const uint32_t* p = reinterpret_cast<const uint32_t*>(s.base);
  return std::vector<uint32_t>(p, p + s.width * s.height);
}

void SetCursor(int x, int left, int baseline) {
  text_x = x;
  text_left = left;
  text_y = baseline;
}

}  // namespace

class BitmapText : public ImageWindowTest {};

TEST_F(BitmapText, LetterAInkPenAndCursor) {
  MakeImage(1, 20, 20);
  SetCursor(0, 0, 14);
  zul_tc = 0x123456;
  ZUL_DrawChar('A');
  Picture want(20, 20);
  want.StampA(0, 14, 0x123456);
  EXPECT_EQ(Surface32(1), want.pixels);
  EXPECT_EQ(text_x, 8);
  EXPECT_EQ(text_y, 14);
  EXPECT_EQ(pen_x, 6);  // the last set bit: row 10 (0x66), column 6
  EXPECT_EQ(pen_y, 10);
}

TEST_F(BitmapText, LayoutWrapControlCodesAndClipping) {
  struct Case {
    const char* name;
    int width, x, left, baseline;
    std::string text;
    std::vector<std::pair<int, int>> glyphs;  // where an A lands: x, baseline
    int end_x, end_y;
  };
  const std::vector<Case> cases = {
      {"nine in 64 wrap after the eighth", 64, 0, 0, 14, std::string(9, 'A'),
       {{0, 14}, {8, 14}, {16, 14}, {24, 14}, {32, 14}, {40, 14}, {48, 14}, {56, 14}, {0, 30}}, 8, 30},
      {"eight in 64 end at the edge and wrap", 64, 0, 0, 14, std::string(8, 'A'),
       {{0, 14}, {8, 14}, {16, 14}, {24, 14}, {32, 14}, {40, 14}, {48, 14}, {56, 14}}, 0, 30},
      {"line feed returns to the left margin", 64, 0, 10, 14, "A\nA", {{0, 14}, {10, 30}}, 18, 30},
      {"wrap returns to the left margin", 40, 20, 4, 20, "AAA", {{20, 20}, {28, 20}, {4, 36}}, 12, 36},
      {"127 advances without ink", 64, 0, 0, 14, "\x7f" "A", {{8, 14}}, 16, 14},
      {"other codes neither draw nor move", 64, 0, 0, 14, "\r\t\x01\x1f\x80\xC8\xFF" "A", {{0, 14}}, 8, 14},
      {"space", 64, 0, 0, 14, " A", {{8, 14}}, 16, 14},
      {"baseline 5 shows rows 9-10 only", 64, 0, 0, 5, "A", {{0, 5}}, 8, 5},
      {"left and below the surface", 64, -4, 0, 70, "A", {{-4, 70}}, 4, 70},
  };
  for (const Case& c : cases) {
    MakeImage(1, c.width, 64);
    SetCursor(c.x, c.left, c.baseline);
    zul_tc = 0xFFFFFF;
    ZUL_DrawText(c.text.c_str());
    Picture want(c.width, 64);
    for (auto [x, baseline] : c.glyphs) want.StampA(x, baseline, 0xFFFFFF);
    EXPECT_EQ(Surface32(1), want.pixels) << c.name;
    EXPECT_EQ(text_x, c.end_x) << c.name;
    EXPECT_EQ(text_y, c.end_y) << c.name;
    ZUL_DestroyImage(1);
  }
  MakeImage(1, 64, 64);  // the clipped case by its pixels: y 0-1, x 1, 2, 5, 6
  SetCursor(0, 0, 5);
  ZUL_DrawChar('A');
  int ink = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) ink += ZUL_GetPixel(x, y) != 0;
  EXPECT_EQ(ink, 8);
  for (int x : {1, 2, 5, 6}) EXPECT_NE(ZUL_GetPixel(x, 0) & ZUL_GetPixel(x, 1), 0u) << x;
}

TEST_F(BitmapText, PrintfFormatsCutsAndIgnoresNull) {
  MakeImage(1, 64, 40, 8);  // an 8-bit surface receives the low byte
  SetCursor(0, 0, 14);
  zul_tc = 0x123456;
  ZUL_DrawPrintf("%d:%s", 7, "A");
  EXPECT_EQ(text_x, 24);
  for (int cell = 0; cell < 3; ++cell) {
    int ink = 0;
    for (int y = 0; y < 14; ++y)
      for (int x = 0; x < 8; ++x) ink += ZUL_GetPixel(cell * 8 + x, y) == 0x56;
    EXPECT_GT(ink, 0) << "cell " << cell;
  }
  for (int i = 0; i < 14; ++i)
    for (int j = 0; j < 8; ++j)
      EXPECT_EQ(ZUL_GetPixel(16 + j, i), (kLetterA[i] & (0x80 >> j)) ? 0x56u : 0u) << j << "," << i;

  std::vector<uint8_t> before = SurfaceBytesOf(1);
  ZUL_DrawText(nullptr);
  ZUL_DrawPrintf(nullptr);
  EXPECT_EQ(SurfaceBytesOf(1), before);
  EXPECT_EQ(text_x, 24);

  MakeImage(2, 16, 16);  // two glyphs a line: 4095 glyphs end on line 2047
  SetCursor(0, 0, 14);
  ZUL_DrawPrintf("%s", std::string(5000, 'A').c_str());
  EXPECT_EQ(text_x, 8);
  EXPECT_EQ(text_y, 14 + 2047 * 16);
}

TEST_F(BitmapText, FontTableShape) {
  auto blank_rows = [](int code, int from, int to) {
    for (int i = from; i <= to; ++i)
      if (kBitmapFont[code - 32][i]) return false;
    return true;
  };
  EXPECT_TRUE(blank_rows(32, 0, 13));
  EXPECT_TRUE(blank_rows(127, 0, 13));
  for (int code = 33; code <= 126; ++code) EXPECT_FALSE(blank_rows(code, 0, 13)) << code;
  for (int code = 'A'; code <= 'Z'; ++code) EXPECT_TRUE(blank_rows(code, 11, 13)) << code;
  for (int code = '0'; code <= '9'; ++code) EXPECT_TRUE(blank_rows(code, 11, 13)) << code;
  for (int code : {'g', 'p', 'q', 'y'}) EXPECT_FALSE(blank_rows(code, 11, 13)) << code;
  for (int i = 0; i < 14; ++i) EXPECT_EQ(kBitmapFont['A' - 32][i], kLetterA[i]) << i;
}
