// Whole-image transforms through the window's own commands: rotations, the
// rotation that cannot be shown, scaling sizes and sampling, invert and flips.
#include <cstring>
#include <tuple>

#include "imagewin_test_util.h"

namespace {

using ImageTransforms = ImageWindowTest;
using Pixels = std::vector<uint32_t>;

// The surface of slot n as values (words, or indices on 8 bits), row by row.
Pixels PixelsOf(int n) {
  GdiFlush();
  const ImageSurface& s = image_surfaces[n];
  Pixels out;
  for (unsigned long y = 0; y < s.height; ++y)
    for (unsigned long x = 0; x < s.width; ++x)
      out.push_back(s.bits == 32 ? reinterpret_cast<uint32_t*>(s.base + y * s.stride)[x]
                                 : s.base[y * s.stride + x]);
  return out;
}

// An asymmetric picture: distinct corners and no two equal pixels (8 bits:
// distinct indices under a palette that is not grey).
void MakePicture(int n, int width, int height, int bits) {
  MakeImage(n, width, height, bits);
  if (bits == 8) {
    RGBQUAD colors[256];
    for (int i = 0; i < 256; ++i)
      colors[i] = RGBQUAD{BYTE(i * 7), BYTE(255 - i), BYTE(i * 3 + 1), 0};
    ZUL_SetPalette(colors, 256);
  }
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      ZUL_PlotPixel(x, y, bits == 8 ? uint32_t(1 + y * width + x) : TestColor(x, y) + 1);
}

std::vector<RGBQUAD> PaletteOf(int n) {
  std::vector<RGBQUAD> colors(256);
  GetDIBColorTable(image_windows[n].memory_dc, 0, 256, colors.data());
  return colors;
}

bool SamePalette(const std::vector<RGBQUAD>& a, const std::vector<RGBQUAD>& b) {
  return std::memcmp(a.data(), b.data(), 256 * sizeof(RGBQUAD)) == 0;
}

POINT TopLeftOf(int n) {
  RECT r;
  GetWindowRect(image_windows[n].window, &r);
  return POINT{r.left, r.top};
}

TEST_F(ImageTransforms, RotationsMapEveryPixelAndFourTurnsGiveThePictureBack) {
  struct Case {
    int bits, width, height, id;
  } cases[] = {{32, 3, 2, kIwRotateRight}, {32, 3, 2, kIwRotateLeft}, {8, 5, 3, kIwRotateRight},
               {8, 7, 5, kIwRotateLeft},   {32, 7, 5, kIwRotateRight}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << " bits " << c.width << "x" << c.height << " id "
                                    << c.id);
    DestroyAllImages();
    MakePicture(2, c.width, c.height, c.bits);
    ZUL_SetStretchMode(HALFTONE, 2);
    MakeImage(0, 10, 10);  // another window is current
    Pixels old = PixelsOf(2);
    std::vector<RGBQUAD> palette = PaletteOf(2);
    POINT where = TopLeftOf(2);
    SendCommand(2, c.id);
    ASSERT_TRUE(image_windows[2].in_use);
    EXPECT_EQ(current_image, 2);
    ASSERT_EQ(image_windows[2].width, c.height);
    ASSERT_EQ(image_windows[2].height, c.width);
    Pixels now = PixelsOf(2);
    const int W = c.width, H = c.height;
    for (int y = 0; y < W; ++y)
      for (int x = 0; x < H; ++x) {
        int ox = c.id == kIwRotateRight ? y : W - 1 - y;
        int oy = c.id == kIwRotateRight ? H - 1 - x : x;
        ASSERT_EQ(now[y * H + x], old[oy * W + ox]) << x << "," << y;
      }
    EXPECT_EQ(TopLeftOf(2).x, where.x);
    EXPECT_EQ(TopLeftOf(2).y, where.y);
    std::string caption = CaptionOf(2), tail = c.bits == 8 ? "%)[8bit]*" : "%)*";
    EXPECT_EQ(caption.substr(caption.size() - tail.size()), tail);
    EXPECT_TRUE(c.bits != 8 || SamePalette(PaletteOf(2), palette));
    for (int turn = 0; turn < 3; ++turn) SendCommand(2, c.id);
    EXPECT_EQ(PixelsOf(2), old);
    EXPECT_EQ(image_windows[2].width, W);
  }
  // The 3 x 2 picture (a b c / d e f) turned right reads (d a)(e b)(f c).
  DestroyAllImages();
  MakeImage(0, 3, 2);
  const uint32_t a = 0xA, b = 0xB, c = 0xC, d = 0xD, e = 0xE, f = 0xF;
  for (auto [x, y, v] : {std::tuple{0, 0, a}, {1, 0, b}, {2, 0, c}, {0, 1, d}, {1, 1, e}, {2, 1, f}})
    ZUL_PlotPixel(x, y, v);
  SendCommand(0, kIwRotateRight);
  EXPECT_EQ(PixelsOf(0), (Pixels{d, a, e, b, f, c}));
}

TEST_F(ImageTransforms, RotationThatCannotBeShownKeepsWindowAndPicture) {
  ScreenMetrics screen = ReadScreenMetrics();
  int width = 0;
  for (int w = 200; w <= 2000 && width == 0; w += 20)
    if (FitZoom(screen, w, 20, 100).code == 0 && FitZoom(screen, 20, w, 100).code != 0) width = w;
  ASSERT_NE(width, 0) << "no strip on this screen fits only lying down";
  MakePicture(1, width, 20, 32);
  HWND before = image_windows[1].window;
  Pixels old = PixelsOf(1);
  SendCommand(1, kIwRotateRight);
  ASSERT_TRUE(image_windows[1].in_use);
  EXPECT_EQ(image_windows[1].window, before);
  EXPECT_EQ(image_windows[1].width, width);
  EXPECT_EQ(PixelsOf(1), old);
}

TEST_F(ImageTransforms, ScalingSizes) {
  struct Case {
    int width, height, id, new_width, new_height;
  } cases[] = {{640, 480, kIwSize50, 320, 240},  {640, 480, kIwSize71, 452, 339},
               {640, 480, kIwSize141, 905, 679}, {640, 480, kIwSize200, 1280, 960},
               {1, 1, kIwSize50, 1, 1},          {3, 3, kIwSize50, 2, 2}};
  for (const Case& c : cases) {
    DestroyAllImages();
    MakeImage(0, c.width, c.height);
    SendCommand(0, c.id);
    ASSERT_TRUE(image_windows[0].in_use) << c.id;
    EXPECT_EQ(image_windows[0].width, c.new_width) << c.id;
    EXPECT_EQ(image_windows[0].height, c.new_height) << c.id;
  }
}

TEST_F(ImageTransforms, ScalingSamples) {
  // Plain 200 %: every pixel doubled, 32 and 8 bits, palette kept.
  for (int bits : {32, 8}) {
    DestroyAllImages();
    MakePicture(0, 7, 5, bits);
    std::vector<RGBQUAD> palette = PaletteOf(0);
    Pixels old = PixelsOf(0);
    SendCommand(0, kIwSize200);
    ASSERT_EQ(image_windows[0].width, 14);
    Pixels now = PixelsOf(0);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 14; ++x) ASSERT_EQ(now[y * 14 + x], old[y / 2 * 7 + x / 2]) << bits;
    EXPECT_TRUE(bits != 8 || SamePalette(PaletteOf(0), palette));
  }
  // Plain 50 % of uniform 2 x 2 blocks gives the blocks' colours.
  DestroyAllImages();
  MakeImage(0, 8, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) ZUL_PlotPixel(x, y, TestColor(x / 2, y / 2));
  SendCommand(0, kIwSize50);
  Pixels half = PixelsOf(0);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(half[y * 4 + x], TestColor(x, y));
  // Smoothed 200 % of one-pixel stripes makes colours that were not there.
  DestroyAllImages();
  MakeImage(0, 9, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 9; ++x) ZUL_PlotPixel(x, y, x % 2 ? 0xFFFFFF : 0);
  ZUL_SetStretchMode(HALFTONE, 0);
  SendCommand(0, kIwSize200);
  int new_colours = 0;
  for (uint32_t p : PixelsOf(0)) {
    EXPECT_EQ(p >> 24, 0u);
    new_colours += p != 0 && p != 0xFFFFFF;
  }
  EXPECT_GT(new_colours, 0);
}

TEST_F(ImageTransforms, InvertAndFlipsAreExact) {
  for (int bits : {32, 8}) {
    for (int mode : {COLORONCOLOR, HALFTONE}) {
      SCOPED_TRACE(testing::Message() << bits << " bits, stretch mode " << mode);
      DestroyAllImages();
      MakePicture(0, 7, 5, bits);
      ZUL_SetStretchMode(mode, 0);
      Pixels old = PixelsOf(0);
      SendCommand(0, kIwInvert);
      Pixels inverted = PixelsOf(0);
      for (size_t i = 0; i < old.size(); ++i)
        ASSERT_EQ(inverted[i], bits == 32 ? old[i] ^ 0xFFFFFFu : 255 - old[i]);
      SendCommand(0, kIwInvert);
      EXPECT_EQ(PixelsOf(0), old);
      SendCommand(0, kIwHorzFlip);
      Pixels now = PixelsOf(0);
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) ASSERT_EQ(now[y * 7 + x], old[y * 7 + 6 - x]);
      SendCommand(0, kIwHorzFlip);
      SendCommand(0, kIwVertFlip);
      now = PixelsOf(0);
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) ASSERT_EQ(now[y * 7 + x], old[(4 - y) * 7 + x]);
    }
  }
  // Inverted black reads white 0x00FFFFFF, which a fill then covers.
  DestroyAllImages();
  MakeImage(0, 16, 16);
  SendCommand(0, kIwInvert);
  draw_color = 0x00FF00;
  ZUL_FloodFill(4, 4);
  EXPECT_EQ(PixelsOf(0), Pixels(256, 0x00FF00));
}

}  // namespace
