// Flood fill: the filled region against a breadth-first fill written here, on
// pictures that trouble span fills, and the pen and the seeds that change nothing.
#include <deque>
#include <functional>

#include "surfaces_test_util.h"

namespace {

using Picture = std::function<uint32_t(int x, int y)>;

struct FillCase {
  const char* name;
  int bits, width, height;
  Picture picture;
  int seed_x, seed_y;
  uint32_t color;
};

uint32_t Lcg(uint32_t* state) {
  *state = *state * 1664525u + 1013904223u;
  return *state >> 8;
}

std::vector<uint32_t> ReadPicture(int width, int height) {
  std::vector<uint32_t> values;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) values.push_back(ZUL_GetPixel(x, y));
  return values;
}

// The region by breadth-first search over 4 neighbours, painted in the value
// an 8-bit surface or a 32-bit surface stores.
std::vector<uint32_t> BreadthFirstFill(std::vector<uint32_t> values, int width, int height,
                                       int bits, int sx, int sy, uint32_t color) {
  uint32_t fill = bits == 8 ? (color & 0xFF) : color;
  uint32_t target = values[sy * width + sx];
  if (target == fill) return values;
  std::deque<std::pair<int, int>> queue{{sx, sy}};
  values[sy * width + sx] = fill;
  while (!queue.empty()) {
    auto [x, y] = queue.front();
    queue.pop_front();
    const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
    for (int k = 0; k < 4; ++k) {
      int nx = x + dx[k], ny = y + dy[k];
      if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
      if (values[ny * width + nx] != target) continue;
      values[ny * width + nx] = fill;
      queue.push_back({nx, ny});
    }
  }
  return values;
}

// Walls on every odd column, open at the top and the bottom in turn: one
// corridor that turns back at every wall.
uint32_t Serpentine(int x, int y) {
  if (x % 2 == 0) return 0x000000;
  bool gap = (x % 4 == 1) ? y == 0 : y == 20;
  return gap ? 0x000000 : 0x808080;
}

uint32_t ScatteredDots(int x, int y) {
  uint32_t state = static_cast<uint32_t>(y * 640 + x) * 2654435761u;
  if (x == 0 && y == 0) return 0;
  return Lcg(&state) % 10 == 0 ? 0x202020 : 0;
}

class FloodFillTest : public ImageWindowTest {};

TEST_F(FloodFillTest, FilledRegionEqualsBreadthFirstFill) {
  const FillCase cases[] = {
      {"serpentine maze", 32, 41, 21, Serpentine, 0, 20, 0x00FF00},
      {"diagonal gap", 32, 10, 10, [](int x, int y) { return x + y == 9 ? 0xFFFFFFu : 0u; }, 0,
       0, 0x0000FF},
      {"checkerboard", 32, 8, 8, [](int x, int y) { return (x + y) % 2 ? 0xFFu : 0u; }, 3, 5,
       0x00FF00},
      {"whole empty window", 32, 20, 10, [](int, int) { return 0u; }, 5, 5, 0x123456},
      {"10% dots, more seeds than the frame holds", 32, 640, 480, ScatteredDots, 0, 0, 0xFF0000},
      {"words equal to the outside value", 32, 16, 16, [](int, int) { return 0xFFFFFFFFu; }, 7,
       9, 0x123456},
      {"8-bit dot grid, low byte stored", 8, 128, 128,
       [](int x, int y) { return (x % 2 && y % 2) ? 100u : 0u; }, 0, 0, 0x3456},
      {"8-bit white with white", 8, 12, 6, [](int, int) { return 0xFFu; }, 2, 2, 0xFFFFFF},
  };
  for (const FillCase& c : cases) {
    SCOPED_TRACE(c.name);
    DestroyAllImages();
    MakeImage(0, c.width, c.height, c.bits);
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) ZUL_PlotPixel(x, y, c.picture(x, y));
    std::vector<uint32_t> expected = BreadthFirstFill(ReadPicture(c.width, c.height), c.width,
                                                      c.height, c.bits, c.seed_x, c.seed_y,
                                                      c.color);
    draw_color = c.color;
    ZUL_FloodFill(c.seed_x, c.seed_y);
    std::vector<uint32_t> got = ReadPicture(c.width, c.height);
    int wrong = 0;
    for (size_t i = 0; i < got.size(); ++i) wrong += got[i] != expected[i];
    EXPECT_EQ(wrong, 0);
  }
}

TEST_F(FloodFillTest, PenEndsAtLastRunAndOutsideSeedsChangeNothing) {
  MakeImage(0, 20, 10);
  draw_color = 0x445566;
  ZUL_FloodFill(5, 5);  // rows below the seed first, then those above
  EXPECT_EQ(pen_x, 19);
  EXPECT_EQ(pen_y, 0);
  pen_x = pen_y = -7;
  ZUL_FloodFill(5, 5);  // already that colour
  EXPECT_EQ(pen_x, -7);
  draw_color = 0x000001;
  ZUL_FloodFill(3, 0);
  EXPECT_EQ(pen_x, 19);
  EXPECT_EQ(pen_y, 9);

  std::vector<uint8_t> before = SurfaceBytesOf(0);
  draw_color = 0xABCDEF;
  const POINT outside[] = {{-1, 0}, {20, 0}, {0, -1}, {0, 10}};
  for (POINT p : outside) {
    pen_x = pen_y = -7;
    ZUL_FloodFill(p.x, p.y);
    EXPECT_EQ(pen_x, -7) << p.x << "," << p.y;
  }
  EXPECT_EQ(SurfaceBytesOf(0), before);
}

}  // namespace
