// The colour analysis commands of an image window, played as a user: the
// command arrives as WM_COMMAND, its point tool gets posted mouse presses, and
// printed text is read back from text window 0's log.
#include <algorithm>

#include "image_test_helpers.h"
#include "point_script.h"
#include "text_test_helpers.h"

namespace {

int LiveSlotCount() {
  return int(
      std::count_if(image_windows, image_windows + kImageSlots, [](auto& w) { return w.in_use; }));
}

// A click on image point (x, y) of window `slot` at any zoom of 100 % or more.
ScriptStep ClickImage(int x, int y, int slot = 1) {
  const int zoom = image_windows[slot].zoom;
  return Click((x * zoom + 99) / 100, (y * zoom + 99) / 100, slot);
}

class AnalysisCommands : public PointScriptTest {
 protected:
  void SetUp() override {
    PointScriptTest::SetUp();
    OpenFreshTextWindow(0);
  }
  void TearDown() override {
    CloseAllTextWindows();
    PointScriptTest::TearDown();
  }
};

}  // namespace

TEST_F(AnalysisCommands, PixelPrintsEveryColourSpace) {
  const struct {
    int bits;
    uint32_t pixel;
    const char* text;
  } cases[] = {
      {32, 0xFF0000,
       "(X,Y)=(3,4)\n(R,G,B)=(255,0,0)\n(H,S,V)=(0,255,255)\n(Y,Cr,Cb)=(76,128,-42)\n"
       "(Y,u,v)=(76,-36,157)\n(Y,I,Q)=(76,152,53)\n\n"},
      // sums below zero are truncated toward zero: Cr -106.35 gives -106
      {32, 0xAB00FF00,
       "(X,Y)=(3,4)\n(R,G,B)=(0,255,0)\n(H,S,V)=(120,255,255)\n(Y,Cr,Cb)=(150,-106,-83)\n"
       "(Y,u,v)=(150,-73,-130)\n(Y,I,Q)=(150,-69,-126)\n\n"},
      {8, 200, "(X,Y)=(3,4)\n(Luminance)=(200)\n\n"},
  };
  for (const auto& c : cases) {
    MakeImage(1, 120, 20, c.bits);
    ZUL_SetPixel(3, 4, c.pixel);
    MakeImage(2, 120, 20);  // current before the click
    EXPECT_EQ(LoggedWhile(0, [] { PlayCommand(1, kIwInfoPixel, {ClickImage(3, 4)}); }), c.text);
    EXPECT_TRUE(current_image == 1 && LiveSlotCount() == 2);  // the clicked window is current
    DestroyAllImages();
  }
}

TEST_F(AnalysisCommands, RowGraphsShowTheRowsCurvesTopLeftAtFullSizeOrFittedToTheScreen) {
  // Row 5 of the 500-wide source is 0x00FF80 (R 0, G 255, B 128; H 150, S 255, V 255;
  // Y 164, Cr -116, Cb -19), the other rows 0x123456. An 8-bit source is white.
  // Each curve a flat row of the graph (the last on top), labelled in its colour on baselines 40,
  // 72, 104.
  struct Curve {
    int y;
    uint32_t colour;
    int label_x, label_chars;
  };
  const struct {
    int id, bits, offset;
    const char* title;
    std::vector<Curve> curves;
  } cases[] = {
      {kIwLineRgb,
       32,
       12,
       "RGB(Y=5)",
       {{127, 0xFF0000, 2, 1}, {0, 0x00FF00, 2, 1}, {127 - 128 * 127 / 255, 0x0000FF, 2, 1}}},
      {kIwLineHsv,
       32,
       12,
       "HSV(Y=5)",
       {{127 - 150 * 127 / 359, 0xFFFF00, 2, 1}, {0, 0xFF00FF, 2, 1}, {0, 0x00FFFF, 2, 1}}},
      {kIwLineYCrCb,
       32,
       20,
       "YCrCb(Y=5)",
       {{127 - 164 * 127 / 255, 0xFFFFFF, 4, 1},
        {127 - 12 * 127 / 255, 0xFF8888, 2, 2},
        {127 - 109 * 127 / 255, 0x8888FF, 2, 2}}},
      {kIwLineLumi, 8, 12, "Luminance(Y=5)", {{0, 0xFFFFFF, 2, 1}}},
  };
  for (const auto& c : cases) {
    MakeImage(0, 10, 10);  // slot 0 is taken: the graph goes to slot 2
    MakeImage(1, 500, 12, c.bits);
    FillColor(500, 12, c.bits == 8 ? 255 : 0x123456);
    for (int x = 0; x < 500 && c.bits == 32; ++x) ZUL_SetPixel(x, 5, 0x00FF80);
    PlayCommand(1, c.id, {ClickImage(20, 5)});
    ASSERT_TRUE(image_windows[2].in_use) << c.title;
    const int w = 500 + c.offset;
    const ImageWindow& graph = image_windows[2];
    const RECT frame = OuterRect(graph.window);
    EXPECT_EQ(std::vector<int>({graph.bits, graph.width, graph.height, graph.zoom, current_image}),
              std::vector<int>({32, w, 128, 100, 2}));
    EXPECT_TRUE(frame.left == 0 && frame.top == 0) << c.title;
    EXPECT_EQ(CaptionOf(2).rfind(std::string(c.title) + "(", 0), 0u) << CaptionOf(2);
    Values want(size_t(w) * 128), got = ValuesOf(2);
    for (const Curve& curve : c.curves)
      for (int x = c.offset; x < w; ++x) want[size_t(curve.y) * w + x] = curve.colour;
    for (size_t i = 0; i < c.curves.size(); ++i) {  // label cells: ink of its colour only
      const Curve& l = c.curves[i];
      int ink = 0, baseline = 40 + 32 * int(i);
      for (int y = baseline - 14; y < baseline; ++y)
        for (int x = l.label_x; x < l.label_x + 8 * l.label_chars; ++x)
          if (got[size_t(y) * w + x] == l.colour) ++ink, want[size_t(y) * w + x] = l.colour;
      EXPECT_GT(ink, 4) << c.title << " label " << i;
    }
    EXPECT_EQ(got, want) << c.title;
    DestroyAllImages();
  }
  const int wide = GetSystemMetrics(SM_CXSCREEN) + 100;  // the graph fitted below 100 %
  MakeImage(3, wide, 8);
  PlayCommand(3, kIwLineRgb, {ClickImage(0, 0, 3)});
  ASSERT_TRUE(image_windows[0].in_use);
  EXPECT_TRUE(image_windows[0].zoom < 100 && image_windows[0].width == wide + 12);
}

TEST_F(AnalysisCommands, ChromaTracesOfARowAndOfAPickedArea) {
  // 0x00FF80: Cr -116, Cb -19 -> (109, 244); 64 equal points, so the last
  // segment (number 63, magenta) covers it.
  MakeImage(1, 64, 12);
  FillColor(64, 12, 0x00FF80);
  PlayCommand(1, kIwLineCrCb, {ClickImage(5, 7)});
  ASSERT_TRUE(image_windows[0].in_use);
  EXPECT_EQ(CaptionOf(0).rfind("CrCb(Y=7)(", 0), 0u);
  EXPECT_EQ(std::pair(image_windows[0].width, image_windows[0].height), std::pair(256, 256));
  EXPECT_EQ(ZUL_GetPixel(109, 244), 0xFF00FFu);
  EXPECT_TRUE(ZUL_GetPixel(128, 20) == 0x808080u && ZUL_GetPixel(20, 128) == 0x808080u);

  // Left half red (Cr 128, Cb -42 -> (86, 0)), right half 0x123456
  // (Cr -19, Cb 23 -> (151, 147)): each row of the area is one white line.
  DestroyAllImages();
  MakeImage(1, 40, 30);
  FillImage(40, 30, [](int x, int) { return x < 20 ? 0xFF0000u : 0x123456u; });
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  PlayCommand(1, kIwAreaCrCb,
              {ClickImage(30, 20), ClickImage(10, 5)});  // the second corner up-left
  ASSERT_TRUE(image_windows[0].in_use);
  EXPECT_EQ(CaptionOf(0).rfind("CrCb(10,5)-(30,20)(", 0), 0u) << CaptionOf(0);
  EXPECT_EQ(SurfaceBytesOf(1), before);  // the rubber band is gone before the copy
  EXPECT_EQ(current_image, 0);
  for (auto [x, y] : {std::pair{86, 0}, {151, 147}, {(86 + 151) / 2, 147 / 2}})
    EXPECT_EQ(ZUL_GetPixel(x, y), 0xFFFFFFu) << x << "," << y;
}

TEST_F(AnalysisCommands, CancelledStoppedAndRefusedCommandsMakeNothing) {
  MakeImage(1, 64, 12);
  MakeImage(2, 64, 12, 8);
  ScriptStep stop = Raise(&stop_requested);
  const struct {
    int number, id;
    std::vector<ScriptStep> steps;
  } cases[] = {
      {1, kIwInfoPixel, {RightClick()}},
      {1, kIwLineRgb, {RightClick()}},
      {1, kIwAreaCrCb, {RightClick()}},
      {1, kIwAreaCrCb, {ClickImage(2, 2), stop}},
      {1, kIwInfoPixel, {stop}},
      {1, kIwLineLumi, {ClickImage(2, 2)}},  // 32 bits: not offered
      {2, kIwLineRgb, {ClickImage(2, 2, 2)}},
      {2, kIwLineCrCb, {ClickImage(2, 2, 2)}},
      {2, kIwAreaCrCb, {ClickImage(2, 2, 2), ClickImage(4, 4, 2)}},
  };
  std::string printed = LoggedWhile(0, [&] {
    for (const auto& c : cases) {
      PlayCommand(c.number, c.id, c.steps);
      EXPECT_EQ(LiveSlotCount(), 2) << c.id;
    }
  });
  EXPECT_EQ(printed, "");

  for (int n = 0; n < kImageSlots; ++n)
    ASSERT_TRUE(n == 1 || n == 2 || ZUL_CreateImage(n, "full", 0, 0, 8, 8, 100) == 0) << n;
  PlayCommand(1, kIwLineRgb, {ClickImage(2, 2)});
  PlayCommand(1, kIwAreaCrCb, {ClickImage(2, 2), ClickImage(4, 4)});
  EXPECT_EQ(LiveSlotCount(), kImageSlots);
}

TEST_F(AnalysisCommands, AreaWithoutMemoryForItsCopyEndsSilently) {
  MakeImage(1, 4000,
            3000);  // an area of 48 MB, then the address space filled but for 32 MB in pieces
  std::vector<void*> reserved;
  for (SIZE_T size : {SIZE_T(16) << 20, SIZE_T(1) << 20})
    while (void* p = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS)) reserved.push_back(p);
  for (int i = 0; i < 32 && !reserved.empty(); ++i) {
    VirtualFree(reserved.back(), 0, MEM_RELEASE);
    reserved.pop_back();
  }
  const ImageWindow& source = image_windows[1];
  PlayCommand(1, kIwAreaCrCb, {Click(0, 0), Click(source.view_width - 1, source.view_height - 1)});
  for (void* p : reserved) VirtualFree(p, 0, MEM_RELEASE);
  EXPECT_EQ(LiveSlotCount(), 1);
}
