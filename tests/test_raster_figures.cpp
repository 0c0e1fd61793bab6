// Lines, boxes and circles checked pixel by pixel against references built
// here from closed formulas: a line's pixel at step k, a circle's rounded
// radius per column, a disc as the rows between the outline's ends.
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <utility>

#include "surfaces_test_util.h"

namespace {

using RasterFigures = ImageWindowTest;
using Points = std::set<std::pair<long long, long long>>;

// A random picture in slot 1 (`bits` deep) and its bytes.
std::vector<uint8_t> MakeRandomPicture(int width, int height, int bits, unsigned seed) {
  MakeImage(1, width, height, bits);
  const ImageSurface& s = image_surfaces[1];
  std::mt19937 random(seed);
  for (size_t i = 0; i < s.stride * s.height; ++i) s.base[i] = static_cast<uint8_t>(random());
  return SurfaceBytesOf(1);
}

// `before` with every visible point of `points` set to `colour`, or inverted
// once when `invert` (a point listed twice is still inverted once).
std::vector<uint8_t> Expected(std::vector<uint8_t> before, const Points& points, uint32_t colour,
                              bool invert) {
  const ImageSurface& s = image_surfaces[1];
  for (const auto& p : points) {
    if (p.first < 0 || p.second < 0 || p.first >= long(s.width) || p.second >= long(s.height)) continue;
    size_t at = static_cast<size_t>(p.second) * s.stride + static_cast<size_t>(p.first) * (s.bits / 8);
    if (s.bits == 8) {
      before[at] = invert ? static_cast<uint8_t>(~before[at]) : static_cast<uint8_t>(colour);
    } else {
      uint32_t word;
      std::memcpy(&word, &before[at], 4);
      word = invert ? word ^ 0xFFFFFFu : colour;
      std::memcpy(&before[at], &word, 4);
    }
  }
  return before;
}

// The line's pixels whose major coordinate lies in [lo, hi]: with (x1, y1) the
// end with the smaller x, pixel k of an x-major line is (x1 + k, y1 + s *
// floor((2k dy + dx) / 2dx)), of a y-major one (x1 + floor((2k dx + dy) / 2dy), y1 + s k).
Points LinePoints(long long x1, long long y1, long long x2, long long y2, long long lo = -(1LL << 40),
                  long long hi = 1LL << 40) {
  if (x1 > x2 || (x1 == x2 && y1 > y2)) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  unsigned long long dx = x2 - x1, dy = y2 > y1 ? y2 - y1 : y1 - y2;
  long long s = y2 > y1 ? 1 : -1;
  if (dx == 0 && dy == 0) return {{x1, y1}};
  bool x_major = dx >= dy;
  unsigned long long dmaj = x_major ? dx : dy, dmin = x_major ? dy : dx;
  long long major1 = x_major ? x1 : y1, step = x_major ? 1 : s;
  long long k_first = std::max(0LL, step > 0 ? lo - major1 : major1 - hi);
  long long k_last = std::min(static_cast<long long>(dmaj), step > 0 ? hi - major1 : major1 - lo);
  Points points;
  for (long long k = k_first; k <= k_last; ++k) {
    unsigned long long uk = static_cast<unsigned long long>(k);
    long long minor = static_cast<long long>((2 * uk * dmin + dmaj) / (2 * dmaj));
    if (x_major) points.insert({x1 + k, y1 + s * minor});
    else points.insert({x1 + minor, y1 + s * k});
  }
  return points;
}

// Circle outline offsets: b = floor(sqrt(r^2 - a^2) + 0.5) for a = 0, 1, ...
// while 7a <= 5r and a <= b, mirrored eightfold.
Points CirclePoints(long long cx, long long cy, long long r) {
  Points points;
  for (long long a = 0; 7 * a <= 5 * r; ++a) {
    long long b = static_cast<long long>(std::floor(std::sqrt(double(r * r - a * a)) + 0.5));
    if (a > b) break;
    for (int sa : {-1, 1})
      for (int sb : {-1, 1}) {
        points.insert({cx + sa * a, cy + sb * b});
        points.insert({cx + sb * b, cy + sa * a});
      }
  }
  return points;
}

// Every pixel between the outline's leftmost and rightmost pixel of each row.
Points DiscPoints(long long cx, long long cy, long long r) {
  std::map<long long, std::pair<long long, long long>> rows;
  for (const auto& p : CirclePoints(cx, cy, r)) {
    auto it = rows.find(p.second);
    if (it == rows.end()) rows[p.second] = {p.first, p.first};
    else it->second = {std::min(it->second.first, p.first), std::max(it->second.second, p.first)};
  }
  Points points;
  for (const auto& row : rows)
    for (long long x = row.second.first; x <= row.second.second; ++x) points.insert({x, row.first});
  return points;
}

Points BoxPoints(long long x1, long long y1, long long x2, long long y2, bool filled) {
  Points points;
  for (long long y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
    for (long long x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
      if (filled || x == x1 || x == x2 || y == y1 || y == y2) points.insert({x, y});
  return points;
}

void ExpectPen(int x, int y, const char* what) {
  EXPECT_EQ(pen_x, x) << what;
  EXPECT_EQ(pen_y, y) << what;
}

}  // namespace

TEST_F(RasterFigures, RandomLinesMatchTheClosedFormOnBothDepths) {
  for (int bits : {32, 8}) {
    std::vector<uint8_t> before = MakeRandomPicture(61, 47, bits, 7);
    std::mt19937 random(bits);
    std::uniform_int_distribution<int> coordinate(-40, 100);
    for (int i = 0; i < 3000; ++i) {
      int x1 = coordinate(random), y1 = coordinate(random), x2 = coordinate(random), y2 = coordinate(random);
      Points points = LinePoints(x1, y1, x2, y2);
      uint32_t colour = random() & 0xFFFFFF;
      std::vector<uint8_t> drawn = Expected(before, points, colour, false);
      ZUL_DrawLine(colour, x1, y1, x2, y2);
      ASSERT_EQ(SurfaceBytesOf(1), drawn) << bits << " bits, line " << x1 << "," << y1 << " " << x2 << "," << y2;
      ExpectPen(x2, y2, "after a line");
      ZUL_XorLine(x2, y2, x1, y1);  // the other order inverts the same pixels once
      ASSERT_EQ(SurfaceBytesOf(1), Expected(drawn, points, 0, true)) << x1 << "," << y1 << " " << x2 << "," << y2;
      ExpectPen(x1, y1, "after the reversed XOR line");
      ZUL_XorLine(x1, y1, x2, y2);
      ASSERT_EQ(SurfaceBytesOf(1), drawn);
      before = drawn;
    }
    ZUL_DestroyImage(1);
  }
}

TEST_F(RasterFigures, WorkedLinesPlotTheGivenPixels) {
  struct Case {
    int x1, y1, x2, y2;
    Points pixels;
  } cases[] = {
      {0, 0, 5, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
      {5, 2, 0, 0, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
      {0, 0, 4, 1, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}},
      {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      {2, 0, 0, 4, {{2, 0}, {2, 1}, {1, 2}, {1, 3}, {0, 4}}},
      {3, 3, 3, 3, {{3, 3}}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> before = MakeRandomPicture(8, 8, 32, 3);
    ZUL_DrawLine(0x123456, c.x1, c.y1, c.x2, c.y2);
    EXPECT_EQ(SurfaceBytesOf(1), Expected(before, c.pixels, 0x123456, false)) << c.x1 << "," << c.y1;
    ExpectPen(c.x2, c.y2, "worked line");
    ZUL_DestroyImage(1);
  }
}

TEST_F(RasterFigures, BoxesCoverTheirRectangleWhateverTheCornerOrder) {
  struct Case {
    int x1, y1, x2, y2;
  } cases[] = {{3, 2, 12, 9}, {12, 9, 3, 2}, {12, 2, 3, 9}, {5, 5, 5, 9}, {2, 4, 9, 4}, {6, 6, 6, 6},
               {-5, -3, 4, 30}, {20, 1, 40, 3}, {-9, -9, -2, -2}, {7, 3, 8, 4}};
  for (int bits : {32, 8}) {
    for (const Case& c : cases) {
      std::vector<uint8_t> before = MakeRandomPicture(23, 17, bits, 11);
      draw_color = 0xA1B2C3;
      ZUL_FillBox(c.x1, c.y1, c.x2, c.y2);
      std::vector<uint8_t> filled = Expected(before, BoxPoints(c.x1, c.y1, c.x2, c.y2, true), 0xA1B2C3, false);
      EXPECT_EQ(SurfaceBytesOf(1), filled) << "FillBox " << c.x1 << "," << c.y1;
      int left = std::min(c.x1, c.x2), right = std::max(c.x1, c.x2);
      int top = std::min(c.y1, c.y2), bottom = std::max(c.y1, c.y2);
      bool has_inner_rows = right - left >= 2 && bottom - top >= 2;
      ExpectPen(has_inner_rows ? right - 1 : left, has_inner_rows ? bottom - 1 : top, "FillBox");

      ZUL_XorFillBox(c.x2, c.y2, c.x1, c.y1);
      EXPECT_EQ(SurfaceBytesOf(1), Expected(filled, BoxPoints(c.x1, c.y1, c.x2, c.y2, true), 0, true));
      ExpectPen(right, bottom, "XorFillBox");
      ZUL_XorFillBox(c.x1, c.y1, c.x2, c.y2);

      // XorBox inverts the boundary once; with left = right only the two end
      // pixels show (the inner column is inverted twice).
      Points outline = BoxPoints(c.x1, c.y1, c.x2, c.y2, false);
      if (left == right && bottom - top >= 2) outline = {{left, top}, {left, bottom}};
      ZUL_XorBox(c.x1, c.y1, c.x2, c.y2);
      EXPECT_EQ(SurfaceBytesOf(1), Expected(filled, outline, 0, true)) << "XorBox " << c.x1 << "," << c.y1;
      ZUL_XorBox(c.x2, c.y1, c.x1, c.y2);
      EXPECT_EQ(SurfaceBytesOf(1), filled);

      draw_color = 0x3456;
      ZUL_DrawBox(c.x2, c.y2, c.x1, c.y1);
      EXPECT_EQ(SurfaceBytesOf(1), Expected(filled, BoxPoints(c.x1, c.y1, c.x2, c.y2, false), 0x3456, false));
      ExpectPen(c.x2, c.y2, "DrawBox");
      ZUL_DestroyImage(1);
    }
  }
  draw_color = 0xFFFFFF;
}

TEST_F(RasterFigures, CirclesAndDiscsMatchTheRoundedRadius) {
  for (int bits : {32, 8}) {
    std::vector<uint8_t> before = MakeRandomPicture(90, 70, bits, 5);
    for (int r = 1; r <= 30; ++r) {
      int cx = 40 + r % 7, cy = 33 - r % 5;  // large radii run off the picture
      Points ring = CirclePoints(cx, cy, r), disc = DiscPoints(cx, cy, r);
      ZUL_XorCircle(cx, cy, r);
      ASSERT_EQ(SurfaceBytesOf(1), Expected(before, ring, 0, true)) << "XorCircle r " << r;
      ZUL_XorCircle(cx, cy, r);
      ZUL_XorFillCircle(cx, cy, r);
      ASSERT_EQ(SurfaceBytesOf(1), Expected(before, disc, 0, true)) << "XorFillCircle r " << r;
      ZUL_XorFillCircle(cx, cy, r);
      ASSERT_EQ(SurfaceBytesOf(1), before);
      ZUL_DrawCircle(cx, cy, 0x10203 * r, r);
      ASSERT_EQ(SurfaceBytesOf(1), Expected(before, ring, 0x10203 * r, false)) << "DrawCircle r " << r;
      draw_color = 0x30201 * r;
      ZUL_FillCircle(cx, cy, r);
      ASSERT_EQ(SurfaceBytesOf(1), Expected(before, disc, 0x30201 * r, false)) << "FillCircle r " << r;
      before = SurfaceBytesOf(1);
    }
    ZUL_DestroyImage(1);
  }
  std::mt19937 random(9);
  std::vector<uint8_t> before = MakeRandomPicture(420, 380, 32, 9);
  for (int i = 0; i < 12; ++i) {
    int r = 31 + static_cast<int>(random() % 270), cx = static_cast<int>(random() % 420), cy = 190;
    ZUL_XorFillCircle(cx, cy, r);
    ASSERT_EQ(SurfaceBytesOf(1), Expected(before, DiscPoints(cx, cy, r), 0, true)) << "r " << r;
    ZUL_XorFillCircle(cx, cy, r);
    ZUL_DrawCircle(cx, cy, 0xFF, r);
    ASSERT_EQ(SurfaceBytesOf(1), Expected(before, CirclePoints(cx, cy, r), 0xFF, false)) << "r " << r;
    before = SurfaceBytesOf(1);
  }
  draw_color = 0xFFFFFF;
}

TEST_F(RasterFigures, WorkedCirclesAndTheirPen) {
  struct Case {
    int r;
    bool fill;
    size_t count;  // pixels changed
    int pen_dx, pen_dy;
  } cases[] = {
      {1, false, 4, -1, 0},  {3, false, 16, -2, -2}, {5, true, 97, INT_MIN, 0},
      {0, false, 1, 0, 0},   {0, true, 1, 0, 0},     {-3, false, 4, 3, 0},
      {-3, true, 9, 3, 0},
  };
  for (const Case& c : cases) {
    MakeImage(1, 20, 20, 8);
    draw_color = 0x12AB;
    if (c.fill) ZUL_FillCircle(10, 10, c.r);
    else ZUL_DrawCircle(10, 10, 0x12AB, c.r);
    std::vector<uint8_t> after = SurfaceBytesOf(1);
    size_t changed = 0;
    for (uint8_t byte : after) changed += byte == 0xAB;
    EXPECT_EQ(changed, c.count) << "r " << c.r << (c.fill ? " fill" : "");
    if (c.pen_dx != INT_MIN) ExpectPen(10 + c.pen_dx, 10 + c.pen_dy, "circle");
    ZUL_DestroyImage(1);
  }
  // Radius 3: the rows 3 above and below the centre hold cx - 1 .. cx + 1.
  MakeImage(1, 20, 20, 32);
  ZUL_DrawCircle(10, 10, 0xFFFFFF, 3);
  for (int x = 5; x <= 15; ++x) {
    bool on = x >= 9 && x <= 11;
    EXPECT_EQ(ZUL_GetPixel(x, 7) != 0, on) << x;
    EXPECT_EQ(ZUL_GetPixel(x, 13) != 0, on) << x;
  }
  // XOR radius 0 inverts the centre an even number of times: no change.
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  ZUL_XorCircle(4, 4, 0);
  ZUL_XorFillCircle(4, 4, 0);
  EXPECT_EQ(SurfaceBytesOf(1), before);
  draw_color = 0xFFFFFF;
}

TEST_F(RasterFigures, ExtremeArgumentsTouchOnlyVisiblePixelsAndEndSoon) {
  const int distant = 2000000000;
  std::vector<uint8_t> before = MakeRandomPicture(40, 30, 32, 2);
  struct LineCase {
    int x1, y1, x2, y2;
  } lines[] = {{INT_MIN, 5, INT_MAX, 5},   {7, INT_MAX, 7, INT_MIN},    {INT_MAX, INT_MAX, 3, 0},  {0, 0, INT_MAX, INT_MAX},
              
               {-distant, -1000000007, distant, 1000000003}, {-999999999, distant, 1000000001, -distant + 3},
               {INT_MAX, 0, INT_MAX - 5, 3}, {-30, INT_MIN, 20, INT_MAX}};
  for (const LineCase& c : lines) {
    // The reference walks only the visible columns (or rows) of the major axis.
    bool x_major = std::llabs(1LL * c.x2 - c.x1) >= std::llabs(1LL * c.y2 - c.y1);
    Points points = LinePoints(c.x1, c.y1, c.x2, c.y2, 0, x_major ? 39 : 29);
    ZUL_XorLine(c.x1, c.y1, c.x2, c.y2);
    ASSERT_EQ(SurfaceBytesOf(1), Expected(before, points, 0, true)) << c.x1 << "," << c.y1;
    ExpectPen(c.x2, c.y2, "extreme line");
    ZUL_XorLine(c.x2, c.y2, c.x1, c.y1);
    ASSERT_EQ(SurfaceBytesOf(1), before);
  }
  draw_color = 0x0F0F0F;
  ZUL_FillBox(-distant, -distant, distant, distant);
  EXPECT_EQ(SurfaceBytesOf(1), Expected(before, BoxPoints(0, 0, 39, 29, true), 0x0F0F0F, false));
  before = SurfaceBytesOf(1);
  ZUL_XorFillBox(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  ZUL_XorBox(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // entirely outside
  ZUL_XorBox(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  ZUL_XorFillBox(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  EXPECT_EQ(SurfaceBytesOf(1), before);
  ZUL_XorFillCircle(10, 10, 20000000);
  EXPECT_EQ(SurfaceBytesOf(1), Expected(before, BoxPoints(0, 0, 39, 29, true), 0, true));
  ZUL_XorFillCircle(10, 10, 20000000);
  EXPECT_EQ(SurfaceBytesOf(1), before);
  // A big circle centred off the picture: only its visible arc.
  ZUL_DrawCircle(-4980, 15, 0x777777, 5000);
  EXPECT_EQ(SurfaceBytesOf(1), Expected(before, CirclePoints(-4980, 15, 5000), 0x777777, false));
  draw_color = 0xFFFFFF;
}
