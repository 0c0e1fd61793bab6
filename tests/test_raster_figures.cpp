// Lines, boxes and circles against references built here from closed forms:
// a line's pixel at step k, a circle's rounded radius per column, a disc as
// the rows between the outline's ends.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <set>

#include "surfaces_test_util.h"

namespace {

using RasterFigures = ImageWindowTest;
using Points = std::set<std::pair<long long, long long>>;

void MakeRandomPicture(int width, int height, int bits, unsigned seed) {
  ZUL_DestroyImage(1);
  MakeImage(1, width, height, bits);
  std::mt19937 random(seed);
  const ImageSurface& s = image_surfaces[1];
  for (size_t i = 0; i < s.stride * s.height; ++i) s.base[i] = static_cast<uint8_t>(random());
}

// `px` with the visible `points` set to `colour`, or inverted once.
std::vector<uint8_t> Apply(std::vector<uint8_t> px, const Points& points, uint32_t colour, bool invert) {
  const ImageSurface& s = image_surfaces[1];
  for (const auto& p : points) {
    if (p.first < 0 || p.second < 0 || p.first >= long(s.width) || p.second >= long(s.height)) continue;
    uint8_t* at = &px[size_t(p.second) * s.stride + size_t(p.first) * (s.bits / 8)];
    uint32_t word = s.bits == 8 ? *at : at[0] | at[1] << 8 | at[2] << 16 | uint32_t(at[3]) << 24;
    word = invert ? word ^ (s.bits == 8 ? 0xFF : 0xFFFFFF) : colour;
    std::memcpy(at, &word, s.bits / 8);  // little-endian: the low byte first
  }
  return px;
}

// Draws, expects exactly `points` changed; an XOR figure drawn again restores.
void Check(const std::function<void()>& draw, const Points& points, uint32_t colour, bool invert,
           const std::string& what) {
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  draw();
  ASSERT_EQ(SurfaceBytesOf(1), Apply(before, points, colour, invert)) << what;
  if (!invert) return;
  draw();
  ASSERT_EQ(SurfaceBytesOf(1), before) << what << " twice";
}

// With (x1, y1) the end of smaller x: pixel k of an x-major line is (x1 + k,
// y1 + s floor((2k dy + dx) / 2dx)), of a y-major one (x1 + floor((2k dx + dy)
// / 2dy), y1 + s k). Only k whose major coordinate is in [lo, hi].
Points LinePoints(long long x1, long long y1, long long x2, long long y2, long long lo = -(1LL << 40),
                  long long hi = 1LL << 40) {
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
    long long minor = static_cast<long long>((2 * (unsigned long long)k * dmin + dmaj) / (2 * dmaj));
    points.insert(x_major ? std::make_pair(x1 + k, y1 + s * minor) : std::make_pair(x1 + minor, y1 + s * k));
  }
  return points;
}

// Offsets (a, b = floor(sqrt(r^2 - a^2) + 0.5)) for a = 0, 1, ... while 7a <=
// 5r and a <= b, mirrored eightfold; `disc` fills each row between its ends.
Points CirclePoints(long long cx, long long cy, long long r, bool disc = false) {
  Points ring;
  std::map<long long, std::pair<long long, long long>> rows;
  for (long long a = 0, b; 7 * a <= 5 * r && a <= (b = std::llround(std::floor(std::sqrt(double(r * r - a * a)) + 0.5))); ++a)
    for (long long p : {-a, a})
      for (long long q : {-b, b}) ring.insert({cx + p, cy + q}), ring.insert({cx + q, cy + p});
  if (!disc) return ring;
  for (const auto& p : ring) {
    auto it = rows.emplace(p.second, std::make_pair(p.first, p.first)).first;
    it->second = {std::min(it->second.first, p.first), std::max(it->second.second, p.first)};
  }
  Points filled;
  for (const auto& row : rows)
    for (long long x = row.second.first; x <= row.second.second; ++x) filled.insert({x, row.first});
  return filled;
}

Points BoxPoints(long long x1, long long y1, long long x2, long long y2, bool filled) {
  Points points;
  for (long long y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
    for (long long x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
      if (filled || x == x1 || x == x2 || y == y1 || y == y2) points.insert({x, y});
  return points;
}

#define EXPECT_PEN(x, y) EXPECT_EQ(std::make_pair(pen_x, pen_y), std::make_pair(int32_t(x), int32_t(y)))

}  // namespace

TEST_F(RasterFigures, LinesMatchTheClosedFormOnBothDepths) {
  for (int bits : {32, 8}) {
    MakeRandomPicture(61, 47, bits, 7);
    std::mt19937 random(bits);
    for (int i = 0; i < 3000; ++i) {
      int x1 = random() % 141 - 40, y1 = random() % 141 - 40, x2 = random() % 141 - 40, y2 = random() % 141 - 40;
      uint32_t colour = random() & 0xFFFFFF;
      Points line = LinePoints(x1, y1, x2, y2);
      std::string what = std::to_string(x1) + "," + std::to_string(y1) + " " + std::to_string(x2) + "," + std::to_string(y2);
      Check([&] { ZUL_DrawLine(colour, x1, y1, x2, y2); }, line, colour, false, what);
      EXPECT_PEN(x2, y2);
      Check([&] { ZUL_XorLine(x2, y2, x1, y1); }, line, 0, true, what);
      EXPECT_PEN(x1, y1);
    }
  }
  ZUL_DestroyImage(1);
  MakeImage(1, 8, 8);
  Check([] { ZUL_DrawLine(9, 0, 0, 5, 2); }, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}, 9, false, "(5, 2)");
  Check([] { ZUL_DrawLine(8, 4, 1, 0, 0); }, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}, 8, false, "(4, 1)");
  Check([] { ZUL_DrawLine(7, 0, 0, 3, 3); }, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}, 7, false, "tie");
}

TEST_F(RasterFigures, BoxesCoverTheirRectangleWhateverTheCornerOrder) {
  const int cases[][4] = {{3, 2, 12, 9}, {12, 9, 3, 2}, {12, 2, 3, 9}, {5, 5, 5, 9}, {2, 4, 9, 4},
                          {6, 6, 6, 6},  {-5, -3, 4, 30}, {20, 1, 40, 3}, {-9, -9, -2, -2}};
  for (int bits : {32, 8})
    for (const auto& c : cases) {
      MakeRandomPicture(23, 17, bits, 11);
      int left = std::min(c[0], c[2]), right = std::max(c[0], c[2]), top = std::min(c[1], c[3]), bottom = std::max(c[1], c[3]);
      std::string what = std::to_string(c[0]) + "," + std::to_string(c[1]) + " " + std::to_string(bits);
      Points filled = BoxPoints(c[0], c[1], c[2], c[3], true), outline = BoxPoints(c[0], c[1], c[2], c[3], false);
      draw_color = 0xA1B2C3;
      Check([&] { ZUL_FillBox(c[0], c[1], c[2], c[3]); }, filled, 0xA1B2C3, false, "fill " + what);
      bool inner_rows = right - left >= 2 && bottom - top >= 2;
      EXPECT_PEN(inner_rows ? right - 1 : left, inner_rows ? bottom - 1 : top);
      Check([&] { ZUL_XorFillBox(c[2], c[3], c[0], c[1]); }, filled, 0, true, "XOR fill " + what);
      EXPECT_PEN(right, bottom);
      // With left = right the inner column is inverted twice: two pixels show.
      Points xor_outline = left == right && bottom - top >= 2 ? Points{{left, top}, {left, bottom}} : outline;
      Check([&] { ZUL_XorBox(c[2], c[1], c[0], c[3]); }, xor_outline, 0, true, "XOR box " + what);
      draw_color = 0x3456;
      Check([&] { ZUL_DrawBox(c[2], c[3], c[0], c[1]); }, outline, 0x3456, false, "box " + what);
      EXPECT_PEN(c[2], c[3]);
    }
}

TEST_F(RasterFigures, CirclesAndDiscsMatchTheRoundedRadius) {
  for (int bits : {32, 8}) {
    MakeRandomPicture(90, 70, bits, 5);
    for (int r = 1; r <= 30; ++r) {
      int cx = 40 + r % 7, cy = 33 - r % 5;  // the larger ones run off the picture
      std::string what = "r " + std::to_string(r);
      Points ring = CirclePoints(cx, cy, r), disc = CirclePoints(cx, cy, r, true);
      Check([&] { ZUL_XorCircle(cx, cy, r); }, ring, 0, true, "XOR circle " + what);
      Check([&] { ZUL_XorFillCircle(cx, cy, r); }, disc, 0, true, "XOR disc " + what);
      Check([&] { ZUL_DrawCircle(cx, cy, 0x10203 * r, r); }, ring, 0x10203 * r, false, "circle " + what);
      draw_color = 0x30201 * r;
      Check([&] { ZUL_FillCircle(cx, cy, r); }, disc, 0x30201 * r, false, "disc " + what);
    }
  }
  MakeRandomPicture(420, 380, 32, 9);
  for (int r = 31; r <= 300; r += 67) {
    Check([&] { ZUL_XorFillCircle(r, 190, r); }, CirclePoints(r, 190, r, true), 0, true, "big disc");
    Check([&] { ZUL_DrawCircle(r, 190, 0xFF, r); }, CirclePoints(r, 190, r), 0xFF, false, "big circle");
  }
  // Worked figures: counts of the pixels set, and where the pen is left.
  const struct { int r; bool fill; size_t count; int pen_x, pen_y; } worked[] = {
      {1, false, 4, 9, 10}, {3, false, 16, 8, 8}, {5, true, 97, 6, 7}, {0, false, 1, 10, 10},
      {0, true, 1, 10, 10}, {-3, false, 4, 13, 10}, {-3, true, 9, 13, 10}};
  for (const auto& w : worked) {
    ZUL_DestroyImage(1);
    MakeImage(1, 20, 20, 8);
    draw_color = 0x12AB;
    w.fill ? ZUL_FillCircle(10, 10, w.r) : ZUL_DrawCircle(10, 10, 0x12AB, w.r);
    std::vector<uint8_t> px = SurfaceBytesOf(1);
    EXPECT_EQ(size_t(std::count(px.begin(), px.end(), 0xAB)), w.count) << "r " << w.r;
    EXPECT_PEN(w.pen_x, w.pen_y);
  }
  Check([] { ZUL_XorCircle(4, 4, 0); ZUL_XorFillCircle(4, 4, 0); }, {}, 0, false, "XOR r = 0");
  draw_color = 0xFFFFFF;
}

TEST_F(RasterFigures, ExtremeArgumentsTouchOnlyVisiblePixelsAndEndSoon) {
  const int d = 2000000000;
  MakeRandomPicture(40, 30, 32, 2);
  const int lines[][4] = {{INT_MIN, 5, INT_MAX, 5}, {7, INT_MAX, 7, INT_MIN}, {INT_MAX, INT_MAX, 3, 0},
                          {-d, -1000000007, d, 1000000003}, {-999999999, d, 1000000001, -d + 3},
                          {INT_MAX, 0, INT_MAX - 5, 3}, {-30, INT_MIN, 20, INT_MAX}};
  for (const auto& c : lines) {
    bool x_major = std::llabs(1LL * c[2] - c[0]) >= std::llabs(1LL * c[3] - c[1]);
    Check([&] { ZUL_XorLine(c[0], c[1], c[2], c[3]); }, LinePoints(c[0], c[1], c[2], c[3], 0, x_major ? 39 : 29),
          0, true, "line " + std::to_string(c[0]));
    EXPECT_PEN(c[2], c[3]);
  }
  Points all = BoxPoints(0, 0, 39, 29, true);
  draw_color = 0x0F0F0F;
  Check([&] { ZUL_FillBox(-d, -d, d, d); }, all, 0x0F0F0F, false, "far box");
  Check([&] { ZUL_XorFillBox(INT_MAX, INT_MIN, INT_MIN, INT_MAX); }, all, 0, true, "XOR box of every int");
  Check([&] { ZUL_XorBox(INT_MIN, INT_MIN, INT_MAX, INT_MAX); }, {}, 0, true, "outline outside");
  Check([&] { ZUL_XorFillCircle(10, 10, 20000000); }, all, 0, true, "huge disc");
  Check([&] { ZUL_DrawCircle(-4980, 15, 0x777777, 5000); }, CirclePoints(-4980, 15, 5000), 0x777777, false, "arc");
  draw_color = 0xFFFFFF;
}
