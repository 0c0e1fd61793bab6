// Bitmap-font text and the profile and chroma plots, checked pixel by pixel
// on black surfaces against pictures worked out here.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "imageops/bitmap_font.h"
#include "surfaces_test_util.h"

namespace {

constexpr uint8_t kLetterA[14] = {0, 0, 0x18, 0x3C, 0x66, 0x66, 0x66, 0x7E, 0x66, 0x66, 0x66, 0, 0, 0};

// A line with both ends: with (x1, y1) the end of smaller x, pixel k of an
// x-major line is (x1 + k, y1 + s floor((2k dy + dx) / 2dx)), of a y-major
// one (x1 + floor((2k dx + dy) / 2dy), y1 + s k), s the sign of y2 - y1.
std::vector<std::pair<int, int>> LinePoints(int x1, int y1, int x2, int y2) {
  if (x1 > x2 || (x1 == x2 && y1 > y2)) std::swap(x1, x2), std::swap(y1, y2);
  const int dx = x2 - x1, dy = std::abs(y2 - y1), s = y2 > y1 ? 1 : -1;
  std::vector<std::pair<int, int>> points;
  for (int k = 0; k <= std::max(dx, dy); ++k)
    points.push_back(dx >= dy ? std::pair{x1 + k, y1 + s * ((2 * k * dy + dx) / (2 * std::max(dx, 1)))}
                              : std::pair{x1 + (2 * k * dx + dy) / (2 * dy), y1 + s * k});
  return points;
}

// An expected picture: black, drawn into with clipping like a surface.
struct Picture {
  int w, h;
  std::vector<uint32_t> pixels;
  Picture(int width, int height) : w(width), h(height), pixels(size_t(width) * height) {}
  void Set(int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < w && y < h) pixels[size_t(y) * w + x] = c;
  }
  void Line(int x1, int y1, int x2, int y2, uint32_t c) {
    for (auto [x, y] : LinePoints(x1, y1, x2, y2)) Set(x, y, c);
  }
  void StampA(int x, int baseline, uint32_t c) {
    for (int i = 0; i < 14; ++i)
      for (int j = 0; j < 8; ++j)
        if (kLetterA[i] & (0x80 >> j)) Set(x + j, baseline - 14 + i, c);
  }
};

std::vector<uint32_t> Surface32(int number) {
  const uint32_t* p = reinterpret_cast<const uint32_t*>(image_surfaces[number].base);
  return std::vector<uint32_t>(p, p + image_surfaces[number].width * image_surfaces[number].height);
}

void SetCursor(int x, int left, int baseline) { text_x = x, text_left = left, text_y = baseline; }

using BitmapText = ImageWindowTest;
using Plots = ImageWindowTest;

}  // namespace

TEST_F(BitmapText, LayoutWrapControlCodesAndClipping) {
  struct Case {
    int width, x, left, baseline;
    std::string text;
    std::vector<std::pair<int, int>> glyphs;  // where each A lands: x, baseline
    int end_x, end_y;
  } cases[] = {
      {64, 0, 0, 14, std::string(9, 'A'),  // the eighth ends on the edge, then the wrap
       {{0, 14}, {8, 14}, {16, 14}, {24, 14}, {32, 14}, {40, 14}, {48, 14}, {56, 14}, {0, 30}}, 8, 30},
      {64, 0, 10, 14, "A\nA", {{0, 14}, {10, 30}}, 18, 30},
      {40, 20, 4, 20, "AAA", {{20, 20}, {28, 20}, {4, 36}}, 12, 36},
      {64, 0, 0, 14, "\x7f" " A", {{16, 14}}, 24, 14},
      {64, 0, 0, 14, "\r\t\x01\x1f\x80\xC8\xFF" "A", {{0, 14}}, 8, 14},
      {64, 0, 0, 5, "A", {{0, 5}}, 8, 5},  // rows 9-10 only, at y 0-1
      {64, -4, 0, 70, "A", {{-4, 70}}, 4, 70},
  };
  for (const Case& c : cases) {
    MakeImage(1, c.width, 64);
    SetCursor(c.x, c.left, c.baseline);
    zul_tc = 0x123456;
    ZUL_DrawText(c.text.c_str());
    Picture want(c.width, 64);
    for (auto [x, baseline] : c.glyphs) want.StampA(x, baseline, 0x123456);
    EXPECT_EQ(Surface32(1), want.pixels) << c.text;
    EXPECT_EQ(std::pair(text_x, text_y), std::pair(c.end_x, c.end_y)) << c.text;
    ZUL_DestroyImage(1);
  }
  MakeImage(1, 20, 20);
  SetCursor(0, 0, 14);
  ZUL_DrawChar('A');
  EXPECT_EQ(std::pair(pen_x, pen_y), std::pair(6, 10));  // the last set bit: row 10 (0x66), column 6
}

TEST_F(BitmapText, PrintfFormatsCutsAndIgnoresNull) {
  MakeImage(1, 64, 40, 8);  // an 8-bit surface receives the low byte
  SetCursor(0, 0, 14);
  zul_tc = 0x123456;
  ZUL_DrawPrintf("%d:%s", 7, "A");
  EXPECT_EQ(text_x, 24);
  int ink[3] = {};
  for (int x = 0; x < 24; ++x)
    for (int y = 0; y < 14; ++y) ink[x / 8] += ZUL_GetPixel(x, y) == 0x56;
  EXPECT_TRUE(ink[0] > 0 && ink[1] > 0 && ink[2] == 36);  // "7", ":", A's 36 pixels
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  ZUL_DrawText(nullptr);
  ZUL_DrawPrintf(nullptr);
  EXPECT_EQ(SurfaceBytesOf(1), before);
  EXPECT_EQ(text_x, 24);

  MakeImage(2, 16, 16);  // two glyphs a line: 4095 glyphs end on line 2047
  SetCursor(0, 0, 14);
  ZUL_DrawPrintf("%s", std::string(5000, 'A').c_str());
  EXPECT_EQ(std::pair(text_x, text_y), std::pair(8, 14 + 2047 * 16));
}

TEST_F(BitmapText, FontTableShape) {
  auto ink = [](int code, int from) {
    int any = 0;
    for (int i = from; i < 14; ++i) any |= kBitmapFont[code - 32][i];
    return any != 0;
  };
  EXPECT_FALSE(ink(32, 0) || ink(127, 0));
  for (int code = 33; code <= 126; ++code) EXPECT_TRUE(ink(code, 0)) << code;
  for (int code = 0; code < 36; ++code) EXPECT_FALSE(ink(code < 26 ? 'A' + code : '0' + code - 26, 11)) << code;
  for (int code : {'g', 'p', 'q', 'y'}) EXPECT_TRUE(ink(code, 11)) << code;
}

TEST_F(Plots, ProfileStylesSampleKindsAndChannels) {
  const uint32_t words[3] = {0x000000, 0xFF0000, 0x800000};  // red 0, 255, 128
  const uint8_t bytes[3] = {0, 255, 128};
  const std::vector<std::pair<int, int>> dots = {{10, 127}, {11, 0}, {12, 64}}, none;
  struct Case {
    const void* samples;
    int count, flags;
    std::vector<std::pair<int, int>> points;  // empty with 0x80: the polyline
  } cases[] = {
      {words, 3, 0x41, dots}, {bytes, 3, 0x1040, dots}, {bytes, 3, 0x1041, dots},  // bytes win
      {words, 3, 0xC1, dots}, {words, 3, 0x81, none},   {bytes, 3, 0x1080, none},
      {words, 3, 0x01, none}, {words, 3, 0xC0, none},   {words, 0, 0x41, none},
      {words, -5, 0x41, none}, {nullptr, 3, 0x41, none},
  };
  for (const Case& c : cases) {
    MakeImage(1, 300, 300);
    ZUL_PlotProfile(c.samples, 10, c.count, c.flags, 0x00FF00);
    Picture want(300, 300);
    for (auto [x, y] : c.points) want.Set(x, y, 0x00FF00);
    if ((c.flags & 0xC0) == 0x80) want.Line(10, 127, 11, 0, 0x00FF00), want.Line(11, 0, 12, 64, 0x00FF00);
    EXPECT_EQ(Surface32(1), want.pixels) << std::hex << c.flags << " count " << c.count;
    ZUL_DestroyImage(1);
  }
  // 0x123456: R 18, G 52, B 86; H 210, S 68, V 86; Y 46, Cr -19, Cb 23. Blue: H 240.
  const uint32_t kinds[][3] = {
      {0x123456, 0x1, 127 - 18 * 127 / 255}, {0x123456, 0x2, 127 - 52 * 127 / 255},
      {0x123456, 0x4, 85}, {0x123456, 0x8, 53}, {0x123456, 0x10, 94}, {0x123456, 0x20, 85},
      {0x123456, 0x100, 105}, {0x123456, 0x200, 73}, {0x123456, 0x400, 52}, {0x0000FF, 0x8, 43},
      {0xFF0000, 0x200, 0}, {0x123456, 0x9, 127 - 18 * 127 / 255}, {0xC8, 0x1000, 127 - 200 * 127 / 255}};
  for (auto [sample, flags, y] : kinds) {
    MakeImage(1, 20, 128);
    ZUL_PlotProfile(&sample, 5, 1, int(flags) | 0x40, 0xFFFFFF);
    Picture want(20, 128);
    want.Set(5, int(y), 0xFFFFFF);
    EXPECT_EQ(Surface32(1), want.pixels) << std::hex << sample << " flags " << flags;
    ZUL_DestroyImage(1);
  }
}

namespace {

struct Segment {
  int x1, y1, x2, y2;
  uint32_t colour;
};

// Grey axes and the trace (drawn in order) exactly; the label cells ("Cr" at
// x 110-125, rows 2-15; "Cb" at x 238-253, rows 130-143) hold their colour.
void ExpectChromaField(int number, const std::vector<Segment>& trace) {
  Picture want(int(image_surfaces[number].width), int(image_surfaces[number].height));
  want.Line(0, 128, 256, 128, 0x808080);
  want.Line(128, 0, 128, 256, 0x808080);
  for (const Segment& s : trace) want.Line(s.x1, s.y1, s.x2, s.y2, s.colour);
  std::vector<uint32_t> got = Surface32(number);
  int cr_ink = 0, cb_ink = 0;
  for (int y = 0; y < want.h; ++y) {
    for (int x = 0; x < want.w; ++x) {
      uint32_t g = got[size_t(y) * want.w + x], e = want.pixels[size_t(y) * want.w + x];
      if (e == 0 && x >= 110 && x < 126 && y >= 2 && y < 16 && g == 0xFF8888) ++cr_ink;
      else if (e == 0 && x >= 238 && x < 254 && y >= 130 && y < 144 && g == 0x8888FF) ++cb_ink;
      else ASSERT_EQ(g, e) << "at " << x << "," << y;
    }
  }
  EXPECT_TRUE(cr_ink > 10 && cb_ink > 10);
}

}  // namespace

TEST_F(Plots, ChromaTraceAxesAndLabels) {
  // red (Cr 128, Cb -42), green (-106, -83), blue (-20, 128), grey (0, 0), 0x123456 (-19, 23)
  const uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080}, one = 0x123456;
  MakeImage(1, 257, 257);
  ZUL_PlotChroma(colours, 4);
  ExpectChromaField(1, {{86, 0, 45, 234, 0xFF00FF}, {45, 234, 256, 148, 0xFFFFFF}, {256, 148, 128, 128, 0xFF00FF}});
  MakeImage(3, 257, 257);
  ZUL_PlotChroma(&one, 1);
  ExpectChromaField(3, {{151, 147, 151, 147, 0xFFFFFF}});  // the first point is white
  MakeImage(2, 256, 256);
  ZUL_PlotChroma(colours, 0);
  ExpectChromaField(2, {});
  EXPECT_EQ(std::vector<int>({text_x, text_left, text_y}), std::vector<int>({238, 238, 160}));  // "Cb" wrapped
  EXPECT_EQ(zul_tc, 0x8888FFu);
  std::vector<uint8_t> before = SurfaceBytesOf(2);
  ZUL_PlotChroma(nullptr, 4);
  ZUL_PlotChromaArea(1, nullptr, 1);
  EXPECT_EQ(SurfaceBytesOf(2), before);
}

TEST_F(Plots, ChromaAreaOnePolylinePerRow) {
  const uint32_t area[6] = {0xFF0000, 0x00FF00, 0x808080, 0x0000FF, 0x123456, 0x808080};
  MakeImage(1, 257, 257);
  ZUL_PlotChromaArea(2, area, 3);  // nothing joins the first row's end (128, 128) to (256, 148)
  ExpectChromaField(1, {{86, 0, 45, 234, 0xFFFFFF}, {45, 234, 128, 128, 0xFFFFFF},
                        {256, 148, 151, 147, 0xFFFFFF}, {151, 147, 128, 128, 0xFFFFFF}});
  for (auto [rows, columns] : {std::pair{0, 3}, {2, 0}, {-1, 3}}) {
    MakeImage(2, 257, 257);
    ZUL_PlotChromaArea(rows, area, columns);
    ExpectChromaField(2, {});
    ZUL_DestroyImage(2);
  }
  MakeImage(3, 257, 257, 8);
  ZUL_PlotChromaArea(2, area, 3);
  for (auto [x, y] : {std::pair{86, 0}, {45, 234}, {151, 147}, {200, 147}})
    EXPECT_EQ(ZUL_GetPixel(x, y), 0xFFu) << x << "," << y;
}
