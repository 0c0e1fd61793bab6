// The point tools and the commands that wait for them, played with real mouse messages while the
// tool waits on this thread: drawing and colour commands, the colour analysis (text read back from
// text window 0's log) and TrueType text, the font kept if its dialog is cancelled or making fails.
#include <algorithm>
#include <cstring>

#include "image_test_helpers.h"
#include "text_test_helpers.h"

namespace {

int out[4];
int GetPoint() { return ZUL_GetPoint(1, &out[0], &out[1]); }
int GetLine() { return ZUL_GetLine(1, &out[0], &out[1], &out[2], &out[3]); }
int GetBox() { return ZUL_GetBox(1, &out[0], &out[1], &out[2], &out[3]); }
int GetCircle() { return ZUL_GetCircle(1, &out[0], &out[1], &out[2]); }
int GetRow() { return ZUL_GetRow(1, &out[0], &out[1]); }
int PlaceBox9() { return ZUL_PlaceBox(1, 9, 9, &out[0], &out[1]); }
int PlaceBox8() { return ZUL_PlaceBox(1, 8, 8, &out[0], &out[1]); }

// Plays `steps` to `tool`; the picture of slot 1 is as before afterwards.
int Play(std::vector<ScriptStep> steps, const std::function<int()>& tool) {
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  int code = PlayScript(std::move(steps), tool);
  EXPECT_EQ(SurfaceBytesOf(1), before) << "picture after the tool";
  return code;
}

ScriptStep ExpectStatus(std::string text) {
  return [=] { EXPECT_EQ(StatusText(), text); };
}
// Checks (while the tool waits) whether pixel (x, y) of the test picture is inverted.
ScriptStep Inverted(int x, int y, bool inverted = true) {
  return [=] {
    EXPECT_EQ(ZUL_GetPixel(x, y) == (TestColor(x, y) ^ 0xFFFFFFu), inverted) << x << "," << y;
  };
}

int LiveSlotCount() {
  return int(
      std::count_if(image_windows, image_windows + kImageSlots, [](auto& w) { return w.in_use; }));
}

// A click on image point (x, y) of window `slot` at any zoom of 100 % or more.
ScriptStep ClickImage(int x, int y, int slot = 1) {
  const int zoom = image_windows[slot].zoom;
  return Click((x * zoom + 99) / 100, (y * zoom + 99) / 100, slot);
}

constexpr uint32_t kBack = 0x123456;

// Text window 0 is open for what the commands print and ask.
class PointTools : public PointScriptTest {
 protected:
  void SetUp() override { PointScriptTest::SetUp(), OpenFreshTextWindow(0); }
  void TearDown() override { CloseAllTextWindows(), PointScriptTest::TearDown(); }
  static void Picture(int bits = 32, int zoom = 100) {  // window 1: the test picture
    ZUL_DestroyImage(1);
    ASSERT_EQ((bits == 8 ? ZUL_CreateImage8 : ZUL_CreateImage)(1, "t", 0, 0, 160, 120, zoom), 0);
    FillTestPicture(160, 120);
  }
  static void Clear() { FillColor(200, 120, kBack), text_x = text_left = 10, text_y = 59; }
  // Window 0 for TrueType text, red ink.
  static void TextPicture() { MakeImage(0, 200, 120), Clear(), zul_tttc = 0xFF0000; }
};
using AnalysisCommands = PointTools;
using TrueTypeText = PointTools;

HFONT WINAPI FailingFontMaker(const LOGFONTW*) { return nullptr; }
LOGFONTW Font() {
  LOGFONTW f = {};
  return GetObjectW(tt_font, sizeof f, &f), f;
}
bool SameFont(const LOGFONTW& a, const LOGFONTW& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The advance of `bytes` on a DC of its own with a font made from the same LOGFONTW.
int Advance(const char* bytes) {
  wchar_t units[64] = {};
  int count = MultiByteToWideChar(CP_ACP, 0, bytes, -1, units, 64) - 1;
  LOGFONTW lf = Font();
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, CreateFontIndirectW(&lf));
  SIZE size = {};
  GetTextExtentPoint32W(dc, units, count, &size);
  DeleteObject(SelectObject(dc, old)), DeleteDC(dc);
  return size.cx;
}

// Rows and count of the current window's pixels that differ from `back`, and of those `exact`.
struct Ink {
  int top = 1 << 30, bottom = -1, left = 1 << 30, exact = 0;
};
Ink InkOf(uint32_t back, uint32_t exact) {
  Ink ink;
  for (int y = 0; y < static_cast<int>(CurrentSurface().height); ++y)
    for (int x = 0; x < static_cast<int>(CurrentSurface().width); ++x)
      if (uint32_t p = ZUL_GetPixel(x, y); p != back)
        ink = {std::min(ink.top, y), y, std::min(ink.left, x), ink.exact + (p == exact)};
  return ink;
}

}  // namespace

TEST_F(PointTools, EachToolShowsItsFeedbackGivesItsPointsAndRestoresThePicture) {
  Picture();
  // A flag that ended the tool stays set for the caller to see. Boxes 16..24 or 16..23 around
  // (20, 20); diagonals from (17, 17) only at 9 x 9.
  // clang-format off
  const struct { const char* name; int (*tool)(); std::vector<ScriptStep> steps; int code,
                 expected[4]; bool ended_by_flag = false; } cases[] = {
      {"point", GetPoint, {Move(3, 3), Click(7, 9)}, 0, {7, 9, -7, -7}},
      {"row", GetRow, {Move(3, 7), Inverted(0, 7), Inverted(159, 7), Inverted(5, 8, false),
                       Click(4, 12)}, 0, {4, 12, -7, -7}},
      {"box 9 x 9", PlaceBox9, {Move(20, 20), Inverted(24, 24), Inverted(17, 17), Inverted(23, 17),
                                Move(2, 2), Click(21, 19)}, 0, {21, 19, -7, -7}},
      {"box 8 x 8", PlaceBox8, {Move(20, 20), Inverted(23, 23), Inverted(17, 17, false),
                                Click(1, 1)}, 0, {1, 1, -7, -7}},
      {"line", GetLine, {Click(2, 5), Inverted(2, 5), Move(10, 5), Inverted(6, 5), Move(99, 0),
                         Click(20, 5)}, 0, {2, 5, 20, 5}},
      {"box up-left", GetBox, {Click(20, 15), Move(30, 2), Click(5, 3)}, 0, {5, 3, 20, 15}},
      {"circle", GetCircle, {Click(20, 20), Inverted(20, 20, false), Move(23, 24), Inverted(20, 25),
                             Click(23, 24)}, 0, {20, 20, 5, -7}},
      {"circle sqrt 8 rounds up", GetCircle, {Click(10, 10), Click(12, 12)}, 0, {10, 10, 3, -7}},
      {"right click first", GetLine, {Move(5, 5), RightClick()}, 1, {0, 0, 0, 0}},
      {"middle click", GetPoint, {Mouse(WM_MBUTTONDOWN, 4, 4)}, 1, {0, 0, -7, -7}},
      {"right click steps back", GetLine, {Click(3, 4), Move(9, 9),
       ExpectStatus("Click the second point"), RightClick(), ExpectStatus("Click the first point"),
       Move(1, 1), Click(6, 7), Click(8, 9)}, 0, {6, 7, 8, 9}},
      {"two right clicks", GetBox, {Click(3, 4), RightClick(), RightClick()}, 1, {3, 4, 3, 4}},
      {"stop", GetLine, {Click(4, 4), Move(12, 9), Raise(&stop_requested)}, 0, {4, 4, 12, 9}, true},
      {"exit", PlaceBox9, {Move(12, 9), Raise(&quit_state)}, 0, {0, 0, -7, -7}, true}};
  // clang-format on
  for (const auto& c : cases) {
    std::fill(out, out + 4, -7);
    EXPECT_EQ(Play(c.steps, c.tool), c.code) << c.name;
    EXPECT_EQ(std::vector(out, out + 4), std::vector(c.expected, c.expected + 4)) << c.name;
    EXPECT_TRUE(current_image == 1 && (stop_requested || quit_state) == c.ended_by_flag) << c.name;
    EXPECT_EQ(StatusText(), std::to_string(bits_per_pixel) + "-bit color");
    stop_requested = quit_state = 0;
  }
}

TEST_F(PointTools, ClosedWindowNestedToolAndStrayClicks) {
  Picture();
  HWND window = image_windows[1].window;
  EXPECT_EQ(PlayScript({Click(4, 4), [=] { PostMessageW(window, WM_CLOSE, 0, 0); }}, GetLine), 1);
  EXPECT_EQ(image_windows[1].in_use, 0);
  std::fill(out, out + 4, -7);  // window 1 is closed: a free slot
  EXPECT_EQ((std::vector{ZUL_GetPoint(300, &out[0], &out[1]), GetPoint(),
                         ZUL_GetBox(-1, &out[0], &out[1], &out[2], &out[3])}),
            (std::vector{2, 2, 2}));
  EXPECT_EQ(std::vector(out, out + 4), std::vector(4, -7));
  Picture();  // a tool started while another waits is refused; the first one completes
  int nested = -1, inner[2] = {-7, -7};
  ScriptStep second_tool = [&] { nested = ZUL_GetPoint(1, &inner[0], &inner[1]); };
  EXPECT_EQ(Play({Click(2, 2), second_tool, Click(8, 3)}, GetLine), 0);
  EXPECT_TRUE(nested == 2 && inner[0] == -7 && out[2] == 8);
  // A click and a right click in one round: the cancel left over does not end the next tool.
  ScriptStep click_and_cancel = [] { Click(5, 6)(), RightClick()(); };
  EXPECT_EQ(Play({click_and_cancel}, GetPoint) + Play({Click(7, 8)}, GetPoint), 0);
  EXPECT_EQ(out[0], 7);
  // The main window takes drops again at the end only outside the application.
  auto takes_drops = [] {
    return !!(GetWindowLongW(main_window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  };
  for (int app : {0, 1}) {
    running = app;
    bool meanwhile = true;
    Play({[&] { meanwhile = takes_drops(); }, Click(1, 1)}, GetPoint);
    EXPECT_TRUE(!meanwhile && takes_drops() == (app == 0)) << app;
    DragAcceptFiles(main_window, FALSE);
  }
}

TEST_F(PointTools, CommandsDrawWhereTheUserClicked) {
  // Pixels that change and the value they get: a 45-degree line steps on
  // every pixel; the radius-5 disc has 97 pixels, the radius-3 ring 16.
  // clang-format off
  const struct { int id, bits, zoom; std::vector<ScriptStep> steps; RECT box; int count;
                 bool inverted; } cases[] = {  // the box's right and bottom edges outside
      {kIwDrawLine, 32, 200, {Click(25, 27), Move(80, 4), Click(5, 7)}, {2, 3, 13, 14}, 11, false},
      {kIwDrawRow, 32, 100, {Move(5, 9), Click(77, 50)}, {0, 50, 160, 51}, 160, false},
      {kIwDrawColumn, 8, 100, {Click(33, 5)}, {33, 0, 34, 120}, 120, false},
      {kIwDrawBox, 8, 100, {Click(30, 20), Click(10, 5)}, {10, 5, 31, 21}, 70, false},
      {kIwFillBox, 8, 100, {Click(10, 20), Click(30, 5)}, {10, 5, 31, 21}, 336, false},
      {kIwXorFillBox, 32, 100, {Click(10, 5), Click(30, 20)}, {10, 5, 31, 21}, 336, true},
      {kIwDrawCircle, 32, 100, {Click(20, 20), Click(20, 23)}, {17, 17, 24, 24}, 16, false},
      {kIwFillCircle, 8, 100, {Click(20, 20), Click(23, 24)}, {15, 15, 26, 26}, 97, false},
      {kIwXorFillCircle, 8, 100, {Click(20, 20), Click(17, 24)}, {15, 15, 26, 26}, 97, true},
      {kIwFillBox, 32, 100, {Click(10, 10), Move(30, 30), Raise(&stop_requested)}, {}, 0, false},
      {kIwDrawLine, 32, 100, {Click(10, 10), RightClick(), RightClick()}, {}, 0, false}};
  // clang-format on
  for (const auto& c : cases) {
    Picture(c.bits, c.zoom);
    FillColor(160, 120, 0x000080), draw_color = 0x5A6B7C;
    PlayCommand(1, c.id, c.steps);
    uint32_t value = c.inverted ? (c.bits == 8 ? 0x7F : 0xFFFF7F) : (c.bits == 8 ? 0x7C : 0x5A6B7C);
    Values v = ValuesOf(1);
    EXPECT_EQ(std::count(v.begin(), v.end(), 0x80u), 160 * 120 - c.count) << c.id;
    for (int i = 0; i < 160 * 120; ++i)
      EXPECT_TRUE(v[i] == 0x80u || (PtInRect(&c.box, {i % 160, i / 160}) && v[i] == value))
          << c.id << " " << i % 160 << "," << i / 160;
  }
  draw_color = 0xFFFFFF;
}

TEST_F(PointTools, PickAndChangeTheDrawingColour) {
  Picture();
  ZUL_SetPixel(7, 8, 0x0A0B0C), zul_tc = 0x111111;
  PlayCommand(1, kIwColorPick, {Click(7, 8)});
  EXPECT_TRUE(draw_color == 0x0A0B0Cu && zul_tttc == 0x0A0B0Cu);
  Picture(8, 100);  // entry 200 is red 1, green 2, blue 3: a byte-order slip shows
  auto table = MakePalette([](int i) { return i == 200 ? RGBQUAD{3, 2, 1, 0} : RGBQUAD{}; });
  ZUL_SetPalette(table.data(), 256), ZUL_SetPixel(50, 60, 200);
  PlayCommand(1, kIwColorPick, {Click(50, 60)});
  EXPECT_TRUE(draw_color == 200u && zul_tttc == 0x010203u && zul_tc == 0x111111u);
  for (int button : {IDCANCEL, IDOK}) {
    draw_color = 0x102030, zul_tc = zul_tttc = 0;
    UINT rgb[3] = {};  // the dialog's red, green and blue
    auto answer = [&] {
      for (int i = 0; i < 3; ++i) rgb[i] = GetDlgItemInt(CommonDialog(), 706 + i, nullptr, FALSE);
      PostMessageW(CommonDialog(), WM_COMMAND, static_cast<WPARAM>(button), 0);
    };
    PlayCommand(1, kIwColorChange, {Until(CommonDialog), answer});
    EXPECT_EQ(std::vector<UINT>(rgb, rgb + 3), (std::vector<UINT>{16, 32, 48}));
    EXPECT_TRUE(draw_color == 0x102030u && zul_tc == 0x102030u && zul_tttc == 0x102030u) << button;
  }
  draw_color = zul_tttc = 0xFFFFFF, zul_tc = 0;
}

TEST_F(AnalysisCommands, PixelPrintsEveryColourSpace) {
  // The colour formulas' own values are checked in the surfaces' table; the top byte is ignored.
  // clang-format off
  const struct { int bits; uint32_t pixel; const char* text; } cases[] = {
      {32, 0xABFF0000, "(X,Y)=(3,4)\n(R,G,B)=(255,0,0)\n(H,S,V)=(0,255,255)\n"
                       "(Y,Cr,Cb)=(76,128,-42)\n(Y,u,v)=(76,-36,157)\n(Y,I,Q)=(76,152,53)\n\n"},
      {8, 200, "(X,Y)=(3,4)\n(Luminance)=(200)\n\n"}};
  // clang-format on
  for (const auto& c : cases) {
    MakeImage(1, 120, 20, c.bits), ZUL_SetPixel(3, 4, c.pixel);
    MakeImage(2, 120, 20);  // current before the click
    EXPECT_EQ(LoggedWhile(0, [] { PlayCommand(1, kIwInfoPixel, {ClickImage(3, 4)}); }), c.text);
    EXPECT_TRUE(current_image == 1 && LiveSlotCount() == 2);  // the clicked window is current
    DestroyAllImages();
  }
}

TEST_F(AnalysisCommands, RowGraphsShowTheRowsCurvesTopLeftAtFullSizeOrFittedToTheScreen) {
  // Row 5 of the 500-wide source is 0x00FF80 (R 0, G 255, B 128; H 150, S 255, V 255;
  // Y 164, Cr -116, Cb -19), the other rows 0x123456. An 8-bit source is white.
  // Each curve a flat row of the graph (the last on top), labelled in its colour on baselines
  // 40, 72, 104.
  // clang-format off
  struct Curve { int y; uint32_t colour; int label_x, label_chars; };
  const struct { int id, bits, offset; const char* title; std::vector<Curve> curves; } cases[] = {
      {kIwLineRgb, 32, 12, "RGB(Y=5)",
       {{127, 0xFF0000, 2, 1}, {0, 0x00FF00, 2, 1}, {127 - 128 * 127 / 255, 0x0000FF, 2, 1}}},
      {kIwLineHsv, 32, 12, "HSV(Y=5)",
       {{127 - 150 * 127 / 359, 0xFFFF00, 2, 1}, {0, 0xFF00FF, 2, 1}, {0, 0x00FFFF, 2, 1}}},
      {kIwLineYCrCb, 32, 20, "YCrCb(Y=5)", {{127 - 164 * 127 / 255, 0xFFFFFF, 4, 1},
       {127 - 12 * 127 / 255, 0xFF8888, 2, 2}, {127 - 109 * 127 / 255, 0x8888FF, 2, 2}}},
      {kIwLineLumi, 8, 12, "Luminance(Y=5)", {{0, 0xFFFFFF, 2, 1}}}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    MakeImage(0, 10, 10);  // slot 0 is taken: the graph goes to slot 2
    MakeImage(1, 500, 12, c.bits);
    FillImage(500, 12, [&](int, int y) { return c.bits == 8 ? 255 : y != 5 ? 0x123456 : 0xFF80; });
    PlayCommand(1, c.id, {ClickImage(20, 5)});
    ASSERT_TRUE(image_windows[2].in_use);
    const int w = 500 + c.offset;
    const ImageWindow& graph = image_windows[2];
    EXPECT_EQ(std::vector<int>({graph.bits, graph.width, graph.height, graph.zoom, current_image}),
              std::vector<int>({32, w, 128, 100, 2}));
    EXPECT_EQ(CornerOf(2), 0);
    EXPECT_EQ(CaptionOf(2).rfind(std::string(c.title) + "(", 0), 0u) << CaptionOf(2);
    Values want(size_t(w) * 128), got = ValuesOf(2);
    for (size_t i = 0; i < c.curves.size(); ++i) {  // each curve's row; its label: its colour only
      const Curve& l = c.curves[i];
      int ink = 0, baseline = 40 + 32 * int(i);
      for (int x = c.offset; x < w; ++x) want[size_t(l.y) * w + x] = l.colour;
      for (int y = baseline - 14; y < baseline; ++y)
        for (int x = l.label_x; x < l.label_x + 8 * l.label_chars; ++x)
          if (got[size_t(y) * w + x] == l.colour) ++ink, want[size_t(y) * w + x] = l.colour;
      EXPECT_GT(ink, 4) << "label " << i;
    }
    EXPECT_EQ(got, want);
    DestroyAllImages();
  }
  const int wide = GetSystemMetrics(SM_CXSCREEN) + 100;  // the graph fitted below 100 %
  MakeImage(3, wide, 8), PlayCommand(3, kIwLineRgb, {ClickImage(0, 0, 3)});
  EXPECT_TRUE(image_windows[0].in_use && image_windows[0].zoom < 100 &&
              image_windows[0].width == wide + 12);
}

TEST_F(AnalysisCommands, ChromaTracesOfARowAndOfAPickedArea) {
  // 0x00FF80: Cr -116, Cb -19 -> (109, 244); 64 equal points, so the last segment (number 63,
  // magenta) covers it.
  MakeImage(1, 64, 12), FillColor(64, 12, 0x00FF80);
  PlayCommand(1, kIwLineCrCb, {ClickImage(5, 7)});
  ASSERT_TRUE(image_windows[0].in_use);
  EXPECT_EQ(CaptionOf(0).rfind("CrCb(Y=7)(", 0), 0u);
  EXPECT_EQ(std::pair(image_windows[0].width, image_windows[0].height), std::pair(256, 256));
  EXPECT_EQ(ZUL_GetPixel(109, 244), 0xFF00FFu);  // the plot's own pixels are checked with it
  // Left half red (Cr 128, Cb -42 -> (86, 0)), right half 0x123456 (Cr -19, Cb 23 -> (151, 147)):
  // each row of the area is one white line.
  DestroyAllImages(), MakeImage(1, 40, 30);
  FillImage(40, 30, [](int x, int) { return x < 20 ? 0xFF0000u : 0x123456u; });
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  PlayCommand(1, kIwAreaCrCb, {ClickImage(30, 20), ClickImage(10, 5)});  // then up-left
  ASSERT_TRUE(image_windows[0].in_use);
  EXPECT_EQ(CaptionOf(0).rfind("CrCb(10,5)-(30,20)(", 0), 0u) << CaptionOf(0);
  EXPECT_EQ(SurfaceBytesOf(1), before);  // the rubber band is gone before the copy
  EXPECT_EQ(current_image, 0);
  for (auto [x, y] : {std::pair{86, 0}, {151, 147}, {(86 + 151) / 2, 147 / 2}})
    EXPECT_EQ(ZUL_GetPixel(x, y), 0xFFFFFFu) << x << "," << y;
}

TEST_F(AnalysisCommands, CancelledStoppedRefusedAndOutOfMemoryCommandsMakeNothing) {
  MakeImage(1, 64, 12), MakeImage(2, 64, 12, 8);
  ScriptStep stop = Raise(&stop_requested);
  // clang-format off
  const struct { int number, id; std::vector<ScriptStep> steps; } cases[] = {
      {1, kIwInfoPixel, {RightClick()}}, {1, kIwLineRgb, {RightClick()}},
      {1, kIwAreaCrCb, {RightClick()}}, {1, kIwAreaCrCb, {ClickImage(2, 2), stop}},
      {1, kIwInfoPixel, {stop}}, {1, kIwLineLumi, {ClickImage(2, 2)}},  // 32 bits: not offered
      {2, kIwLineRgb, {ClickImage(2, 2, 2)}}, {2, kIwLineCrCb, {ClickImage(2, 2, 2)}},
      {2, kIwAreaCrCb, {ClickImage(2, 2, 2), ClickImage(4, 4, 2)}}};
  // clang-format on
  std::string printed = LoggedWhile(0, [&] {
    for (const auto& c : cases)
      EXPECT_EQ((PlayCommand(c.number, c.id, c.steps), LiveSlotCount()), 2) << c.id;
  });
  EXPECT_EQ(printed, "");
  for (int n = 0; n < kImageSlots; ++n)
    ASSERT_TRUE(n == 1 || n == 2 || ZUL_CreateImage(n, "full", 0, 0, 8, 8, 100) == 0) << n;
  PlayCommand(1, kIwLineRgb, {ClickImage(2, 2)});
  PlayCommand(1, kIwAreaCrCb, {ClickImage(2, 2), ClickImage(4, 4)});
  EXPECT_EQ(LiveSlotCount(), kImageSlots);
  // An area of 48 MB, then the address space filled but for 32 MB in pieces.
  DestroyAllImages(), MakeImage(1, 4000, 3000);
  std::vector<void*> reserved;
  for (SIZE_T size : {SIZE_T(16) << 20, SIZE_T(1) << 20})
    while (void* p = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS)) reserved.push_back(p);
  for (int i = 0; i < 32 && !reserved.empty(); ++i)
    VirtualFree(reserved.back(), 0, MEM_RELEASE), reserved.pop_back();
  const ImageWindow& source = image_windows[1];
  PlayCommand(1, kIwAreaCrCb, {Click(0, 0), Click(source.view_width - 1, source.view_height - 1)});
  for (void* p : reserved) VirtualFree(p, 0, MEM_RELEASE);
  EXPECT_EQ(LiveSlotCount(), 1);
}

TEST_F(TrueTypeText, SizeAndStyleCodesChangeOnlyTheirFieldAFontIsKeptIfCancelledOrMakingFails) {
  TextPicture();
  EXPECT_EQ(ZUL_SetTTFontSize(41, 40), 0);
  EXPECT_TRUE(tt_cell_width == 20 && tt_cell_height == 40 && Font().lfWidth == 20 &&
              Font().lfHeight == 40);
  const int codes[][4] = {
      {3, 700, 0, 0}, {1, 700, 1, 0}, {2, 700, 0, 0}, {5, 700, 0, 1},
      {6, 700, 0, 0}, {4, 400, 0, 0}, {3, 700, 0, 0}};  // weight, italic, underline
  for (auto [code, weight, italic, underline] : codes) {
    LOGFONTW want = Font();
    want.lfWeight = weight, want.lfItalic = BYTE(italic), want.lfUnderline = BYTE(underline);
    ZUL_DrawTTChar(code);
    EXPECT_TRUE(SameFont(Font(), want)) << code;
  }
  ZUL_SetTTFontSize(20, 30);
  LOGFONTW before = Font();
  EXPECT_EQ(before.lfWeight, 700);  // the style outlives a size change
  for (int code : {7, 13, 0, 31}) ZUL_DrawTTChar(code);
  EXPECT_TRUE(SameFont(Font(), before) && text_x == 10 && text_y == 59 &&
              InkOf(kBack, 0).bottom < 0);
  ZUL_SetTTFontSize(30, 30);  // the font dialog cancelled, then making a font failing
  before = Font();
  PlayCommand(0, kIwFontChange,
              {Until(CommonDialog), [] { PostMessageW(CommonDialog(), WM_COMMAND, IDCANCEL, 0); }});
  EXPECT_TRUE(SameFont(Font(), before) && tt_cell_width == 15 && tt_cell_height == 30);
  HFONT kept = tt_font;
  create_tt_font = FailingFontMaker;
  EXPECT_EQ(ZUL_SetTTFontSize(50, 50), 1);
  ZUL_DrawTTChar(3), create_tt_font = CreateFontIndirectW;
  EXPECT_TRUE(tt_font == kept && SameFont(Font(), before));
}

TEST_F(TrueTypeText, CellEndsOnTheCursorRowTextWalksSingleAndDoubleByteCodes) {
  TextPicture();
  ZUL_SetTTFontSize(40, 40), ZUL_DrawTTChar('W');
  Ink ink = InkOf(kBack, 0xFF0000);  // red not swapped to blue
  EXPECT_TRUE(ink.exact > 0 && ink.top >= 20 && ink.bottom <= 59 && ink.left >= 6);
  EXPECT_EQ(text_x, 10 + Advance("W"));
  // "A\nB" is A, then B a cell lower at the left margin; a lone lead byte at the end is dropped.
  for (auto [text, x, y] : {std::tuple{"A\nB", Advance("B"), 99}, {"AB\x82", Advance("AB"), 59}}) {
    Clear();
    ZUL_DrawTTText(text);
    std::vector<uint8_t> drawn = SurfaceBytesOf(0);
    EXPECT_TRUE(text_x == 10 + x && text_y == y) << text;
    Clear();
    ZUL_DrawTTChar('A');
    if (text[1] == '\n') text_x = 10, text_y += 40;
    ZUL_DrawTTChar('B');
    EXPECT_EQ(SurfaceBytesOf(0), drawn) << text;
  }
  int x = text_x;  // C0: no lead byte, and no control code either
  EXPECT_GT((ZUL_DrawTTText("\xC0"), text_x), x);
  text_x = 10, ZUL_DrawTTChar(0x8241);  // exactly the units 82 41 give on this code page
  EXPECT_EQ(text_x, 10 + Advance("\x82\x41"));
  ZUL_DestroyImage(0), ZUL_DrawTTText("AB");  // no live current window: nothing moves
  EXPECT_EQ(text_x, 10 + Advance("\x82\x41"));
  MakeImage(2, 100, 60, 8);  // 8 bits: the nearest palette entry
  zul_tttc = 0x808080, ZUL_DrawTTChar('W');
  EXPECT_GT(InkOf(0, 0x80).exact, 0);
}

TEST_F(TrueTypeText, DrawFitsTheBoxDrawTextWritesLiterallyACancelledToolAsksNothing) {
  TextPicture();
  MakeImage(1, 160, 120);
  // clang-format off
  const struct { int id; std::vector<ScriptStep> steps; const char* answer; } runs[] = {
      {kIwTrueTypeDraw, {RightClick()}, nullptr}, {kIwDrawText, {RightClick()}, nullptr},
      {kIwTrueTypeDraw, {Click(10, 20), Click(49, 59)}, "Ab"},
      {kIwDrawText, {Click(30, 100)}, "%s%n"}};
  // clang-format on
  draw_color = 0x00FF00;
  for (const auto& r : runs) {
    std::thread typist = AnswerLater(r.answer ? r.answer : "", r.answer ? 5000 : 300);
    PlayCommand(1, r.id, r.steps);
    typist.join();
    Ink ink = InkOf(0, 0);
    if (!r.answer) {
      EXPECT_TRUE(ink.bottom < 0 && text_x == 10) << r.id;
    } else if (r.id == kIwTrueTypeDraw) {
      EXPECT_TRUE(tt_cell_width == 20 && tt_cell_height == 40 && text_y == 59 && text_left == 10);
      EXPECT_TRUE(ink.top >= 20 && ink.bottom <= 59 && text_x == 10 + Advance("Ab"));
    } else {
      EXPECT_TRUE(zul_tc == 0x00FF00 && text_x == 30 + 4 * 8 && text_y == 100 && ink.bottom <= 99);
      EXPECT_GT(InkOf(0, 0x00FF00).exact, 0);
    }
  }
}
