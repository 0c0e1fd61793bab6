// The lenticular interlacing and the parameter panel's actions, checked on the
// output window's pixels against values worked out here.
#include <cmath>
#include <cstdio>

#include "lenti.h"
#include "test_support.h"

namespace {

constexpr double kPitch = 23.006;

// Fills window `number` with colour(x, y).
void Fill(int number, const std::function<uint32_t(int, int)>& colour) {
  ZUL_SelectImage(number);
  for (int y = 0; y < static_cast<int>(image_surfaces[number].height); ++y)
    for (int x = 0; x < static_cast<int>(image_surfaces[number].width); ++x)
      ZUL_PlotPixel(x, y, colour(x, y));
}

uint32_t Grey(int v) { return (static_cast<uint32_t>(v) & 0xFF) * 0x010101u; }

// The value of output sub-pixel column `a` in row `row` (0-2) of block `o`:
// phase 0 rows carry red, green, blue of pixel a/3; phase 1 blue of a/3, red
// and green of a/3 + 1; phase 2 green and blue of a/3, red of a/3 + 1.
int Subpixel(int a, int o, int row) {
  static const int kShift[3][3] = {{16, 8, 0}, {0, 16, 8}, {8, 0, 16}};
  static const int kNext[3][3] = {{0, 0, 0}, {0, 1, 1}, {0, 0, 1}};
  ZUL_SelectImage(kOutputWindow);
  uint32_t pixel = ZUL_GetPixel(a / 3 + kNext[a % 3][row], 3 * o + row);
  return static_cast<int>(pixel >> kShift[a % 3][row] & 0xFF);
}

// All 2400 x 480 sub-pixels of the output, read through at(a, o, row).
struct Snapshot {
  std::vector<int> all;
  Snapshot() {
    for (int o = 0; o < kRowBlocks; ++o)
      for (int row = 0; row < 3; ++row)
        for (int a = 0; a < kOutputSubpixels; ++a) all.push_back(Subpixel(a, o, row));
  }
  int at(int a, int o, int row) const {
    return all[static_cast<size_t>((o * 3 + row) * kOutputSubpixels + a)];
  }
};

class Render : public testing::Test {
 protected:
  void SetUp() override {
    InitializeFrameworkForTests();
    TearDown();
    pitch = kPitch, pic_num = view_num = 2, gap = pos = AA = 0;
    ASSERT_EQ(ZUL_OpenTextWindow(0, 0, 0, 198, 198), 0);
  }
  void TearDown() override {
    for (int n = 0; n < 4; ++n) ZUL_DestroyImage(n);
    ZUL_CloseTextWindow(0);
  }
  void MakeWindows(int work_width) {
    ASSERT_EQ(ZUL_CreateImage(kWorkWindow, "work", 0, 300, work_width, 480, 10), 0);
    ASSERT_EQ(ZUL_CreateImage(kOutputWindow, "Hello,there!", 0, 0, 800, 480, 100), 0);
  }
};

}  // namespace

TEST_F(Render, ViewsOfTheFirstLensAndTheStartOfTheSecond) {
  // Work pixel (x, y) holds grey x: each output sub-pixel tells the column it sampled.
  MakeWindows(240);  // two pictures of 120 columns
  Fill(kWorkWindow, [](int x, int) { return Grey(x); });
  RenderLenticular();
  // View 0 (columns 0-10) reads picture 0 backwards from 23 in steps of 23.006 / 10, view 1
  // (11-22) picture 1 from 120 + 23 in steps of 23.006 / 11; the second lens starts at
  // trunc(34.509).
  for (int o = 0; o < 4; ++o)
    for (int row = 0; row < 3; ++row)
      for (int k = 0; k <= 23; ++k) {
        int sx = k <= 10  ? 23 - static_cast<int>(kPitch / 10 * k)
                 : k < 23 ? 143 - static_cast<int>(kPitch / 11 * (k - 11))
                          : 34;
        EXPECT_EQ(Subpixel(k + 3 * o, o, row), sx + 3 * o) << "column " << k << ", block " << o;
      }
}

// Every rendering checks the sub-pixel layout through Subpixel; what it never shows is here.
TEST_F(Render, NegativeColumnsWriteNothingAndBlendingTruncatesEachChannel) {
  MakeWindows(240);
  Fill(kWorkWindow, [](int, int) { return 0xFFFFFFu; });
  pos = -13;  // the first lens's view 1 starts at sub-pixel column 11 - 13 = -2
  RenderLenticular();
  // Only columns -2 and -1 would reach the red of pixel 0 in row 1 and its red and green in
  // row 2; column 0 lights the rest of pixel 0 in rows 0-2.
  ZUL_SelectImage(kOutputWindow);
  EXPECT_EQ(ZUL_GetPixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(ZUL_GetPixel(0, 1), 0x00FFFFu);
  EXPECT_EQ(ZUL_GetPixel(0, 2), 0x0000FFu);
  EXPECT_EQ(BlendColors(0.0, 0x102030, 0xFFFFFF), 0x102030u);
  EXPECT_EQ(BlendColors(1.0, 0x102030, 0x405060), 0x405060u);
  // 0.503 of the way from 100 to 200 is 150.3 -> 150; from 7 to 0: 3.479 -> 3.
  EXPECT_EQ(BlendColors(0.503, 0x640007, 0xC80000), (150u << 16) | 3u);
}

TEST_F(Render, GapPosAndAaChangeExactlyTheirColumns) {
  MakeWindows(240);
  Fill(kWorkWindow, [](int x, int) { return Grey(x * 3 + 7); });
  RenderLenticular();
  const Snapshot plain;
  // Fraction of the view boundary at each column where a strip begins (0 for column 0).
  std::vector<double> boundary(kOutputSubpixels + 3, -1);
  boundary[0] = 0;
  for (double t = kPitch / 2; std::trunc(t) < kOutputSubpixels; t += kPitch / 2)
    boundary[static_cast<int>(t)] = t - std::trunc(t);
  const struct {
    int* parameter;
    std::function<int(int x, int a, int o, int row)> expected;  // x: the column before the slant
  } variants[] = {
      {&gap,  // gap 1: the first column of every strip is black
       [&](int x, int a, int o, int row) { return boundary[x] >= 0 ? 0 : plain.at(a, o, row); }},
      {&pos,  // pos 1: the first lens's view 1 moves one right; the column it leaves is black
       [&](int x, int a, int o, int row) {
         return x >= 12 && x <= 22 ? plain.at(a - 1, o, row)
                : x < 11           ? plain.at(a, o, row)
                : x == 11          ? 0
                                   : -1;
       }},
      {&AA,
       [&](int x, int a, int o, int row) {  // AA: the first column after a boundary is blended
         double f = x > 0 ? boundary[x] : -1;
         return f < 0
                    ? plain.at(a, o, row)
                    : static_cast<int>((1 - f) * plain.at(a, o, row) + f * plain.at(a - 1, o, row));
       }},
  };
  for (const auto& v : variants) {
    *v.parameter = 1;
    RenderLenticular();
    *v.parameter = 0;
    const Snapshot changed;
    for (int o = 0; o < kRowBlocks; ++o)
      for (int row = 0; row < 3; ++row)
        for (int x = 0; x + 3 * o < kOutputSubpixels; ++x) {
          int expected = v.expected(x, x + 3 * o, o, row);
          if (expected < 0) continue;
          ASSERT_EQ(changed.at(x + 3 * o, o, row), expected) << "column " << x << " block " << o;
        }
  }
}

TEST_F(Render, ThreeViewsOfThreePictures) {
  pic_num = view_num = 3;
  MakeWindows(300);  // three pictures of 100 columns
  Fill(kWorkWindow, [](int x, int) { return Grey(0x10 + x / 100 * 0x40); });
  RenderLenticular();
  // dt = 7.6687: view 0 takes columns 0-6, view 1 7-14, view 2 15-22.
  for (int o = 0; o < 5; ++o)
    for (int row = 0; row < 3; ++row)
      for (int x = 0; x <= 22; ++x)
        EXPECT_EQ(Subpixel(x + 3 * o, o, row), x < 7    ? 0x10
                                               : x < 15 ? 0x50
                                                        : 0x90)
            << x << " block " << o;
}

TEST_F(Render, ViewsOfNoWidthSampleBlackAndNoOutputWindowIsLeftAlone) {
  // With dt below one column every view has width 0: one column each, whose
  // source lies outside the picture, so every written sub-pixel is black. In
  // block o the columns left of 3o are never written: black as well, not the
  // white the window held (a rendering depends on the parameters alone).
  MakeWindows(240);
  Fill(kWorkWindow, [](int x, int) { return Grey(x); });
  const struct {
    double pitch;
    int views, aa, gap;
  } cases[] = {{1, 3000, 0, 0}, {50, 400, 1, 1}, {50, 400, 1, 0}};
  for (const auto& c : cases) {
    Fill(kOutputWindow, [](int, int) { return 0xFFFFFFu; });
    pitch = c.pitch, view_num = c.views, AA = c.aa, gap = c.gap;
    RenderLenticular();
    const Snapshot all;
    for (int o = 0; o < kRowBlocks; ++o)
      for (int row = 0; row < 3; ++row)
        for (int a = 0; a < kOutputSubpixels; ++a)
          ASSERT_EQ(all.at(a, o, row), 0) << c.views << " views, " << a << "/" << o;
  }
  ZUL_DestroyImage(kOutputWindow);  // without the output window nothing is written
  RenderLenticular();
  ZUL_SelectImage(kWorkWindow);
  for (int x = 0; x < 240; ++x) ASSERT_EQ(ZUL_GetPixel(x, 0), Grey(x));
}

TEST(Panel, ButtonsStepAndClampTheParameters) {
  const struct {
    double* d;
    int* i;
    double before;
    int button;
    double after;
  } steps[] = {{&pitch, nullptr, 1.05, kPitchDown, 1.0},
               {&pitch, nullptr, 49.95, kPitchUp, 50.0},
               {&pitch, nullptr, 23.006, kPitchUpFine, 23.016},
               {&pitch, nullptr, 23.016, kPitchDownFinest, 23.015},
               {nullptr, &view_num, 2, kViewDown, 2},
               {nullptr, &view_num, 2, kViewUp, 3},
               {nullptr, &pic_num, 2, kPicDown, 2},
               {nullptr, &pic_num, 2, kPicUp, 3},
               {nullptr, &gap, 0, kGapDown, 0},
               {nullptr, &pos, 0, kPosDown, -1},
               {nullptr, &AA, 0, kAaOn, 1},
               {nullptr, &AA, 1, kAaOn, 1},
               {nullptr, &AA, 1, kAaOff, 0}};
  for (const auto& s : steps) {
    if (s.d)
      *s.d = s.before;
    else
      *s.i = static_cast<int>(s.before);
    PressButton(s.button);
    EXPECT_DOUBLE_EQ(s.d ? *s.d : *s.i, s.after) << s.button;
  }
  EXPECT_FALSE(PressButton(kBreak));
  EXPECT_TRUE(PressButton(18) && PressButton(19));
}

TEST_F(Render, CapWritesA24BitPngEqualToTheOutput) {
  MakeWindows(240);
  Fill(kWorkWindow,
       [](int x, int y) { return static_cast<uint32_t>(x * 0x010203 + y * 0x030100); });
  RenderLenticular();
  DeleteFileW(L"lenti_test.png");
  PressButton(kCapture);
  std::string png = ReadFileBytes(L"lenti_test.png") + std::string(26, '?');
  EXPECT_EQ(png.substr(1, 3), "PNG");  // 800 x 480, 8 bits per channel, RGB without alpha:
  EXPECT_EQ(png.substr(16, 10), std::string("\0\0\x03\x20\0\0\x01\xE0\x08\x02", 10));
  ASSERT_EQ(ZUL_CreateImage(3, "check", 0, 0, 800, 480, 100), 0);
  ASSERT_EQ(ZUL_LoadImageFile("lenti_test.png", 0, 0), 0);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 800; ++x) {
      ZUL_SelectImage(3);
      uint32_t saved = ZUL_GetPixel(x, y) & 0xFFFFFF;
      ZUL_SelectImage(kOutputWindow);
      ASSERT_EQ(saved, ZUL_GetPixel(x, y) & 0xFFFFFF) << x << "," << y;
    }
}

TEST_F(Render, PrintsTheParametersAfterEveryRendering) {
  MakeWindows(240);
  gap = 3, pos = -2, AA = 1;
  ZUL_SelectTextWindow(0);
  ZUL_Printf("old text that the rendering clears");
  RenderLenticular();
  const char* shown =
      "pitch: 23.006000\ndt: 11.503000\npic_num: 2\nview_num: 2\ngap: 3\npos: -2\nAA: on";
  EXPECT_TRUE(ShowsPrinted(0, shown, 16));
  EXPECT_EQ(text_windows[0].cursor_x, 6 * text_windows[0].char_width);
}
