// Lines, boxes, circles, bitmap-font text and the profile and chroma plots against references
// built here: a line's pixel at step k from a closed form, a circle's rounded radius per column, a
// disc as the rows between the outline's ends, glyphs stamped from the font's rows (the A's 36
// pixels are counted by hand). The test patterns at pixels worked out by hand.
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <set>

#include "image_test_helpers.h"
#include "imageops/bitmap_font.h"

namespace {

using RasterFigures = ImageWindowTest;
using Points = std::set<std::pair<long long, long long>>;

void MakeRandomPicture(int width, int height, int bits, unsigned seed) {
  ZUL_DestroyImage(1), MakeImage(1, width, height, bits);
  std::mt19937 random(seed);
  const ImageSurface& s = image_surfaces[1];
  for (size_t i = 0; i < s.stride * s.height; ++i) s.base[i] = static_cast<uint8_t>(random());
}

constexpr uint32_t kInvert = ~0u;  // the figure's pixels inverted, not set

// `px` with the visible `points` set to `colour` or inverted once.
std::vector<uint8_t> Apply(std::vector<uint8_t> px, const Points& points, uint32_t colour) {
  const ImageSurface& s = image_surfaces[1];
  for (auto [x, y] : points) {
    if (x < 0 || y < 0 || x >= long(s.width) || y >= long(s.height)) continue;
    uint8_t* at = &px[size_t(y) * s.stride + size_t(x) * (s.bits / 8)];
    uint32_t word = s.bits == 8 ? *at : at[0] | at[1] << 8 | at[2] << 16 | uint32_t(at[3]) << 24;
    word = colour == kInvert ? word ^ (s.bits == 8 ? 0xFF : 0xFFFFFF) : colour;
    std::memcpy(at, &word, s.bits / 8);  // little-endian: the low byte first
  }
  return px;
}

// Draws, expects exactly `points` changed; an XOR figure drawn again restores.
void Check(const std::function<void()>& draw, const Points& points, uint32_t colour) {
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  draw();
  ASSERT_EQ(SurfaceBytesOf(1), Apply(before, points, colour));
  if (colour != kInvert) return;
  draw();
  ASSERT_EQ(SurfaceBytesOf(1), before) << "drawn twice";
}

// With (x1, y1) the end of smaller x: pixel k of an x-major line is (x1 + k,
// y1 + s floor((2k dy + dx) / 2dx)), of a y-major one (x1 + floor((2k dx + dy)
// / 2dy), y1 + s k). Only k whose major coordinate is in [lo, hi].
Points LinePoints(long long x1, long long y1, long long x2, long long y2,
                  long long lo = -(1LL << 40), long long hi = 1LL << 40) {
  if (x1 > x2) std::swap(x1, x2), std::swap(y1, y2);
  unsigned long long dx = x2 - x1, dy = y2 > y1 ? y2 - y1 : y1 - y2;
  long long s = y2 > y1 ? 1 : -1;
  if (dx == 0 && dy == 0) return {{x1, y1}};
  bool x_major = dx >= dy;
  unsigned long long dmaj = x_major ? dx : dy, dmin = x_major ? dy : dx;
  long long major1 = x_major ? x1 : y1, step = x_major ? 1 : s;
  long long k_last = std::min<long long>(dmaj, step > 0 ? hi - major1 : major1 - lo);
  Points points;
  for (long long k = std::max(0LL, step > 0 ? lo - major1 : major1 - hi); k <= k_last; ++k) {
    long long minor =
        static_cast<long long>((2 * (unsigned long long)k * dmin + dmaj) / (2 * dmaj));
    points.insert(x_major ? std::make_pair(x1 + k, y1 + s * minor)
                          : std::make_pair(x1 + minor, y1 + s * k));
  }
  return points;
}

// Offsets (a, b = floor(sqrt(r^2 - a^2) + 0.5)) for a = 0, 1, ... while 7a <=
// 5r and a <= b, mirrored eightfold; `disc` fills each row between its ends
// (the ring is symmetric about cx: the row's ends are x and 2cx - x).
Points CirclePoints(long long cx, long long cy, long long r, bool disc = false) {
  Points ring, filled;
  for (long long a = 0; 7 * a <= 5 * r; ++a) {
    long long b = std::llround(std::floor(std::sqrt(double(r * r - a * a)) + 0.5));
    if (a > b) break;
    for (long long p : {-a, a})
      for (long long q : {-b, b}) ring.insert({cx + p, cy + q}), ring.insert({cx + q, cy + p});
  }
  if (!disc) return ring;
  for (auto [x, y] : ring)
    for (auto f = std::min(x, 2 * cx - x); f <= std::max(x, 2 * cx - x); ++f) filled.insert({f, y});
  return filled;
}

Points BoxPoints(long long x1, long long y1, long long x2, long long y2, bool filled) {
  Points points;
  for (long long y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
    for (long long x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
      if (filled || x == x1 || x == x2 || y == y1 || y == y2) points.insert({x, y});
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
    for (auto [x, y] : LinePoints(x1, y1, x2, y2)) Set(int(x), int(y), c);
  }
  void StampA(int x, int baseline, uint32_t c) {
    for (int i = 0; i < 14; ++i)
      for (int j = 0; j < 8; ++j)
        if (kBitmapFont['A' - 32][i] & (0x80 >> j)) Set(x + j, baseline - 14 + i, c);
  }
};

// The text cursor (x, left margin l, baseline y) and the text colour 0x123456.
void SetCursor(int x, int l, int y) { text_x = x, text_left = l, text_y = y, zul_tc = 0x123456; }

using Segment = std::array<int, 5>;  // ends and colour

// Grey axes and the trace (drawn in order) exactly; the label cells ("Cr" at
// x 110-125, rows 2-15; "Cb" at x 238-253, rows 130-143) hold their colour.
void ExpectChromaField(int number, const std::vector<Segment>& trace) {
  Picture want(int(image_surfaces[number].width), int(image_surfaces[number].height));
  want.Line(0, 128, 256, 128, 0x808080), want.Line(128, 0, 128, 256, 0x808080);
  for (auto [x1, y1, x2, y2, colour] : trace) want.Line(x1, y1, x2, y2, colour);
  Values got = ValuesOf(number);
  int ink[3] = {};
  for (size_t i = 0; i < got.size(); ++i) {
    int x = int(i % want.w), y = int(i / want.w);
    bool cr = x >= 110 && x < 126 && y >= 2 && y < 16,
         cb = x >= 238 && x < 254 && y >= 130 && y < 144;
    uint32_t g = got[i], e = want.pixels[i];
    int label = e == 0 && cr && g == 0xFF8888 ? 1 : e == 0 && cb && g == 0x8888FF ? 2 : 0;
    ASSERT_TRUE(label || g == e) << std::hex << g << " for " << e << " at " << x << "," << y;
    ++ink[label];
  }
  EXPECT_TRUE(ink[1] > 10 && ink[2] > 10);
}

// clang-format off
const struct { const char* name; void (*draw)(); int id; } kPatterns[] = {
    {"RGB", ZUL_PatternRgb, kIwPatternRgb}, {"Grey", ZUL_PatternGrey, kIwPatternGrey},
    {"HSV", ZUL_PatternHsv, kIwPatternHsv}, {"YCrCb", ZUL_PatternYCrCb, kIwPatternYCrCb},
    {"Yuv", ZUL_PatternYuv, kIwPatternYuv}, {"YIQ", ZUL_PatternYiq, kIwPatternYiq}};
// clang-format on

#define EXPECT_PEN(x, y) EXPECT_EQ(std::pair(pen_x, pen_y), std::pair(int32_t(x), int32_t(y)))

}  // namespace

TEST_F(RasterFigures, LinesMatchTheClosedFormOnBothDepths) {
  for (int bits : {32, 8}) {
    MakeRandomPicture(61, 47, bits, 7);
    std::mt19937 random(bits);
    for (int i = 0; i < 3000; ++i) {
      int e[4];
      for (int& v : e) v = int(random() % 141) - 40;
      uint32_t colour = random() & 0xFFFFFF;
      Points line = LinePoints(e[0], e[1], e[2], e[3]);
      SCOPED_TRACE(testing::Message() << e[0] << "," << e[1] << " " << e[2] << "," << e[3]);
      Check([&] { ZUL_DrawLine(colour, e[0], e[1], e[2], e[3]); }, line, colour);
      EXPECT_PEN(e[2], e[3]);
      Check([&] { ZUL_XorLine(e[2], e[3], e[0], e[1]); }, line, kInvert);
      EXPECT_PEN(e[0], e[1]);
    }
  }
  MakeRandomPicture(8, 8, 32, 1);  // worked by hand: (5, 2), (4, 1) and a tie
  Check([] { ZUL_DrawLine(9, 0, 0, 5, 2); }, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}, 9);
  Check([] { ZUL_DrawLine(8, 4, 1, 0, 0); }, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}, 8);
  Check([] { ZUL_DrawLine(7, 0, 0, 3, 3); }, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}, 7);
}

TEST_F(RasterFigures, BoxesCoverTheirRectangleWhateverTheCornerOrder) {
  const int cases[][4] = {{3, 2, 12, 9},   {12, 9, 3, 2},  {12, 2, 3, 9},
                          {5, 5, 5, 9},    {2, 4, 9, 4},   {6, 6, 6, 6},
                          {-5, -3, 4, 30}, {20, 1, 40, 3}, {-9, -9, -2, -2}};
  for (int bits : {32, 8})
    for (const auto& c : cases) {
      MakeRandomPicture(23, 17, bits, 11);
      SCOPED_TRACE(testing::Message() << c[0] << "," << c[1] << " " << c[2] << "," << c[3]);
      int left = std::min(c[0], c[2]), right = std::max(c[0], c[2]);
      int top = std::min(c[1], c[3]), bottom = std::max(c[1], c[3]);
      Points filled = BoxPoints(c[0], c[1], c[2], c[3], true),
             outline = BoxPoints(c[0], c[1], c[2], c[3], false);
      Check([&] { draw_color = 0xA1B2C3, ZUL_FillBox(c[0], c[1], c[2], c[3]); }, filled, 0xA1B2C3);
      bool inner_rows = right - left >= 2 && bottom - top >= 2;
      EXPECT_PEN(inner_rows ? right - 1 : left, inner_rows ? bottom - 1 : top);
      Check([&] { ZUL_XorFillBox(c[2], c[3], c[0], c[1]); }, filled, kInvert);
      EXPECT_PEN(right, bottom);
      // With left = right the inner column is inverted twice: two pixels show.
      Points xor_outline =
          left == right && bottom - top >= 2 ? Points{{left, top}, {left, bottom}} : outline;
      Check([&] { ZUL_XorBox(c[2], c[1], c[0], c[3]); }, xor_outline, kInvert);
      Check([&] { draw_color = 0x3456, ZUL_DrawBox(c[2], c[3], c[0], c[1]); }, outline, 0x3456);
      EXPECT_PEN(c[2], c[3]);
    }
}

TEST_F(RasterFigures, CirclesAndDiscsMatchTheRoundedRadius) {
  for (int bits : {32, 8}) {
    MakeRandomPicture(90, 70, bits, 5);
    for (int r = 1; r <= 30; ++r) {
      int cx = 40 + r % 7, cy = 33 - r % 5;  // the larger ones run off the picture
      SCOPED_TRACE(testing::Message() << "r " << r << " " << bits);
      Points ring = CirclePoints(cx, cy, r), disc = CirclePoints(cx, cy, r, true);
      Check([&] { ZUL_XorCircle(cx, cy, r); }, ring, kInvert);
      Check([&] { ZUL_XorFillCircle(cx, cy, r); }, disc, kInvert);
      Check([&] { ZUL_DrawCircle(cx, cy, 0x10203 * r, r); }, ring, 0x10203 * r);
      Check([&] { draw_color = 0x30201 * r, ZUL_FillCircle(cx, cy, r); }, disc, 0x30201 * r);
    }
  }
  const int worked[][5] = {{1, 0, 4, 9, 10},  {3, 0, 16, 8, 8},  {5, 1, 97, 6, 7},
                           {0, 0, 1, 10, 10}, {0, 1, 1, 10, 10}, {-3, 0, 4, 13, 10},
                           {-3, 1, 9, 13, 10}};  // r, fill; by hand: pixels set, pen x, y
  for (auto [r, fill, count, x, y] : worked) {
    ZUL_DestroyImage(1), MakeImage(1, 20, 20, 8);
    draw_color = 0x12AB, fill ? ZUL_FillCircle(10, 10, r) : ZUL_DrawCircle(10, 10, 0x12AB, r);
    std::vector<uint8_t> px = SurfaceBytesOf(1);
    EXPECT_EQ(std::count(px.begin(), px.end(), 0xAB), count) << "r " << r;
    EXPECT_PEN(x, y);
  }
  Check([] { ZUL_XorCircle(4, 4, 0), ZUL_XorFillCircle(4, 4, 0); }, {}, 0);  // XOR, r = 0
  draw_color = 0xFFFFFF;
}

TEST_F(RasterFigures, ExtremeArgumentsTouchOnlyVisiblePixelsAndEndSoon) {
  const int d = 2000000000;
  MakeRandomPicture(40, 30, 32, 2);
  // clang-format off
  const int lines[][4] = {{INT_MIN, 5, INT_MAX, 5}, {7, INT_MAX, 7, INT_MIN},
                          {INT_MAX, INT_MAX, 3, 0}, {-d, -1000000007, d, 1000000003},
                          {-999999999, d, 1000000001, -d + 3}, {INT_MAX, 0, INT_MAX - 5, 3},
                          {-30, INT_MIN, 20, INT_MAX}};
  // clang-format on
  for (const auto& c : lines) {
    int last_major = std::llabs(1LL * c[2] - c[0]) >= std::llabs(1LL * c[3] - c[1]) ? 39 : 29;
    SCOPED_TRACE(testing::Message() << "line from " << c[0] << "," << c[1]);
    Points visible = LinePoints(c[0], c[1], c[2], c[3], 0, last_major);
    Check([&] { ZUL_XorLine(c[0], c[1], c[2], c[3]); }, visible, kInvert);
    EXPECT_PEN(c[2], c[3]);
  }
  Points all = BoxPoints(0, 0, 39, 29, true);
  Check([&] { draw_color = 0x0F0F0F, ZUL_FillBox(-d, -d, d, d); }, all, 0x0F0F0F);
  Check([&] { ZUL_XorFillBox(INT_MAX, INT_MIN, INT_MIN, INT_MAX); }, all, kInvert);
  Check([&] { ZUL_XorBox(INT_MIN, INT_MIN, INT_MAX, INT_MAX); }, {}, kInvert);  // all outside
  Check([&] { ZUL_XorFillCircle(10, 10, 20000000); }, all, kInvert);
  Check([] { ZUL_DrawCircle(-4980, 15, 0x777777, 5000); }, CirclePoints(-4980, 15, 5000), 0x777777);
  draw_color = 0xFFFFFF;
}

TEST_F(RasterFigures, TextLayoutWrapControlCodesAndClipping) {
  // clang-format off
  struct Case { int width, x, left, baseline; std::string text;
                std::vector<std::pair<int, int>> glyphs; int end_x, end_y; } cases[] = {
      {64, 0, 0, 14, std::string(9, 'A'),  // the eighth ends on the edge, then the wrap
       {{0, 14}, {8, 14}, {16, 14}, {24, 14}, {32, 14}, {40, 14}, {48, 14}, {56, 14}, {0, 30}},
       8, 30},
      {64, 0, 10, 14, "A\nA", {{0, 14}, {10, 30}}, 18, 30},
      {40, 20, 4, 20, "AAA", {{20, 20}, {28, 20}, {4, 36}}, 12, 36},
      {64, 0, 0, 14, "\x7f A", {{16, 14}}, 24, 14},
      {64, 0, 0, 14, "\r\t\x01\x1f\x80\xC8\xFF" "A", {{0, 14}}, 8, 14},
      {64, 0, 0, 5, "A", {{0, 5}}, 8, 5},  // rows 9-10 only, at y 0-1
      {64, -4, 0, 70, "A", {{-4, 70}}, 4, 70}};
  // clang-format on
  for (const Case& c : cases) {
    MakeImage(1, c.width, 64), SetCursor(c.x, c.left, c.baseline);
    ZUL_DrawText(c.text.c_str());
    Picture want(c.width, 64);
    for (auto [x, baseline] : c.glyphs) want.StampA(x, baseline, 0x123456);
    EXPECT_EQ(ValuesOf(1), want.pixels) << c.text;
    EXPECT_EQ(std::pair(text_x, text_y), std::pair(c.end_x, c.end_y)) << c.text;
    ZUL_DestroyImage(1);
  }
  MakeImage(1, 20, 20), SetCursor(0, 0, 14), ZUL_DrawChar('A');
  EXPECT_PEN(6, 10);  // the last set bit: row 10 (0x66), column 6
}

TEST_F(RasterFigures, TextPrintfFormatsCutsAndIgnoresNull) {
  MakeImage(1, 64, 40, 8);  // an 8-bit surface receives the low byte
  SetCursor(0, 0, 14), ZUL_DrawPrintf("%d:%s", 7, "A");
  EXPECT_EQ(text_x, 24);
  int ink[3] = {};
  for (int i = 0; i < 24 * 14; ++i) ink[i % 24 / 8] += ZUL_GetPixel(i % 24, i / 24) == 0x56;
  EXPECT_TRUE(ink[0] > 0 && ink[1] > 0 && ink[2] == 36);  // "7", ":", A's 36 pixels
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  ZUL_DrawText(nullptr), ZUL_DrawPrintf(nullptr);
  EXPECT_TRUE(SurfaceBytesOf(1) == before && text_x == 24);
  MakeImage(2, 16, 16), SetCursor(0, 0, 14);  // two glyphs a line: 4095 glyphs end on line 2047
  ZUL_DrawPrintf("%s", std::string(5000, 'A').c_str());
  EXPECT_EQ(std::pair(text_x, text_y), std::pair(8, 14 + 2047 * 16));
}

TEST_F(RasterFigures, TextFontHasInkForPrintablesAndDescendersOnlyWhereLettersHaveThem) {
  auto ink = [](int code, int from) {
    const uint8_t* rows = kBitmapFont[code - 32];
    return std::any_of(rows + from, rows + 14, [](uint8_t row) { return row != 0; });
  };
  for (int c = 32; c <= 127; ++c) EXPECT_EQ(ink(c, 0), c != 32 && c != 127) << c;
  for (int i = 0; i < 36; ++i)
    EXPECT_FALSE(ink(i < 26 ? 'A' + i : '0' + i - 26, 11)) << i;  // no descenders
  for (int code : {'g', 'p', 'q', 'y'}) EXPECT_TRUE(ink(code, 11)) << code;
}

TEST_F(RasterFigures, ProfileStylesSampleKindsAndChannels) {
  const uint32_t words[3] = {0x000000, 0xFF0000, 0x800000};  // red 0, 255, 128
  const uint8_t bytes[3] = {0, 255, 128};
  const Points dots = {{10, 127}, {11, 0}, {12, 64}}, none;
  Points line = LinePoints(10, 127, 11, 0);  // style 0x80 (none given): the polyline through them
  line.merge(LinePoints(11, 0, 12, 64));
  // 0x123456: R 18, G 52, B 86; H 210, S 68, V 86; Y 46, Cr -19, Cb 23. Blue: H 240. A single
  // sample at x 5 lands on row 127 - 127 v / 255 (hue: / 359; Cr and Cb: v + 128).
  const uint32_t k = 0x123456, blue = 0x0000FF, red = 0xFF0000, grey = 0xC8;
  // clang-format off
  const struct { const void* samples; int count, flags; Points points; } cases[] = {
      {words, 3, 0x41, dots},  {bytes, 3, 0x1040, dots}, {bytes, 3, 0x1041, dots},  // bytes win
      {words, 3, 0xC1, dots},  {words, 3, 0x81, line},   {bytes, 3, 0x1080, line},
      {words, 3, 0x01, none},  {words, 3, 0xC0, none},   {words, 0, 0x41, none},
      {words, -5, 0x41, none}, {nullptr, 3, 0x41, none},
      {&k, 1, 0x41, {{5, 127 - 18 * 127 / 255}}}, {&k, 1, 0x42, {{5, 127 - 52 * 127 / 255}}},
      {&k, 1, 0x44, {{5, 85}}}, {&k, 1, 0x48, {{5, 53}}}, {&k, 1, 0x50, {{5, 94}}},
      {&k, 1, 0x60, {{5, 85}}}, {&k, 1, 0x140, {{5, 105}}}, {&k, 1, 0x240, {{5, 73}}},
      {&k, 1, 0x440, {{5, 52}}}, {&blue, 1, 0x48, {{5, 43}}}, {&red, 1, 0x240, {{5, 0}}},
      {&k, 1, 0x49, {{5, 127 - 18 * 127 / 255}}},  // the lowest channel bit wins
      {&grey, 1, 0x1040, {{5, 127 - 200 * 127 / 255}}}};
  // clang-format on
  for (const auto& c : cases) {
    ZUL_DestroyImage(1), MakeImage(1, 300, 300);
    ZUL_PlotProfile(c.samples, c.count == 1 ? 5 : 10, c.count, c.flags, 0x00FF00);
    Picture want(300, 300);
    for (auto [x, y] : c.points) want.Set(int(x), int(y), 0x00FF00);
    EXPECT_EQ(ValuesOf(1), want.pixels) << std::hex << c.flags << " count " << c.count;
  }
}

TEST_F(RasterFigures, ChromaTraceAxesLabelsAndAnAreaAsOnePolylinePerRow) {
  // red (Cr 128, Cb -42), green (-106, -83), blue (-20, 128), grey (0, 0), 0x123456 (-19, 23)
  const uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080}, one = 0x123456;
  const uint32_t area[6] = {0xFF0000, 0x00FF00, 0x808080, 0x0000FF, 0x123456, 0x808080};
  // The area's rows: nothing joins the first row's end (128, 128) to (256, 148).
  // clang-format off
  const std::vector<Segment> trace = {{86, 0, 45, 234, 0xFF00FF}, {45, 234, 256, 148, 0xFFFFFF},
                                      {256, 148, 128, 128, 0xFF00FF}},
      by_rows = {{86, 0, 45, 234, 0xFFFFFF}, {45, 234, 128, 128, 0xFFFFFF},
                 {256, 148, 151, 147, 0xFFFFFF}, {151, 147, 128, 128, 0xFFFFFF}};
  // clang-format on
  MakeImage(1, 257, 257), ZUL_PlotChroma(colours, 4);
  ExpectChromaField(1, trace);
  MakeImage(3, 257, 257), ZUL_PlotChroma(&one, 1);
  ExpectChromaField(3, {{151, 147, 151, 147, 0xFFFFFF}});  // the first point is white
  MakeImage(2, 256, 256), ZUL_PlotChroma(colours, 0);
  ExpectChromaField(2, {});
  // "Cb" wrapped.
  EXPECT_TRUE(text_x == 238 && text_left == 238 && text_y == 160 && zul_tc == 0x8888FFu);
  std::vector<uint8_t> before = SurfaceBytesOf(2);
  ZUL_PlotChroma(nullptr, 4), ZUL_PlotChromaArea(1, nullptr, 1);
  EXPECT_EQ(SurfaceBytesOf(2), before);
  DestroyAllImages(), MakeImage(1, 257, 257), ZUL_PlotChromaArea(2, area, 3);
  ExpectChromaField(1, by_rows);
  for (auto [rows, columns] : {std::pair{0, 3}, {2, 0}, {-1, 3}}) {
    ZUL_DestroyImage(2), MakeImage(2, 257, 257), ZUL_PlotChromaArea(rows, area, columns);
    ExpectChromaField(2, {});
  }
  MakeImage(3, 257, 257, 8), ZUL_PlotChromaArea(2, area, 3);
  for (auto [x, y] : {std::pair{86, 0}, {45, 234}, {151, 147}, {200, 147}})
    EXPECT_EQ(ZUL_GetPixel(x, y), 0xFFu) << x << "," << y;
}

TEST_F(RasterFigures, PatternsAtHandWorkedPixelsEveryPixelWrittenPenBottomRight) {
  // By hand, C division truncating: RGB at (6, 4) of 7 x 5 is 255*6/7 = 218, 255*4/5 = 204,
  // 255 - 255*10/12 = 43. Grey at x 255 of 256 is 254 above row h/2 and 1 from it. HSV at
  // (180, 25) of 360 x 100: hue 359*180/360 = 179, saturation 255*25/50 = 127, so red 128, green
  // 255, blue 128 + 127*59/60 = 252; a one-row window is all top row: white. The planes are black
  // at the centre; at (0, 128) of 256 x 256 a = -127, b = 0, brightness sqrt(5 a^2) = 283, so
  // YCrCb's blue is (283*65536 - 116130*127 + 32768) / 65536 = 58 and its red and green clip.
  // clang-format off
  const struct { int p, w, h, bits, x, y; uint32_t colour; } anchors[] = {
      {0, 7, 5, 32, 6, 4, 0xDACC2B},       {0, 256, 256, 32, 0, 0, 0x0000FF},
      {0, 256, 256, 8, 255, 255, 0x01},    {1, 256, 100, 32, 255, 49, 0xFEFEFE},
      {1, 256, 100, 32, 255, 50, 0x010101}, {1, 256, 100, 8, 0, 99, 0xFF},
      {2, 360, 100, 32, 180, 25, 0x80FFFC}, {2, 360, 100, 32, 120, 50, 0x04FF00},
      {2, 360, 100, 32, 359, 99, 0x060000}, {2, 100, 1, 32, 37, 0, 0xFFFFFF},
      {3, 256, 256, 32, 0, 128, 0xFFFF3A}, {3, 256, 256, 32, 128, 0, 0xFFC0FF},
      {3, 256, 256, 32, 128, 128, 0},      {4, 256, 256, 32, 0, 128, 0xFFFF19},
      {4, 256, 256, 32, 128, 0, 0xFFD1FF}, {4, 64, 48, 8, 63, 47, 0xFF},
      {5, 256, 256, 32, 0, 128, 0xC8FF36}, {5, 256, 256, 32, 128, 0, 0xFFF98C},
      {5, 256, 256, 32, 128, 128, 0},      {5, 64, 48, 8, 0, 0, 0x1D}};
  // clang-format on
  for (const auto& a : anchors) {
    ZUL_DestroyImage(0), MakeImage(0, a.w, a.h, a.bits);
    FillColor(a.w, a.h, 0xFF5A5A5A), kPatterns[a.p].draw();  // no pattern colour has a top byte
    EXPECT_EQ(ZUL_GetPixel(a.x, a.y), a.colour) << kPatterns[a.p].name << " " << a.x << "," << a.y;
    EXPECT_TRUE(pen_x == a.w - 1 && pen_y == a.h - 1) << kPatterns[a.p].name;
    for (uint32_t v : ValuesOf(0)) ASSERT_TRUE(a.bits == 8 || v <= 0xFFFFFF) << kPatterns[a.p].name;
  }
}

TEST_F(RasterFigures, MenuPatternsTheClickedWindowGreyLoadsGreysAndAFreeSlotIsLeftAlone) {
  MakeImage(3, 40, 30, 8);
  ZUL_SetPalette(MakePalette([](int) { return RGBQUAD{9, 9, 9, 0}; }).data(), 256);
  MakeImage(1, 40, 30), FillColor(40, 30, 0x123456);
  // At (39, 0) of 40 x 30, low bytes: RGB's blue 255 - 255*39/70 = 113, Grey 255*39/40 = 248,
  // HSV white, and the planes clipped to 255 in the corner.
  const uint32_t corner[] = {113, 248, 255, 255, 255, 255};
  for (int i = 0; i < 6; ++i) {
    SendCommand(3, kPatterns[i].id);
    EXPECT_TRUE(current_image == 3 && ZUL_GetPixel(39, 0) == corner[i]) << kPatterns[i].name;
    ZUL_SelectImage(1);
  }
  EXPECT_EQ(ZUL_GetPixel(0, 15), 0x123456u);
  auto greys = MakePalette([](int i) { return RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0}; });
  EXPECT_EQ(PaletteOf(3), std::string(reinterpret_cast<const char*>(greys.data()), 1024));
  ZUL_SelectImage(3), ZUL_DestroyImage(3);  // the current window
  pen_x = 3;
  for (const auto& p : kPatterns) p.draw();
  EXPECT_EQ(pen_x, 3);
}
