// The point tools played with real mouse messages, one per round: results,
// prompts, the feedback shown while they wait, and that the picture is left
// exactly as it was whatever ends the wait.
#include "point_tools_test_util.h"

namespace {

using PointTools = PointToolTest;

struct Outputs {
  int v[4] = {-7, -7, -7, -7};
};

// Each tool with four outputs (unused ones stay -7).
int RunGetPoint(int slot, Outputs* o) { return ZUL_GetPoint(slot, &o->v[0], &o->v[1]); }
int RunGetRow(int slot, Outputs* o) { return ZUL_GetRow(slot, &o->v[0], &o->v[1]); }
int RunGetColumn(int slot, Outputs* o) { return ZUL_GetColumn(slot, &o->v[0], &o->v[1]); }
int RunPlaceBox9(int slot, Outputs* o) { return ZUL_PlaceBox(slot, 9, 9, &o->v[0], &o->v[1]); }
int RunGetLine(int slot, Outputs* o) { return ZUL_GetLine(slot, &o->v[0], &o->v[1], &o->v[2], &o->v[3]); }
int RunGetBox(int slot, Outputs* o) { return ZUL_GetBox(slot, &o->v[0], &o->v[1], &o->v[2], &o->v[3]); }
int RunGetCircle(int slot, Outputs* o) { return ZUL_GetCircle(slot, &o->v[0], &o->v[1], &o->v[2]); }
using ToolRun = int (*)(int, Outputs*);

// The picture of slot 1 (160 x 120, patterned) and the tool's result.
struct Played {
  int code;
  Outputs out;
};

Played PlayOnPicture(ToolRun tool, std::vector<ScriptStep> steps) {
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  Played played;
  played.code = PlayTool(std::move(steps), [&] { return tool(1, &played.out); });
  EXPECT_EQ(SurfaceBytesOf(1), before) << "the picture after the tool";
  return played;
}

// A step that checks whether pixel (x, y) of slot 1 is inverted against
// `before` now (while the tool waits).
ScriptStep ExpectInverted(const std::vector<uint8_t>* before, int x, int y, bool inverted) {
  return [=] {
    size_t at = static_cast<size_t>(y) * image_surfaces[1].stride + 4u * x;
    uint32_t was = (*before)[at] | (*before)[at + 1] << 8 | (*before)[at + 2] << 16 | (*before)[at + 3] << 24;
    EXPECT_EQ(ZUL_GetPixel(x, y) == (was ^ 0xFFFFFFu), inverted) << "pixel " << x << "," << y;
  };
}

ScriptStep ExpectStatus(const char* text) {
  return [=] { EXPECT_EQ(StatusText(), text); };
}

void MakePicture(int zoom = 100) {
  ASSERT_EQ(ZUL_CreateImage(1, "tool", 0, 0, 160, 120, zoom), 0);
  ASSERT_EQ(image_windows[1].zoom, zoom);
  FillTestPicture(160, 120);
}

}  // namespace

TEST_F(PointTools, EachToolReturnsItsPoints) {
  struct Case {
    const char* name;
    ToolRun tool;
    std::vector<ScriptStep> steps;
    int code;
    Outputs expected;
  } cases[] = {
      {"point", RunGetPoint, {Move(1, 3, 3), Click(1, 7, 9)}, 0, {{7, 9, -7, -7}}},
      {"row", RunGetRow, {Move(1, 5, 6), Move(1, 2, 8), Click(1, 4, 12)}, 0, {{4, 12, -7, -7}}},
      {"column", RunGetColumn, {Move(1, 5, 6), Click(1, 33, 2)}, 0, {{33, 2, -7, -7}}},
      {"placed box", RunPlaceBox9, {Move(1, 20, 20), Move(1, 2, 2), Click(1, 21, 19)}, 0, {{21, 19, -7, -7}}},
      {"line", RunGetLine, {Click(1, 3, 4), Move(1, 10, 12), Move(1, 39, 0), Click(1, 20, 5)}, 0, {{3, 4, 20, 5}}},
      {"box, second corner up-left", RunGetBox, {Click(1, 20, 15), Move(1, 30, 2), Click(1, 5, 3)}, 0, {{5, 3, 20, 15}}},
      {"circle (13, 14)", RunGetCircle, {Click(1, 10, 10), Move(1, 30, 20), Click(1, 13, 14)}, 0, {{10, 10, 5, -7}}},
      {"circle (11, 11)", RunGetCircle, {Click(1, 10, 10), Click(1, 11, 11)}, 0, {{10, 10, 1, -7}}},
      {"right click first", RunGetLine, {Move(1, 5, 5), RightClick(1)}, 1, {{0, 0, 0, 0}}},
      {"middle click", RunGetPoint, {PostMouse(1, WM_MBUTTONDOWN, 4, 4, MK_MBUTTON)}, 1, {{0, 0, -7, -7}}},
      {"right click steps back",
       RunGetLine,
       {Click(1, 3, 4), Move(1, 9, 9), ExpectStatus("Click the second point"), RightClick(1),
        ExpectStatus("Click the first point"), Move(1, 1, 1), Click(1, 6, 7), Click(1, 8, 9)},
       0,
       {{6, 7, 8, 9}}},
      {"two right clicks", RunGetBox, {Click(1, 3, 4), RightClick(1), RightClick(1)}, 1, {{3, 4, 3, 4}}},
  };
  for (Case& c : cases) {
    MakePicture();
    Played played = PlayOnPicture(c.tool, c.steps);
    EXPECT_EQ(played.code, c.code) << c.name;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(played.out.v[i], c.expected.v[i]) << c.name << " output " << i;
    EXPECT_EQ(current_image, 1) << c.name;
    ZUL_DestroyImage(1);
  }
}

TEST_F(PointTools, ClicksAtZoom200AreHalved) {
  MakePicture(200);
  Played played = PlayOnPicture(RunGetPoint, {Click(1, 101, 51)});
  EXPECT_EQ(played.code, 0);
  EXPECT_EQ(played.out.v[0], 50);
  EXPECT_EQ(played.out.v[1], 25);
}

TEST_F(PointTools, FeedbackShowsWhileWaiting) {
  MakePicture();
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  const std::vector<uint8_t>* b = &before;
  struct Case {
    ToolRun tool;
    std::vector<ScriptStep> steps;
  } cases[] = {
      {RunGetRow, {Move(1, 3, 7), ExpectInverted(b, 0, 7, true), ExpectInverted(b, 159, 7, true),
                   ExpectInverted(b, 5, 8, false), Click(1, 3, 7)}},
      {RunGetColumn, {Move(1, 11, 7), ExpectInverted(b, 11, 0, true), ExpectInverted(b, 11, 119, true),
                      ExpectInverted(b, 12, 7, false), Click(1, 3, 7)}},
      // 9 x 9 around (20, 20): corners 16..24, diagonals from (17, 17).
      {RunPlaceBox9, {Move(1, 20, 20), ExpectInverted(b, 16, 16, true), ExpectInverted(b, 24, 24, true),
                      ExpectInverted(b, 17, 17, true), ExpectInverted(b, 23, 17, true), Click(1, 1, 1)}},
      {[](int slot, Outputs* o) { return ZUL_PlaceBox(slot, 8, 8, &o->v[0], &o->v[1]); },
       {Move(1, 20, 20), ExpectInverted(b, 16, 16, true), ExpectInverted(b, 23, 23, true),
        ExpectInverted(b, 17, 17, false), Click(1, 1, 1)}},
      {RunGetLine, {Click(1, 2, 5), ExpectInverted(b, 2, 5, true), Move(1, 10, 5), ExpectInverted(b, 6, 5, true),
                    ExpectInverted(b, 11, 5, false), Click(1, 1, 1)}},
      {RunGetBox, {Click(1, 2, 5), Move(1, 10, 9), ExpectInverted(b, 10, 7, true), ExpectInverted(b, 5, 7, false),
                   Click(1, 1, 1)}},
      // Radius 0 shows nothing; (23, 24) gives radius 5: (20, 25) is on the ring.
      {RunGetCircle, {Click(1, 20, 20), ExpectInverted(b, 20, 20, false), Move(1, 23, 24),
                      ExpectInverted(b, 20, 25, true), ExpectInverted(b, 20, 20, false), Click(1, 1, 1)}},
  };
  for (Case& c : cases) {
    Played played = PlayOnPicture(c.tool, c.steps);
    EXPECT_EQ(played.code, 0);
  }
}

TEST_F(PointTools, StopAndExitEndTheWaitWithThePictureRestored) {
  struct Case {
    const char* name;
    ToolRun tool;
    bool two_points;
    std::atomic<int32_t>* flag;
  } cases[] = {
      {"stop, line", RunGetLine, true, &stop_requested},  {"stop, circle", RunGetCircle, true, &stop_requested},
      {"stop, row", RunGetRow, false, &stop_requested},   {"exit, box", RunGetBox, true, &quit_state},
      {"exit, placed box", RunPlaceBox9, false, &quit_state},
  };
  for (const Case& c : cases) {
    MakePicture();
    std::atomic<int32_t>* flag = c.flag;
    std::vector<ScriptStep> steps = {Move(1, 12, 9), [flag] { *flag = 1; }};
    if (c.two_points) steps.insert(steps.begin(), Click(1, 4, 4));
    Played played = PlayOnPicture(c.tool, steps);
    EXPECT_EQ(played.code, 0) << c.name;
    EXPECT_EQ(*c.flag, 1) << c.name << ": the caller must still see it";
    EXPECT_EQ(StatusText(), std::to_string(bits_per_pixel) + "-bit color") << c.name;
    stop_requested = 0;
    quit_state = 0;
    ZUL_DestroyImage(1);
  }
}

TEST_F(PointTools, ClosingTheWatchedWindowCancels) {
  MakePicture();
  HWND window = image_windows[1].window;
  Outputs out;
  int code = PlayTool({Click(1, 4, 4), Move(1, 9, 9), [window] { PostMessageW(window, WM_CLOSE, 0, 0); }},
                      [&] { return RunGetLine(1, &out); });
  EXPECT_EQ(code, 1);
  EXPECT_EQ(image_windows[1].in_use, 0);
}

TEST_F(PointTools, RefusedCallsTouchNothing) {
  MakePicture();
  Outputs out;
  EXPECT_EQ(RunGetPoint(300, &out), 2);
  EXPECT_EQ(RunGetCircle(5, &out), 2);  // free slot
  EXPECT_EQ(RunGetBox(-1, &out), 2);
  for (int v : out.v) EXPECT_EQ(v, -7);
  EXPECT_EQ(StatusText(), "");  // no prompt shown
  // A tool started while another waits is refused; the first one completes.
  int nested = -1;
  Outputs inner;
  Played played = PlayOnPicture(RunGetLine, {Click(1, 2, 2), [&] { nested = RunGetPoint(1, &inner); },
                                             Move(1, 6, 6), Click(1, 8, 3)});
  EXPECT_EQ(nested, 2);
  for (int v : inner.v) EXPECT_EQ(v, -7);
  EXPECT_EQ(played.code, 0);
  EXPECT_EQ(played.out.v[2], 8);
}

TEST_F(PointTools, AStrayRightClickDoesNotCancelTheNextTool) {
  MakePicture();
  ScriptStep click_and_right = [] {
    Click(1, 5, 6)();
    RightClick(1)();  // the same round: the click wins, the cancel is left over
  };
  Played first = PlayOnPicture(RunGetPoint, {click_and_right});
  EXPECT_EQ(first.code, 0);
  Played second = PlayOnPicture(RunGetPoint, {Move(1, 2, 2), Click(1, 7, 8)});
  EXPECT_EQ(second.code, 0);
  EXPECT_EQ(second.out.v[0], 7);
}

TEST_F(PointTools, MainWindowTakesDropsAgainOnlyOutsideTheApplication) {
  MakePicture();
  for (int app_running : {0, 1}) {
    running = app_running;
    DragAcceptFiles(main_window, app_running ? FALSE : TRUE);
    bool refused_while_waiting = false;
    HWND main = main_window;
    PlayOnPicture(RunGetPoint, {[&] { refused_while_waiting = !AcceptsFiles(main); }, Click(1, 1, 1)});
    EXPECT_TRUE(refused_while_waiting);
    EXPECT_EQ(AcceptsFiles(main_window), app_running == 0);
  }
  running = 0;
}
