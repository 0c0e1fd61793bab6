// Whole-image operations as a user sees them in the surfaces: flood fill against a breadth-first
// fill, quarter turns, scaling, invert and flips, the clipboard, Cut, menu Paste, Clipping, Paint.
#include <algorithm>
#include <deque>
#include <thread>

#include "image_test_helpers.h"

namespace {

using Picture = std::function<uint32_t(int, int)>;
using Transforms = PointScriptTest;

uint32_t Distinct(int x, int y) { return TestColor(x, y) + 1; }
uint32_t DistinctIndex(int x, int y) { return (1 + x + 13 * y) & 0xFF; }

// Makes slot n current with picture(x, y), or with distinct values when none is given; 8-bit
// windows get a scrambled palette unless they keep the grey one (a conversion blurs its greys).
void Paint(int n, int w, int h, int bits, Picture picture = nullptr, bool grey = false) {
  MakeImage(n, w, h, bits);
  auto scrambled = [](int i) { return RGBQUAD{BYTE(i * 73 + 5), BYTE(i * 151), BYTE(255 - i), 0}; };
  if (bits == 8 && !grey) ZUL_SetPalette(MakePalette(scrambled).data(), 256);
  FillImage(w, h, picture ? picture : bits == 8 ? DistinctIndex : Distinct);
}

// 4-connected region of the seed's value, painted as the surface stores `color`.
Values BreadthFirstFill(Values v, int w, int h, int bits, int sx, int sy, uint32_t color) {
  uint32_t fill = bits == 8 ? (color & 0xFF) : color, target = v[sy * w + sx];
  if (target == fill) return v;
  std::deque<std::pair<int, int>> queue{{sx, sy}};
  v[sy * w + sx] = fill;
  for (; !queue.empty(); queue.pop_front())
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
      int x = queue.front().first + dx, y = queue.front().second + dy;
      if (x >= 0 && y >= 0 && x < w && y < h && v[y * w + x] == target)
        v[y * w + x] = fill, queue.push_back({x, y});
    }
  return v;
}

TEST_F(Transforms, FloodFillEqualsBreadthFirstFill) {
  auto serpentine = [](int x, int y) {
    return x % 2 && y != (x % 4 == 1 ? 0 : 20) ? 0x808080u : 0u;
  };
  auto dots = [](int x, int y) {
    return (x | y) && (uint32_t(y * 640 + x) * 2654435761u >> 8) % 10 == 0 ? 0x202020u : 0u;
  };
  // clang-format off
  struct Case { int bits, w, h; Picture picture; int sx, sy; uint32_t color; } cases[] = {
      {32, 41, 21, serpentine, 0, 20, 0x00FF00},  // then a diagonal gap, a checkerboard
      {32, 10, 10, [](int x, int y) { return x + y == 9 ? 0xFFFFFFu : 0u; }, 0, 0, 0xFF},
      {32, 8, 8, [](int x, int y) { return (x + y) % 2 ? 0xFFu : 0u; }, 3, 5, 0x00FF00},
      {32, 640, 480, dots, 0, 0, 0xFF0000},  // needs far more than 4000 pending seeds
      {32, 16, 16, [](int, int) { return 0xFFFFFFFFu; }, 7, 9, 0x123456},  // the outside value
      {8, 128, 128, [](int x, int y) { return x % 2 && y % 2 ? 100u : 0u; }, 0, 0, 0x3456},
      {8, 12, 6, [](int, int) { return 0xFFu; }, 2, 2, 0xFFFFFF}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << " bits " << c.w << "x" << c.h);
    DestroyAllImages(), Paint(0, c.w, c.h, c.bits, c.picture);
    Values expected = BreadthFirstFill(ValuesOf(0), c.w, c.h, c.bits, c.sx, c.sy, c.color);
    draw_color = c.color, ZUL_FloodFill(c.sx, c.sy);
    EXPECT_TRUE(ValuesOf(0) == expected);
  }
  // The pen ends at the right end of the last run; outside seeds change nothing.
  DestroyAllImages(), MakeImage(0, 20, 10);
  for (auto [x, y, color, end_y] : {std::tuple{5, 5, 0x4455u, 0}, {3, 0, 0x1u, 9}})
    EXPECT_EQ((draw_color = color, ZUL_FloodFill(x, y), pen_x * 100 + pen_y), 1900 + end_y);
  for (POINT p : {POINT{-1, 0}, {20, 0}, {0, -1}, {0, 10}, {0, 0}}) ZUL_FloodFill(p.x, p.y);
  EXPECT_TRUE(pen_y == 9 && ValuesOf(0) == Values(200, 1));
}

TEST_F(Transforms, TurnsFlipsInvertAndDoublingMapEveryPixel) {
  const struct {
    int id, w, h, cycle;    // new size; commands that give the picture back (0: none)
    bool current, inverts;  // whether the window becomes current, whether the values are inverted
    int (*from)(int x, int y);  // where (x, y) of the new picture comes from in the old 7 x 5 one
  } cases[] = {
      {kIwRotateRight, 5, 7, 4, true, false, [](int x, int y) { return (4 - x) * 7 + y; }},
      {kIwRotateLeft, 5, 7, 4, true, false, [](int x, int y) { return x * 7 + 6 - y; }},
      {kIwHorzFlip, 7, 5, 2, false, false, [](int x, int y) { return y * 7 + 6 - x; }},
      {kIwVertFlip, 7, 5, 2, false, false, [](int x, int y) { return (4 - y) * 7 + x; }},
      {kIwInvert, 7, 5, 2, false, true, [](int x, int y) { return y * 7 + x; }},
      {kIwSize200, 14, 10, 0, true, false, [](int x, int y) { return y / 2 * 7 + x / 2; }}};
  for (const auto& c : cases)
    for (int bits : {32, 8})
      for (int mode : {COLORONCOLOR, HALFTONE}) {
        if (c.w == 14 && mode == HALFTONE) continue;  // smoothed scaling mixes colours
        SCOPED_TRACE(testing::Message() << "command " << c.id << ", " << bits << " bits " << mode);
        DestroyAllImages(), Paint(2, 7, 5, bits), ZUL_SetStretchMode(mode, 2);
        MakeImage(0, 10, 10);  // the current window
        Values old = ValuesOf(2);
        std::string palette = PaletteOf(2);
        long corner = CornerOf(2);
        HWND window = image_windows[2].window;
        SendCommand(2, c.id);
        ASSERT_EQ(image_windows[2].width * 100 + image_windows[2].height, c.w * 100 + c.h);
        Values now = ValuesOf(2);
        uint32_t flip = !c.inverts ? 0 : bits == 8 ? 0xFF : 0xFFFFFF;
        for (int i = 0; i < c.w * c.h; ++i) ASSERT_EQ(now[i], old[c.from(i % c.w, i / c.w)] ^ flip);
        EXPECT_TRUE(CornerOf(2) == corner && current_image == (c.current ? 2 : 0));
        EXPECT_EQ(image_windows[2].window, window);  // the same window, with a new surface
        EXPECT_EQ(PaletteOf(2), palette);
        std::string caption = CaptionOf(2), tail = std::string(bits == 8 ? "%)[8bit]" : "%)") +
                                                   (mode == HALFTONE ? "*" : "");
        EXPECT_EQ(caption.substr(caption.size() - tail.size()), tail);
        for (int again = 1; again < c.cycle; ++again) SendCommand(2, c.id);
        EXPECT_TRUE(!c.cycle || ValuesOf(2) == old);
        EXPECT_EQ(PaletteOf(2), palette);  // also in the surfaces given up and taken again
      }
}

TEST_F(Transforms, ScalingSizesAndSamplesAndWhatCannotFitChangesNothing) {
  const int sizes[][5] = {{640, 480, kIwSize50, 320, 240},  {640, 480, kIwSize71, 452, 339},
                          {640, 480, kIwSize141, 905, 679}, {640, 480, kIwSize200, 1280, 960},
                          {1, 1, kIwSize50, 1, 1},          {3, 3, kIwSize50, 2, 2}};
  for (auto [w, h, id, new_w, new_h] : sizes) {
    DestroyAllImages(), MakeImage(0, w, h), SendCommand(0, id);
    EXPECT_TRUE(image_windows[0].width == new_w && image_windows[0].height == new_h) << id;
  }
  DestroyAllImages(), Paint(0, 8, 6, 32, [](int x, int y) { return Distinct(x / 2, y / 2); });
  SendCommand(0, kIwSize50);  // plain 50 % of uniform 2 x 2 blocks keeps the blocks' colours
  for (int i = 0; i < 12; ++i) EXPECT_EQ(ValuesOf(0)[i], Distinct(i % 4, i / 4));
  DestroyAllImages();  // smoothed 200 % of stripes mixes colours and keeps the top byte 0
  Paint(0, 9, 4, 32, [](int x, int) { return x % 2 ? 0xFFFFFFu : 0u; });
  ZUL_SetStretchMode(HALFTONE, 0), SendCommand(0, kIwSize200);
  uint32_t mixed = 0, top = 0;
  for (uint32_t p : ValuesOf(0)) mixed += p != 0 && p != 0xFFFFFF, top |= p >> 24;
  EXPECT_TRUE(mixed > 0 && top == 0);
  int w = 200;  // a strip that fits only lying down is not turned, and keeps its window
  while (w < 2000 && FitZoom(ReadScreenMetrics(), 20, w, 100).code == 0) w += 20;
  DestroyAllImages(), Paint(1, w, 20, 32);
  HWND window = image_windows[1].window;
  SendCommand(1, kIwRotateRight);
  EXPECT_TRUE(image_windows[1].window == window && ValuesOf(1).size() == w * 20u);
  EXPECT_EQ(ValuesOf(1)[w * 20 - 1], Distinct(w - 1, 19));
}

std::string ClipboardDib() {
  std::string bytes;
  if (!OpenClipboard(nullptr)) return bytes;
  HANDLE data = GetClipboardData(CF_DIB);
  if (const char* block = data ? static_cast<const char*>(GlobalLock(data)) : nullptr)
    bytes.assign(block, GlobalSize(data));
  if (data) GlobalUnlock(data);
  return CloseClipboard(), bytes;
}

// The header of a bottom-up DIB.
std::string DibHeader(int w, int h, int bit_count) {
  BITMAPINFOHEADER head = {40, w, h, 1, WORD(bit_count), 0, 0, 0, 0, 0, 0};
  return std::string(reinterpret_cast<char*>(&head), 40);
}

TEST_F(Transforms, CopyExportsBottomUpDibs) {
  Paint(1, 3, 2, 32, [](int x, int y) { return 0x102030u * (1 + x + 3 * y); });
  std::string dib = (SendCommand(1, kIwCopy), ClipboardDib());
  ASSERT_GE(dib.size(), 64u);
  EXPECT_EQ(dib.substr(0, 40), DibHeader(3, 2, 24));
  // The bottom row first: 0x4080C0, 0x50A0F0, 0x60C120 as blue, green, red; 3 bytes padding.
  EXPECT_EQ(dib.substr(40, 12), std::string("\xC0\x80\x40\xF0\xA0\x50\x20\xC1\x60\0\0\0", 12));
  Paint(2, 5, 1, 8, [](int x, int) { return 250u - 3 * x; });  // a scrambled table
  SendCommand(2, kIwCopy), dib = ClipboardDib();
  EXPECT_TRUE(dib.size() >= 1072u && dib[14] == 8 && dib.substr(40, 1024) == PaletteOf(2));
  EXPECT_EQ(dib.substr(1064, 8), std::string("\xFA\xF7\xF4\xF1\xEE\0\0\0", 8));
}

TEST_F(Transforms, CopyPasteCutAndPastedColours) {
  for (int bits : {32, 8}) {  // Ctrl+C, Ctrl+V between windows: exact, current window kept
    DestroyAllImages(), Paint(0, 40, 30, bits, nullptr, true);
    Paint(1, 64, 48, bits, [](int, int) { return 0xF0u; }), MakeImage(2, 10, 10);
    SendControlKey(0, 'C'), SendControlKey(1, 'V'), PumpFor(50);
    EXPECT_TRUE(current_image == 2 && PaletteOf(1) == PaletteOf(0));
    Values a = ValuesOf(0), b = ValuesOf(1);
    for (int i = 0; i < 64 * 48; ++i)
      ASSERT_EQ(b[i], i % 64 < 40 && i / 64 < 30 ? a[i / 64 * 40 + i % 64] : 0xF0u) << bits;
  }
  // Cut while another program holds the clipboard keeps the picture; then clears it.
  Values picture = ValuesOf(0);
  std::atomic<int> step{0};  // 1: the clipboard held, 2: given back
  std::thread holder([&] {
    HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    OpenClipboard(owner), step = 1;
    WaitUntil([&] { return step == 2; }, 10000);
    CloseClipboard(), DestroyWindow(owner);
  });
  WaitUntil([&] { return step == 1; }, 10000);
  SendCommand(0, kIwCut);
  step = 2, holder.join();
  EXPECT_EQ(ValuesOf(0), picture);
  SendCommand(0, kIwCut);
  EXPECT_EQ(ValuesOf(0), Values(picture.size(), 0));
  EXPECT_EQ(ClipboardDib().substr(1064, 40), std::string(picture.begin() + 29 * 40, picture.end()));
  // A 2-colour picture replaces palette entries 0 and 1 only.
  std::string kept = PaletteOf(1), two = std::string("\x33\x22\x11\0\x66\x55\x44\0", 8);
  PutDibOnClipboard(DibHeader(4, 2, 1) + two + std::string("\x50\0\0\0\xA0\0\0\0", 8));
  SendCommand(1, kIwPasteTopLeft);  // rows 1010 over 0101
  EXPECT_TRUE(PaletteOf(1) == two + kept.substr(8) && ValuesOf(1)[0] == 1 && ValuesOf(1)[65] == 1);
  // A 32-bit picture with alpha: the surface keeps 0x00RRGGBB, and a fill there ends.
  MakeImage(3, 2, 2), PutDibOnClipboard(DibHeader(2, 2, 32) + std::string(16, '\xFF'));
  SendCommand(3, kIwPasteTopLeft);
  EXPECT_EQ(ValuesOf(3), Values(4, 0xFFFFFF));
  ZUL_FloodFill(0, 0);
}

TEST_F(Transforms, MenuPasteClippingAndPaintTakeTheirPlaceFromTheMouse) {
  Paint(0, 11, 7, 32), ZUL_CopyImage(0), MakeImage(1, 200, 80);
  for (auto [cx, cy] : {std::pair{30, 20}, {2, 2}}) {  // centred on the click, cut at the edges
    ZUL_ClearImage(1), PlayCommand(1, kIwPaste, {Move(cx, cy), Click(cx, cy)});
    Values v = ValuesOf(1);
    for (int i = 0; i < 200 * 80; ++i) {
      int x = i % 200 - (cx - 5), y = i / 200 - (cy - 3);
      ASSERT_EQ(v[i], x >= 0 && x < 11 && y >= 0 && y < 7 ? Distinct(x, y) : 0u);
    }
  }
  ZUL_ClearImage(1), PlayCommand(1, kIwPaste, {RightClick()});
  EXPECT_EQ(ValuesOf(1), Values(16000, 0));
  for (int bits : {32, 8}) {  // Clipping: the box in a new window in slot 0, at (0, 0)
    DestroyAllImages(), Paint(1, 200, 100, bits);
    PlayCommand(1, kIwClipping, {Click(6, 5), Click(2, 3)});
    ASSERT_TRUE(image_windows[0].width == 5 && image_windows[0].height == 3 && current_image == 0);
    std::string zoom = std::to_string(FitZoom(ReadScreenMetrics(), 5, 3, 100).zoom);
    EXPECT_EQ(CaptionOf(0), "(2,3)-(6,5)(" + zoom + "%)" + (bits == 8 ? "[8bit]" : ""));
    EXPECT_TRUE(CornerOf(0) == 0 && PaletteOf(0) == PaletteOf(1));
    Values clip = ValuesOf(0), source = ValuesOf(1);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(clip[i], source[(i / 5 + 3) * 200 + i % 5 + 2]);
  }
  DestroyAllImages();  // Paint fills the clicked region; Stop during the wait fills nothing
  Paint(1, 200, 100, 32, [](int x, int) { return x < 100 ? 0u : 0xFFu; });
  draw_color = 0x00FF00, PlayCommand(1, kIwPaint, {Raise(&stop_requested)});
  PlayCommand(1, kIwPaint, {Click(150, 50)});
  Values painted = ValuesOf(1);
  for (int i = 0; i < 200 * 100; ++i) ASSERT_EQ(painted[i], i % 200 < 100 ? 0u : 0x00FF00u);
  // Clipping cancelled, or its source closed during the wait: no new window.
  PlayCommand(1, kIwClipping, {RightClick()});
  PlayCommand(1, kIwClipping,
              {Click(2, 2), [] { PostMessageW(image_windows[1].window, WM_CLOSE, 0, 0); }});
  EXPECT_EQ(FindWindowW(L"zul_iw", nullptr), nullptr);  // no image window is left
}

}  // namespace
