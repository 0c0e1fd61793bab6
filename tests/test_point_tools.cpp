// The point tools and the drawing and colour commands, played with real
// mouse messages while the tool waits on this thread.
#include "image_test_helpers.h"
#include "point_script.h"

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

class PointTools : public PointScriptTest {
 protected:
  void SetUp() override {
    PointScriptTest::SetUp();
    Picture(32, 100);
  }
  static void Picture(int bits, int zoom) {
    ZUL_DestroyImage(1);
    auto create = bits == 8 ? ZUL_CreateImage8 : ZUL_CreateImage;
    ASSERT_EQ(create(1, "t", 0, 0, 160, 120, zoom), 0);
    FillTestPicture(160, 120);
  }
};

}  // namespace

TEST_F(PointTools, EachToolShowsItsFeedbackGivesItsPointsAndRestoresThePicture) {
  const struct {  // a flag that ended the tool stays set for the caller to see
    const char* name;
    int (*tool)();
    std::vector<ScriptStep> steps;
    int code, expected[4];
    bool ended_by_flag = false;
  } cases[] = {
      {"point", GetPoint, {Move(3, 3), Click(7, 9)}, 0, {7, 9, -7, -7}},
      {"row",
       GetRow,
       {Move(3, 7), Inverted(0, 7), Inverted(159, 7), Inverted(5, 8, false), Click(4, 12)},
       0,
       {4, 12, -7, -7}},
      // Boxes 16..24 or 16..23 around (20, 20); diagonals from (17, 17) only at 9 x 9.
      {"box 9 x 9",
       PlaceBox9,
       {Move(20, 20), Inverted(24, 24), Inverted(17, 17), Inverted(23, 17), Move(2, 2),
        Click(21, 19)},
       0,
       {21, 19, -7, -7}},
      {"box 8 x 8",
       PlaceBox8,
       {Move(20, 20), Inverted(23, 23), Inverted(17, 17, false), Click(1, 1)},
       0,
       {1, 1, -7, -7}},
      {"line",
       GetLine,
       {Click(2, 5), Inverted(2, 5), Move(10, 5), Inverted(6, 5), Move(99, 0), Click(20, 5)},
       0,
       {2, 5, 20, 5}},
      {"box up-left", GetBox, {Click(20, 15), Move(30, 2), Click(5, 3)}, 0, {5, 3, 20, 15}},
      {"circle",
       GetCircle,
       {Click(20, 20), Inverted(20, 20, false), Move(23, 24), Inverted(20, 25), Click(23, 24)},
       0,
       {20, 20, 5, -7}},
      {"circle sqrt 8 rounds up", GetCircle, {Click(10, 10), Click(12, 12)}, 0, {10, 10, 3, -7}},
      {"right click first", GetLine, {Move(5, 5), RightClick()}, 1, {0, 0, 0, 0}},
      {"middle click", GetPoint, {Mouse(WM_MBUTTONDOWN, 4, 4)}, 1, {0, 0, -7, -7}},
      {"right click steps back",
       GetLine,
       {Click(3, 4), Move(9, 9), ExpectStatus("Click the second point"), RightClick(),
        ExpectStatus("Click the first point"), Move(1, 1), Click(6, 7), Click(8, 9)},
       0,
       {6, 7, 8, 9}},
      {"two right clicks", GetBox, {Click(3, 4), RightClick(), RightClick()}, 1, {3, 4, 3, 4}},
      {"stop", GetLine, {Click(4, 4), Move(12, 9), Raise(&stop_requested)}, 0, {4, 4, 12, 9}, true},
      {"exit", PlaceBox9, {Move(12, 9), Raise(&quit_state)}, 0, {0, 0, -7, -7}, true},
  };
  for (const auto& c : cases) {
    std::fill(out, out + 4, -7);
    EXPECT_EQ(Play(c.steps, c.tool), c.code) << c.name;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(out[i], c.expected[i]) << c.name << " output " << i;
    EXPECT_EQ(current_image, 1);
    EXPECT_EQ(stop_requested || quit_state, c.ended_by_flag) << c.name;
    EXPECT_EQ(StatusText(), std::to_string(bits_per_pixel) + "-bit color");
    stop_requested = quit_state = 0;
  }
}

TEST_F(PointTools, ClosedWindowNestedToolAndStrayClicks) {
  HWND window = image_windows[1].window;
  EXPECT_EQ(PlayScript({Click(4, 4), [=] { PostMessageW(window, WM_CLOSE, 0, 0); }}, GetLine), 1);
  EXPECT_EQ(image_windows[1].in_use, 0);
  std::fill(out, out + 4, -7);
  EXPECT_EQ(ZUL_GetPoint(300, &out[0], &out[1]), 2);
  EXPECT_EQ(ZUL_GetPoint(1, &out[0], &out[1]), 2);  // closed: a free slot
  EXPECT_EQ(ZUL_GetBox(-1, &out[0], &out[1], &out[2], &out[3]), 2);
  for (int v : out) EXPECT_EQ(v, -7);
  // A tool started while another waits is refused; the first one completes.
  Picture(32, 100);
  int nested = -1, inner[2] = {-7, -7};
  ScriptStep second_tool = [&] { nested = ZUL_GetPoint(1, &inner[0], &inner[1]); };
  EXPECT_EQ(Play({Click(2, 2), second_tool, Click(8, 3)}, GetLine), 0);
  EXPECT_TRUE(nested == 2 && inner[0] == -7 && out[2] == 8);
  // A click and a right click in one round: the cancel left over does not end the next tool.
  EXPECT_EQ(Play({[] {
                   Click(5, 6)();
                   RightClick()();
                 }},
                 GetPoint),
            0);
  EXPECT_EQ(Play({Click(7, 8)}, GetPoint), 0);
  EXPECT_EQ(out[0], 7);
  // The main window takes drops again at the end only outside the application.
  auto takes_drops = [] {
    return (GetWindowLongW(main_window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
  };
  for (int app : {0, 1}) {
    running = app;
    bool meanwhile = true;
    Play({[&] { meanwhile = takes_drops(); }, Click(1, 1)}, GetPoint);
    EXPECT_FALSE(meanwhile);
    EXPECT_EQ(takes_drops(), app == 0);
    DragAcceptFiles(main_window, FALSE);
  }
}

TEST_F(PointTools, CommandsDrawWhereTheUserClicked) {
  // Pixels that change and the value they get: a 45-degree line steps on
  // every pixel; the radius-5 disc has 97 pixels, the radius-3 ring 16.
  struct Case {
    int id, bits, zoom;
    std::vector<ScriptStep> steps;
    RECT box;
    size_t count;
    bool inverted;
  };
  const Case cases[] = {
      {kIwDrawLine, 32, 200, {Click(25, 27), Move(80, 4), Click(5, 7)}, {2, 3, 12, 13}, 11, false},
      {kIwDrawRow, 32, 100, {Move(5, 9), Click(77, 50)}, {0, 50, 159, 50}, 160, false},
      {kIwDrawColumn, 8, 100, {Click(33, 5)}, {33, 0, 33, 119}, 120, false},
      {kIwDrawBox, 8, 100, {Click(30, 20), Click(10, 5)}, {10, 5, 30, 20}, 70, false},
      {kIwFillBox, 8, 100, {Click(10, 20), Click(30, 5)}, {10, 5, 30, 20}, 336, false},
      {kIwXorFillBox, 32, 100, {Click(10, 5), Click(30, 20)}, {10, 5, 30, 20}, 336, true},
      {kIwDrawCircle, 32, 100, {Click(20, 20), Click(20, 23)}, {17, 17, 23, 23}, 16, false},
      {kIwFillCircle, 8, 100, {Click(20, 20), Click(23, 24)}, {15, 15, 25, 25}, 97, false},
      {kIwXorFillCircle, 8, 100, {Click(20, 20), Click(17, 24)}, {15, 15, 25, 25}, 97, true},
      {kIwFillBox, 32, 100, {Click(10, 10), Move(30, 30), Raise(&stop_requested)}, {}, 0, false},
      {kIwDrawLine, 32, 100, {Click(10, 10), RightClick(), RightClick()}, {}, 0, false},
  };
  for (const auto& c : cases) {
    Picture(c.bits, c.zoom);
    FillColor(160, 120, 0x000080);
    draw_color = 0x5A6B7C;
    PlayCommand(1, c.id, c.steps);
    uint32_t value = c.inverted ? (c.bits == 8 ? 0x7F : 0xFFFF7F) : (c.bits == 8 ? 0x7C : 0x5A6B7C);
    size_t changed = 0;
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 160; ++x) {
        if (ZUL_GetPixel(x, y) == 0x80u) continue;
        ++changed;
        bool inside = x >= c.box.left && x <= c.box.right && y >= c.box.top && y <= c.box.bottom;
        EXPECT_TRUE(inside && ZUL_GetPixel(x, y) == value) << c.id << " " << x << "," << y;
      }
    EXPECT_EQ(changed, c.count) << c.id;
  }
  draw_color = 0xFFFFFF;
}

TEST_F(PointTools, PickAndChangeTheDrawingColour) {
  ZUL_SetPixel(7, 8, 0x0A0B0C);
  zul_tc = 0x111111;
  PlayCommand(1, kIwColorPick, {Click(7, 8)});
  EXPECT_TRUE(draw_color == 0x0A0B0Cu && zul_tttc == 0x0A0B0Cu);
  Picture(8, 100);  // entry 200 is red 1, green 2, blue 3: a byte-order slip shows
  ZUL_SetPalette(MakePalette([](int i) {
                   return i == 200 ? RGBQUAD{3, 2, 1, 0} : RGBQUAD{};
                 }).data(),
                 256);
  ZUL_SetPixel(50, 60, 200);
  PlayCommand(1, kIwColorPick, {Click(50, 60)});
  EXPECT_TRUE(draw_color == 200u && zul_tttc == 0x010203u && zul_tc == 0x111111u);
  for (int button : {IDCANCEL, IDOK}) {
    draw_color = 0x102030;
    zul_tc = zul_tttc = 0;
    UINT rgb[3] = {};
    auto answer = [&] {
      for (int i = 0; i < 3; ++i)
        rgb[i] = GetDlgItemInt(CommonDialog(), 706 + i, nullptr, FALSE);  // R, G, B
      PostMessageW(CommonDialog(), WM_COMMAND, static_cast<WPARAM>(button), 0);
    };
    PlayCommand(1, kIwColorChange, {Until([] { return CommonDialog() != nullptr; }), answer});
    EXPECT_EQ(std::vector<UINT>(rgb, rgb + 3), (std::vector<UINT>{16, 32, 48}));
    EXPECT_TRUE(draw_color == 0x102030u && zul_tc == 0x102030u && zul_tttc == 0x102030u) << button;
  }
  draw_color = zul_tttc = 0xFFFFFF;
  zul_tc = 0;
}
