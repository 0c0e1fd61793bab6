// The drawing and colour commands through WM_COMMAND on real image windows,
// their points given by mouse messages posted one per round.
#include <cstring>
#include <cwchar>
#include <set>
#include <utility>

#include "point_tools_test_util.h"

namespace {

using DrawingCommands = PointToolTest;
using PixelSet = std::set<std::pair<int, int>>;

// Runs command `id` on slot 1 with the steps played meanwhile.
void PlayCommand(int id, std::vector<ScriptStep> steps) {
  PlayTool(std::move(steps), [id] {
    SendCommand(1, id);
    return 0;
  });
}

// The pixels of slot 1 that differ from `before`, and the set they form.
PixelSet ChangedPixels(const std::vector<uint8_t>& before) {
  const ImageSurface& s = image_surfaces[1];
  std::vector<uint8_t> now = SurfaceBytesOf(1);
  PixelSet changed;
  int bytes = s.bits / 8;
  for (int y = 0; y < static_cast<int>(s.height); ++y)
    for (int x = 0; x < static_cast<int>(s.width); ++x) {
      size_t at = static_cast<size_t>(y) * s.stride + static_cast<size_t>(x) * bytes;
      if (std::memcmp(&now[at], &before[at], static_cast<size_t>(bytes)) != 0) changed.insert({x, y});
    }
  return changed;
}

PixelSet Rectangle(int left, int top, int right, int bottom, bool filled) {
  PixelSet set;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x)
      if (filled || x == left || x == right || y == top || y == bottom) set.insert({x, y});
  return set;
}

void ExpectAllEqual(const PixelSet& pixels, uint32_t value, const char* name) {
  for (const auto& p : pixels) EXPECT_EQ(ZUL_GetPixel(p.first, p.second), value) << name << " at " << p.first << "," << p.second;
}

}  // namespace

TEST_F(DrawingCommands, FiguresAreDrawnWhereTheUserClicked) {
  // A 45-degree line steps diagonally on every pixel; radius 3 is a ring of
  // 16 pixels, the radius-5 disc has 97.
  PixelSet diagonal;
  for (int k = 0; k <= 10; ++k) diagonal.insert({2 + k, 3 + k});
  struct Case {
    const char* name;
    int id;
    int bits;
    std::vector<ScriptStep> steps;
    PixelSet pixels;  // empty: only the count below is known
    size_t count;
    bool inverted;
  } cases[] = {
      {"line", kIwDrawLine, 32, {Click(1, 12, 13), Move(1, 40, 2), Click(1, 2, 3)}, diagonal, 11, false},
      {"row", kIwDrawRow, 32, {Move(1, 5, 9), Click(1, 77, 50)}, Rectangle(0, 50, 159, 50, true), 160, false},
      {"column", kIwDrawColumn, 8, {Click(1, 33, 5)}, Rectangle(33, 0, 33, 119, true), 120, false},
      {"box", kIwDrawBox, 8, {Click(1, 30, 20), Click(1, 10, 5)}, Rectangle(10, 5, 30, 20, false), 0, false},
      {"fill box", kIwFillBox, 8, {Click(1, 10, 20), Click(1, 30, 5)}, Rectangle(10, 5, 30, 20, true), 0, false},
      {"fill XOR box", kIwXorFillBox, 8, {Click(1, 10, 5), Click(1, 30, 20)}, Rectangle(10, 5, 30, 20, true), 0, true},
      {"circle", kIwDrawCircle, 32, {Click(1, 20, 20), Click(1, 20, 23)}, {}, 16, false},
      {"fill circle", kIwFillCircle, 8, {Click(1, 20, 20), Click(1, 23, 24)}, {}, 97, false},
      {"fill XOR circle", kIwXorFillCircle, 32, {Click(1, 20, 20), Click(1, 17, 24)}, {}, 97, true},
  };
  for (Case& c : cases) {
    MakeImage(1, 160, 120, c.bits);
    FillColor(160, 120, 0x000080);
    std::vector<uint8_t> before = SurfaceBytesOf(1);
    draw_color = 0x5A6B7C;
    PlayCommand(c.id, c.steps);
    PixelSet changed = ChangedPixels(before);
    if (!c.pixels.empty()) {
      EXPECT_EQ(changed, c.pixels) << c.name;
    }
    if (c.count != 0) {
      EXPECT_EQ(changed.size(), c.count) << c.name;
    }
    uint32_t expected = c.inverted ? (c.bits == 8 ? 0x7F : 0xFFFF7F) : (c.bits == 8 ? 0x7C : 0x5A6B7C);
    ExpectAllEqual(changed, expected, c.name);
    ZUL_DestroyImage(1);
  }
  draw_color = 0xFFFFFF;
}

TEST_F(DrawingCommands, LineAtZoom200UsesImageCoordinates) {
  ASSERT_EQ(ZUL_CreateImage(1, "zoom", 0, 0, 160, 120, 200), 0);
  ASSERT_EQ(image_windows[1].zoom, 200);
  FillTestPicture(160, 120);
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  PlayCommand(kIwDrawLine, {Click(1, 5, 7), Move(1, 9, 9), Click(1, 25, 27)});  // image (2, 3)-(12, 13)
  PixelSet diagonal;
  for (int k = 0; k <= 10; ++k) diagonal.insert({2 + k, 3 + k});
  EXPECT_EQ(ChangedPixels(before), diagonal);
}

TEST_F(DrawingCommands, CancelStopAndExitDrawNothing) {
  struct Case {
    const char* name;
    int id;
    ScriptStep end;
  } cases[] = {
      {"right click", kIwFillBox, RightClick(1)},
      {"stop", kIwFillBox, [] { stop_requested = 1; }},
      {"exit", kIwFillCircle, [] { quit_state = 1; }},
      {"window closed", kIwDrawLine, [] { PostMessageW(image_windows[1].window, WM_CLOSE, 0, 0); }},
  };
  for (Case& c : cases) {
    MakeImage(1, 160, 120);
    FillTestPicture(160, 120);
    std::vector<uint8_t> before = SurfaceBytesOf(1);
    PlayCommand(c.id, {Click(1, 10, 10), Move(1, 30, 30), c.end, RightClick(1)});
    if (image_windows[1].in_use) {
      EXPECT_EQ(SurfaceBytesOf(1), before) << c.name;
    }
    stop_requested = 0;
    quit_state = 0;
    ZUL_DestroyImage(1);
  }
}

TEST_F(DrawingCommands, PickTakesTheClickedPixel) {
  MakeImage(1, 160, 120);
  ZUL_SetPixel(7, 8, 0x0A0B0C);
  zul_tc = 0x111111;
  PlayTool({Click(1, 7, 8)}, [] {
    SendCommand(1, kIwColorPick);
    return 0;
  });
  EXPECT_EQ(draw_color, 0x0A0B0Cu);
  EXPECT_EQ(zul_tttc, 0x0A0B0Cu);

  // 8 bits: the index, and its palette entry as a colour (not grey, so a
  // byte-order slip shows).
  ZUL_DestroyImage(1);
  MakeImage(1, 160, 120, 8);
  RGBQUAD entries[256];
  ASSERT_EQ(ZUL_GetPalette(entries), 0);
  entries[200] = RGBQUAD{3, 2, 1, 0};  // blue, green, red
  ASSERT_EQ(ZUL_SetPalette(entries, 256), 0);
  ZUL_SetPixel(50, 60, 200);
  PlayTool({Click(1, 50, 60)}, [] {
    SendCommand(1, kIwColorPick);
    return 0;
  });
  EXPECT_EQ(draw_color, 200u);
  EXPECT_EQ(zul_tttc, 0x010203u);
  EXPECT_EQ(zul_tc, 0x111111u);
  draw_color = zul_tttc = 0xFFFFFF;
  zul_tc = 0;
}

namespace {

BOOL CALLBACK TakeColorDialog(HWND window, LPARAM data) {
  wchar_t name[16];
  if (GetClassNameW(window, name, 16) && std::wcscmp(name, L"#32770") == 0 && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
  }
  return TRUE;
}

// The colour dialog open on this thread, or null.
HWND FindColorDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), TakeColorDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

TEST_F(DrawingCommands, ChangeShowsTheColourAndTakesTheDialogsColour) {
  MakeImage(1, 160, 120);
  for (int button : {IDCANCEL, IDOK}) {
    draw_color = 0x102030;
    zul_tc = zul_tttc = 0;
    int red = -1, green = -1, blue = -1;
    std::vector<ScriptStep> steps = {Until([] { return FindColorDialog() != nullptr; })};
    steps.push_back([&] {
      HWND dialog = FindColorDialog();
      ASSERT_NE(dialog, nullptr);
      red = static_cast<int>(GetDlgItemInt(dialog, 706, nullptr, FALSE));
      green = static_cast<int>(GetDlgItemInt(dialog, 707, nullptr, FALSE));
      blue = static_cast<int>(GetDlgItemInt(dialog, 708, nullptr, FALSE));
      PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
    });
    PlayTool(steps, [] {
      SendCommand(1, kIwColorChange);
      return 0;
    });
    EXPECT_EQ(red, 16);
    EXPECT_EQ(green, 32);
    EXPECT_EQ(blue, 48);
    EXPECT_EQ(draw_color, 0x102030u) << button;
    EXPECT_EQ(zul_tc, 0x102030u) << button;
    EXPECT_EQ(zul_tttc, 0x102030u) << button;
  }
  draw_color = zul_tttc = 0xFFFFFF;
  zul_tc = 0;
}
