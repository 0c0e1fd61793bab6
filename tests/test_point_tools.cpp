// The point tools and the drawing and colour commands, played with real mouse
// messages: a script posts one input per timer tick while the tool waits on
// this thread (a tick comes only when the queue is empty, so each input gets
// a round of its own).
#include <cstring>
#include <cwchar>
#include <functional>
#include <memory>
#include <set>

#include "imagewin_test_util.h"

namespace {

using Step = std::function<void()>;
struct Script {
  std::vector<Step> steps;
  size_t next = 0;
  int idle = 0;
  int waited = 0;
} script;

void CALLBACK PlayStep(HWND, UINT, UINT_PTR, DWORD) {
  // A slow round can see two ticks: wait until the tool has taken the last
  // input (a move only a few ticks: not every tool takes moves).
  bool busy = point_clicked || point_cancelled || (point_moved && script.waited < 3);
  if (busy && ++script.waited < 200) return;
  script.waited = 0;
  if (script.next < script.steps.size()) script.steps[script.next++]();
  else if (++script.idle == 100) stop_requested = 1;  // the tool should have ended: end it
}

// Runs `tool` (which waits) while `steps` play; the picture of slot 1 must be
// as before when `restores`.
int Play(std::vector<Step> steps, const std::function<int()>& tool, bool restores = true) {
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  script = Script{std::move(steps)};
  UINT_PTR timer = SetTimer(nullptr, 0, 15, PlayStep);
  int code = tool();
  KillTimer(nullptr, timer);
  EXPECT_LT(script.idle, 100) << "still waiting after the script";
  EXPECT_EQ(point_tool_active, 0);
  EXPECT_EQ(point_tool_window, -1);
  if (restores && image_windows[1].in_use) {
    EXPECT_EQ(SurfaceBytesOf(1), before) << "picture after the tool";
  }
  return code;
}

Step Mouse(UINT message, int x, int y) {
  return [=] { PostMessageW(image_windows[1].window, message, message == WM_LBUTTONDOWN, MAKELPARAM(x, y)); };
}
Step Click(int x, int y) { return Mouse(WM_LBUTTONDOWN, x, y); }
Step Move(int x, int y) { return Mouse(WM_MOUSEMOVE, x, y); }
Step Right() { return Mouse(WM_RBUTTONDOWN, 1, 1); }
Step Set(std::atomic<int32_t>* flag) { return [=] { *flag = 1; }; }
Step Until(std::function<bool()> ready) {  // holds the script until ready (3 s at most)
  auto ticks = std::make_shared<int>(0);
  return [=] { if (!ready() && ++*ticks < 200) --script.next; };
}
Step ExpectStatus(std::string text) {
  return [=] {
    char field[80] = {};
    GetWindowTextA(status_label, field, sizeof field);
    std::string s = field;
    EXPECT_EQ(s.substr(s.find_first_not_of(' '), s.find_last_not_of(' ') - s.find_first_not_of(' ') + 1), text);
  };
}
// Checks now (while the tool waits) whether pixel (x, y) is inverted against `before`.
Step ExpectInverted(const std::vector<uint8_t>* before, int x, int y, bool inverted) {
  return [=] {
    uint32_t was;
    std::memcpy(&was, &(*before)[size_t(y) * image_surfaces[1].stride + 4u * x], 4);
    EXPECT_EQ(ZUL_GetPixel(x, y) == (was ^ 0xFFFFFFu), inverted) << x << "," << y;
  };
}

int out[4];
int GetPoint() { return ZUL_GetPoint(1, &out[0], &out[1]); }
int GetLine() { return ZUL_GetLine(1, &out[0], &out[1], &out[2], &out[3]); }
int GetBox() { return ZUL_GetBox(1, &out[0], &out[1], &out[2], &out[3]); }
int GetCircle() { return ZUL_GetCircle(1, &out[0], &out[1], &out[2]); }
int GetRow() { return ZUL_GetRow(1, &out[0], &out[1]); }
int PlaceBox9() { return ZUL_PlaceBox(1, 9, 9, &out[0], &out[1]); }
int PlaceBox8() { return ZUL_PlaceBox(1, 8, 8, &out[0], &out[1]); }
std::function<int()> Command(int id) {
  return [id] { return SendCommand(1, id), 0; };
}

// A status label and main window of the test's own; the real cursor parked
// away from the windows (its moves would move the bands).
class PointTools : public ImageWindowTest {
 protected:
  void SetUp() override {
    ImageWindowTest::SetUp();
    main_window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 600, 600, 9, 9, nullptr, nullptr, nullptr, nullptr);
    status_label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 9, 9, main_window, nullptr, nullptr, nullptr);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    Picture(32, 100);
  }
  void TearDown() override {
    DestroyWindow(main_window);
    main_window = status_label = nullptr;
    stop_requested = quit_state = running = 0;
    ImageWindowTest::TearDown();
  }
  static void Picture(int bits, int zoom) {
    ZUL_DestroyImage(1);
    ASSERT_EQ(bits == 8 ? ZUL_CreateImage8(1, "t", 0, 0, 160, 120, zoom) : ZUL_CreateImage(1, "t", 0, 0, 160, 120, zoom), 0);
    ASSERT_EQ(image_windows[1].zoom, zoom);
    FillTestPicture(160, 120);
  }
};

}  // namespace

TEST_F(PointTools, EachToolGivesItsPointsAndRestoresThePicture) {
  const struct { const char* name; int (*tool)(); std::vector<Step> steps; int code; int expected[4]; } cases[] = {
      {"point", GetPoint, {Move(3, 3), Click(7, 9)}, 0, {7, 9, -7, -7}},
      {"row", GetRow, {Move(5, 6), Move(2, 8), Click(4, 12)}, 0, {4, 12, -7, -7}},
      {"placed box", PlaceBox9, {Move(20, 20), Move(2, 2), Click(21, 19)}, 0, {21, 19, -7, -7}},
      {"line", GetLine, {Click(3, 4), Move(10, 12), Move(99, 0), Click(20, 5)}, 0, {3, 4, 20, 5}},
      {"box up-left", GetBox, {Click(20, 15), Move(30, 2), Click(5, 3)}, 0, {5, 3, 20, 15}},
      {"circle", GetCircle, {Click(10, 10), Move(30, 20), Click(13, 14)}, 0, {10, 10, 5, -7}},
      {"circle sqrt 2", GetCircle, {Click(10, 10), Click(11, 11)}, 0, {10, 10, 1, -7}},
      {"right click first", GetLine, {Move(5, 5), Right()}, 1, {0, 0, 0, 0}},
      {"middle click", GetPoint, {Mouse(WM_MBUTTONDOWN, 4, 4)}, 1, {0, 0, -7, -7}},
      {"right click steps back", GetLine, {Click(3, 4), Move(9, 9), ExpectStatus("Click the second point"), Right(),
       ExpectStatus("Click the first point"), Move(1, 1), Click(6, 7), Click(8, 9)}, 0, {6, 7, 8, 9}},
      {"two right clicks", GetBox, {Click(3, 4), Right(), Right()}, 1, {3, 4, 3, 4}},
      {"stop", GetLine, {Click(4, 4), Move(12, 9), Set(&stop_requested)}, 0, {4, 4, 12, 9}},
      {"exit", PlaceBox9, {Move(12, 9), Set(&quit_state)}, 0, {0, 0, -7, -7}},
  };
  for (const auto& c : cases) {
    std::fill(out, out + 4, -7);
    EXPECT_EQ(Play(c.steps, c.tool), c.code) << c.name;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(out[i], c.expected[i]) << c.name << " output " << i;
    EXPECT_EQ(current_image, 1);
    bool ended_by_flag = stop_requested || quit_state;  // stays set for the caller to see
    EXPECT_EQ(ended_by_flag, std::string(c.name) == "stop" || std::string(c.name) == "exit") << c.name;
    ExpectStatus(std::to_string(bits_per_pixel) + "-bit color")();
    stop_requested = quit_state = 0;
  }
  Picture(32, 200);
  EXPECT_EQ(Play({Click(101, 51)}, GetPoint), 0);
  EXPECT_EQ(out[0] * 1000 + out[1], 50025) << "zoom 200";
}

TEST_F(PointTools, FeedbackShowsWhileWaiting) {
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  const std::vector<uint8_t>* b = &before;
  const struct { int (*tool)(); std::vector<Step> steps; } cases[] = {
      {GetRow, {Move(3, 7), ExpectInverted(b, 0, 7, true), ExpectInverted(b, 159, 7, true), ExpectInverted(b, 5, 8, false)}},
      // Boxes 16..24 or 16..23 around (20, 20); diagonals from (17, 17) only at 9 x 9.
      {PlaceBox9, {Move(20, 20), ExpectInverted(b, 24, 24, true), ExpectInverted(b, 17, 17, true), ExpectInverted(b, 23, 17, true)}},
      {PlaceBox8, {Move(20, 20), ExpectInverted(b, 23, 23, true), ExpectInverted(b, 17, 17, false)}},
      {GetLine, {Click(2, 5), ExpectInverted(b, 2, 5, true), Move(10, 5), ExpectInverted(b, 6, 5, true), Click(9, 9)}},
      {GetCircle, {Click(20, 20), ExpectInverted(b, 20, 20, false), Move(23, 24), ExpectInverted(b, 20, 25, true)}},
  };
  for (const auto& c : cases) {
    std::vector<Step> steps = c.steps;
    steps.push_back(Click(1, 1));
    EXPECT_EQ(Play(steps, c.tool), 0);
  }
}

TEST_F(PointTools, ClosedWindowNestedToolAndStrayClicks) {
  HWND window = image_windows[1].window;
  EXPECT_EQ(Play({Click(4, 4), [=] { PostMessageW(window, WM_CLOSE, 0, 0); }}, GetLine, false), 1);
  EXPECT_EQ(image_windows[1].in_use, 0);
  std::fill(out, out + 4, -7);
  EXPECT_EQ(ZUL_GetPoint(300, &out[0], &out[1]), 2);
  EXPECT_EQ(ZUL_GetPoint(1, &out[0], &out[1]), 2);  // closed: a free slot
  EXPECT_EQ(ZUL_GetBox(-1, &out[0], &out[1], &out[2], &out[3]), 2);
  for (int v : out) EXPECT_EQ(v, -7);
  // A tool started while another waits is refused; the first one completes.
  Picture(32, 100);
  int nested = -1, inner[2] = {-7, -7};
  EXPECT_EQ(Play({Click(2, 2), [&] { nested = ZUL_GetPoint(1, &inner[0], &inner[1]); }, Click(8, 3)}, GetLine), 0);
  EXPECT_EQ(nested, 2);
  EXPECT_EQ(inner[0], -7);
  EXPECT_EQ(out[2], 8);
  // A click and a right click in one round: the cancel left over does not end the next tool.
  EXPECT_EQ(Play({[] { Click(5, 6)(); Right()(); }}, GetPoint), 0);
  EXPECT_EQ(Play({Click(7, 8)}, GetPoint), 0);
  EXPECT_EQ(out[0], 7);
  // The main window takes drops again at the end only outside the application.
  for (int app : {0, 1}) {
    running = app;
    bool refused = false;
    Play({[&] { refused = !(GetWindowLongW(main_window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES); }, Click(1, 1)}, GetPoint);
    EXPECT_TRUE(refused);
    EXPECT_EQ((GetWindowLongW(main_window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0, app == 0);
    DragAcceptFiles(main_window, FALSE);
  }
}

TEST_F(PointTools, CommandsDrawWhereTheUserClicked) {
  // Pixels that change and the value they get: a 45-degree line steps on
  // every pixel; the radius-5 disc has 97 pixels, the radius-3 ring 16.
  auto rect = [](int l, int t, int r, int b) { return std::make_tuple(l, t, r, b); };
  const struct { int id, bits, zoom; std::vector<Step> steps; std::tuple<int, int, int, int> box; size_t count; bool inverted; } cases[] = {
      {kIwDrawLine, 32, 200, {Click(25, 27), Move(80, 4), Click(5, 7)}, rect(2, 3, 12, 13), 11, false},
      {kIwDrawRow, 32, 100, {Move(5, 9), Click(77, 50)}, rect(0, 50, 159, 50), 160, false},
      {kIwDrawColumn, 8, 100, {Click(33, 5)}, rect(33, 0, 33, 119), 120, false},
      {kIwDrawBox, 8, 100, {Click(30, 20), Click(10, 5)}, rect(10, 5, 30, 20), 70, false},
      {kIwFillBox, 8, 100, {Click(10, 20), Click(30, 5)}, rect(10, 5, 30, 20), 336, false},
      {kIwXorFillBox, 32, 100, {Click(10, 5), Click(30, 20)}, rect(10, 5, 30, 20), 336, true},
      {kIwDrawCircle, 32, 100, {Click(20, 20), Click(20, 23)}, rect(17, 17, 23, 23), 16, false},
      {kIwFillCircle, 8, 100, {Click(20, 20), Click(23, 24)}, rect(15, 15, 25, 25), 97, false},
      {kIwXorFillCircle, 8, 100, {Click(20, 20), Click(17, 24)}, rect(15, 15, 25, 25), 97, true},
      {kIwFillBox, 32, 100, {Click(10, 10), Move(30, 30), Set(&stop_requested)}, rect(0, 0, 0, 0), 0, false},
      {kIwDrawLine, 32, 100, {Click(10, 10), Right(), Right()}, rect(0, 0, 0, 0), 0, false},
  };
  for (const auto& c : cases) {
    Picture(c.bits, c.zoom);
    FillColor(160, 120, 0x000080);
    draw_color = 0x5A6B7C;
    Play(c.steps, Command(c.id), false);
    uint32_t value = c.inverted ? (c.bits == 8 ? 0x7F : 0xFFFF7F) : (c.bits == 8 ? 0x7C : 0x5A6B7C);
    size_t changed = 0;
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 160; ++x) {
        if (ZUL_GetPixel(x, y) == 0x80u) continue;
        ++changed;
        auto [l, t, r, b] = c.box;
        EXPECT_TRUE(x >= l && x <= r && y >= t && y <= b && ZUL_GetPixel(x, y) == value) << c.id << " " << x << "," << y;
      }
    EXPECT_EQ(changed, c.count) << c.id;
    stop_requested = 0;
  }
  draw_color = 0xFFFFFF;
}

namespace {
BOOL CALLBACK TakeColorDialog(HWND window, LPARAM found) {
  wchar_t name[16];
  if (!GetClassNameW(window, name, 16) || std::wcscmp(name, L"#32770") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}
HWND ColorDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), TakeColorDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}
}  // namespace

TEST_F(PointTools, PickAndChangeTheDrawingColour) {
  ZUL_SetPixel(7, 8, 0x0A0B0C);
  zul_tc = 0x111111;
  Play({Click(7, 8)}, Command(kIwColorPick));
  EXPECT_EQ(draw_color, 0x0A0B0Cu);
  EXPECT_EQ(zul_tttc, 0x0A0B0Cu);
  Picture(8, 100);  // entry 200 set to red 1, green 2, blue 3: a byte-order slip shows
  RGBQUAD entries[256];
  ZUL_GetPalette(entries);
  entries[200] = RGBQUAD{3, 2, 1, 0};
  ZUL_SetPalette(entries, 256);
  ZUL_SetPixel(50, 60, 200);
  Play({Click(50, 60)}, Command(kIwColorPick));
  EXPECT_EQ(draw_color, 200u);
  EXPECT_EQ(zul_tttc, 0x010203u);
  EXPECT_EQ(zul_tc, 0x111111u);
  for (int button : {IDCANCEL, IDOK}) {
    draw_color = 0x102030;
    zul_tc = zul_tttc = 0;
    UINT rgb[3] = {};
    Play({Until([] { return ColorDialog() != nullptr; }), [&] {
            for (int i = 0; i < 3; ++i) rgb[i] = GetDlgItemInt(ColorDialog(), 706 + i, nullptr, FALSE);  // red, green, blue
            PostMessageW(ColorDialog(), WM_COMMAND, static_cast<WPARAM>(button), 0);
          }}, Command(kIwColorChange));
    EXPECT_EQ(std::vector<UINT>(rgb, rgb + 3), (std::vector<UINT>{16, 32, 48}));
    EXPECT_EQ(draw_color, 0x102030u) << button;
    EXPECT_EQ(zul_tc, 0x102030u) << button;
    EXPECT_EQ(zul_tttc, 0x102030u) << button;
  }
  draw_color = zul_tttc = 0xFFFFFF;
  zul_tc = 0;
}
