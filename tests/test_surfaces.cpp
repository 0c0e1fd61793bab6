// Image windows and their surfaces: zoom fitting, creation codes, pixel calls, the current window
// and its history, palettes, blocks, clipboard pictures, colour formulas, image files, and
// loading into 8 bits by nearest entry.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "image_test_helpers.h"

namespace {

using Images = ImageWindowTest;

int Channel(uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

// What window n's client area shows at the points `at`.
std::vector<COLORREF> Shown(int n, std::initializer_list<POINT> at) {
  std::vector<COLORREF> shown;
  for (POINT p : at) GdiFlush(), shown.push_back(GetPixel(image_windows[n].window_dc, p.x, p.y));
  return shown;
}

TEST(ZoomFitting, WorkedExamples) {
  const ScreenMetrics screen = {1280, 1004, 106, 5};
  // Size and zoom asked; code, zoom and view size (-1 when refused). Fitting truncates (the
  // second); sizes below 1 are 1 (the seventh and eighth).
  // clang-format off
  const int cases[][7] = {
      {640, 480, 100, 0, 100, 640, 480}, {3000, 1000, 100, 0, 42, 1260, 420},
      {50, 50, 100, 0, 212, 106, 106}, {300, 200, 200, 0, 200, 600, 400},
      {2560, 100, 100, 0, 50, 1280, 50}, {1000, 2008, 100, 0, 50, 500, 1004},
      {0, -500, 100, 0, 10600, 106, 106}, {200, 0, 100, 0, 500, 1000, 5},
      {200, 100, -40, 0, 53, 106, 53}, {100000, 100000, 100, 0, 1, 1000, 1000},
      {1, 100000, 100, 2, -1, -1, -1}, {2147483647, 1, 100, 2, -1, -1, -1}};
  // clang-format on
  for (const auto& c : cases) {  // the row asked and the one given
    ZoomFit f = FitZoom(screen, c[0], c[1], c[2]);
    if (f.code != 0) f.zoom = f.view_width = f.view_height = -1;
    EXPECT_EQ(std::vector<int>(c, c + 7),
              (std::vector<int>{c[0], c[1], c[2], f.code, f.zoom, f.view_width, f.view_height}));
  }
  ScreenMetrics real = ReadScreenMetrics();  // a zoom whose window fits is kept exactly
  for (int zoom = 1; zoom <= 400; ++zoom)
    EXPECT_TRUE(160 * zoom / 100 < real.min_width || 120 * zoom / 100 < real.min_height ||
                FitZoom(real, 160, 120, zoom).zoom == zoom)
        << zoom;
}

TEST_F(Images, CreationCodesAndWhatIsLeftBehind) {
  // Number, size, depth, result: bad numbers and depths, no fitting zoom, surfaces over 2 GB or
  // too large for the address space.
  const int cases[][5] = {{256, 10, 10, 32, 4},     {-1, 10, 10, 32, 4},
                          {7, 10, 10, 16, 3},       {8, 1, 1000000, 32, 2},
                          {9, 40000, 40000, 32, 3}, {9, 25000, 20000, 32, 3},
                          {9, 70000, 70000, 8, 3}};
  for (auto c : cases)
    EXPECT_EQ(CreateImageWindow(c[0], "x", 0, 0, c[1], c[2], 100, c[3]), c[4]) << c[0];
  for (int n : {7, 8, 9}) EXPECT_TRUE(!image_windows[n].in_use && !image_windows[n].window) << n;
  EXPECT_EQ(FindWindowW(L"zul_iw", nullptr), nullptr);
  MakeImage(9, 16, 16);  // the slot is still usable; in use, it is left alone
  ZUL_SetPixel(1, 1, 0x123456);
  EXPECT_EQ(ZUL_CreateImage8(9, "other", 0, 0, 30, 30, 100), 1);
  EXPECT_TRUE(image_windows[9].bits == 32 && ZUL_GetPixel(1, 1) == 0x123456u);
}

TEST_F(Images, WindowsShowTheirViewAndCaption) {
  ASSERT_EQ(ZUL_CreateImage8(4, "100%s%d", 0, 0, 0, -3, 100), 0);  // a title is text, not a format
  EXPECT_GE(image_windows[4].view_width, ReadScreenMetrics().min_width);
  EXPECT_EQ(CaptionOf(4), "100%s%d(" + std::to_string(image_windows[4].zoom) + "%)[8bit]");
  std::string longer(1000, 't');
  ASSERT_EQ(ZUL_CreateImage(2, longer.c_str(), -1, -1, 300, 200, 100), 0);
  EXPECT_TRUE(CaptionOf(2).size() + 1 == size_t(kCaptionBytes) && image_windows[2].title == longer);
  for (int n : {2, 4}) ExpectClientIsView(n);
}

TEST_F(Images, RedrawShowsTheSurfaceInTheWindowZoomedAndThroughThePalette) {
  ASSERT_EQ(ZUL_CreateImage(1, "x", 0, 0, 100, 80, 200), 0);  // every pixel doubled
  FillImage(100, 80, [](int x, int y) { return x == 10 && y == 5 ? 0x0000FFu : 0xFF0000u; });
  EXPECT_EQ(ZUL_RedrawImage(1), 0);
  const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), green_shown = RGB(0, 255, 0);
  EXPECT_EQ(Shown(1, {{0, 0}, {20, 10}, {21, 11}, {22, 10}, {199, 159}}),
            (std::vector<COLORREF>{red, blue, blue, red, red}));
  MakeImage(2, 200, 100, 8);
  RGBQUAD green = {0, 255, 0, 0};
  ZUL_SetPalette(&green, 1), ZUL_SetPixel(3, 3, 200);
  EXPECT_EQ(ZUL_RedrawImage(2), 0);
  EXPECT_EQ(Shown(2, {{0, 0}, {3, 3}}), (std::vector<COLORREF>{green_shown, RGB(200, 200, 200)}));
  EXPECT_EQ(ZUL_RedrawImage(3) + ZUL_RedrawImage(256), 2);
}

TEST_F(Images, NewSurfacesAndPixelCallsInsideOutsideAndOnBothDepths) {
  MakeImage(1, 40, 30);
  EXPECT_EQ(ValuesOf(1), Values(1200, 0));  // black
  ZUL_SetPixel(3, 4, 0xAB123456);
  EXPECT_EQ((Values{pixels[1][4 * 40 + 3], ZUL_GetPixel(3, 4), ZUL_ProbePixel(3, 4)}),
            Values(3, 0xAB123456u));  // rows of 40 words; the whole word is read
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {40, 0}, {0, 30}, {-100000, 5}, {5, 2147483647}})
    EXPECT_EQ(std::pair(ZUL_GetPixel(x, y), ZUL_ProbePixel(x, y)), std::pair(0u, kProbeOutside))
        << x << "," << y;
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  ZUL_SetPixel(-1, 5, 0xFFFFFF), ZUL_XorPixel(50, -7);  // outside: the pen moves, nothing written
  EXPECT_EQ(SurfaceBytesOf(1), before);
  ZUL_PlotPixel(2, 2, 0xFFFFFF), ZUL_XorPlotPixel(3, 3);  // the plot calls leave the pen alone
  EXPECT_EQ(std::pair(pen_x, pen_y), std::pair(50, -7));
  ZUL_SetPixel(5, 6, 0x7F102030), ZUL_XorPixel(5, 6);
  EXPECT_TRUE(ZUL_GetPixel(5, 6) == 0x7FEFDFCFu && pen_x == 5);  // the top byte is kept
  MakeImage(2, 5, 4, 8);  // black, rows padded to 8 bytes (the grey table: see the 8-bit loads)
  EXPECT_EQ(SurfaceBytesOf(2), std::vector<uint8_t>(32, 0));
  uint32_t set = (ZUL_SetPixel(1, 1, 0x3456), ZUL_GetPixel(1, 1));
  ZUL_XorPixel(1, 1);
  EXPECT_TRUE(set == 0x56u && ZUL_GetPixel(1, 1) == 0xA9u);
  ZUL_SetPixel(5, 0, 0x77);  // row padding is outside
  EXPECT_TRUE(ZUL_ProbePixel(5, 3) == kProbeOutside && pixels8[2][5] == 0);
  ASSERT_EQ(ZUL_SelectImage(1), 0);  // the calls follow the current window
  EXPECT_EQ(ZUL_GetPixel(3, 4), 0xAB123456u);
}

TEST_F(Images, ReadRowRowsAndClearImage) {
  MakeImage(1, 6, 3), FillImage(6, 3, TestColor);
  std::vector<uint32_t> row(9, 0xEEEEEEEE);
  ZUL_ReadRow(row.data(), 2, 8);  // beyond the width: 0; beyond the count: untouched
  for (int i = 0; i < 9; ++i) EXPECT_EQ(row[i], i < 6 ? TestColor(i, 2) : i < 8 ? 0u : 0xEEEEEEEEu);
  ZUL_ReadRow(row.data(), 0, -4);
  EXPECT_EQ(row[0], TestColor(0, 2));
  MakeImage(2, 5, 2, 8), ZUL_SetPixel(4, 1, 0x99);
  std::vector<uint8_t> bytes(8, 0xEE);
  ZUL_ReadRow(bytes.data(), 1, 7);
  EXPECT_EQ(std::vector(bytes.begin() + 4, bytes.end()), (std::vector<uint8_t>{0x99, 0, 0, 0xEE}));
  // The rows of both depths, with what GDI drew into the surface; a free slot has none.
  RECT corner = {0, 0, 1, 1};
  FillRect(image_windows[1].memory_dc, &corner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageSurface rows;
  ASSERT_EQ(ZUL_GetImageRows(1, &rows), 0);
  EXPECT_TRUE(rows.width == 6 && rows.height == 3 && rows.bits == 32);
  EXPECT_EQ(reinterpret_cast<uint32_t*>(rows.base)[0], 0xFFFFFFu);
  EXPECT_EQ(reinterpret_cast<uint32_t*>(rows.base + 2 * rows.stride)[5], TestColor(5, 2));
  ASSERT_EQ(ZUL_GetImageRows(2, &rows), 0);
  EXPECT_TRUE(rows.bits == 8 && rows.base[rows.stride + 4] == 0x99);
  EXPECT_TRUE(ZUL_GetImageRows(7, &rows) == 1 && rows.base == nullptr && rows.width == 0);
  ZUL_ClearImage(1), ZUL_ClearImage(3), ZUL_ClearImage(-1);  // 1 is not the current window
  EXPECT_TRUE(ValuesOf(1) == Values(18, 0) && ZUL_GetPixel(4, 1) == 0x99u);
}

TEST_F(Images, DestroyKeepsTheCurrentNumberAndItsCallsTouchNothing) {
  MakeImage(4, 20, 20), MakeImage(5, 20, 20);
  HWND window = image_windows[5].window;
  EXPECT_EQ(ZUL_DestroyImage(5), 0);
  EXPECT_TRUE(!IsWindow(window) && current_image == 5);
  for (int bad : {5, -1, 256}) EXPECT_EQ(ZUL_DestroyImage(bad), 1);
  ZUL_SetPixel(1, 1, 0xFFFFFF);
  uint32_t row[4] = {9, 9, 9, 9};
  ZUL_ReadRow(row, 0, 4);
  RGBQUAD table[256];
  EXPECT_TRUE(ZUL_GetPixel(1, 1) == 0 && row[0] == 9u);
  EXPECT_EQ(ZUL_GetPalette(table) * 10 + CopyImageBlock(row, 0, 0, 2, 2), 11);
}

TEST_F(Images, HistoryOfSelectAndRestore) {
  for (int n = 0; n <= 9; ++n) MakeImage(n, 10, 10);
  std::vector<int> before;
  for (int i = 0; i < kImageHistory; ++i) before.push_back(ImageHistoryEntry(i));
  for (int bad : {10, 256, -3}) EXPECT_EQ(ZUL_SelectImage(bad), 1);  // changes nothing
  for (int i = 0; i < kImageHistory; ++i) EXPECT_EQ(ImageHistoryEntry(i), before[i]) << i;
  for (int n = 0; n <= 9; ++n) ASSERT_EQ(ZUL_SelectImage(n), 0);
  for (int expected : {8, 7, 6, 5, 4, 3, 2, 1, 1})  // nine selects, nine restores: the oldest lost
    EXPECT_TRUE(ZUL_RestoreImage() == 0 && current_image == expected) << expected;
  ASSERT_EQ(ZUL_SelectImage(3) + ZUL_DestroyImage(1), 0);
  EXPECT_TRUE(ZUL_RestoreImage() == 1 && current_image == 3);  // to a freed slot: nothing changes
}

TEST_F(Images, PalettesAndBlocks) {
  MakeImage(1, 10, 3, 8);
  RGBQUAD entries[3] = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}}, table[256];
  EXPECT_EQ(ZUL_SetPalette(entries, 3), 0);
  ASSERT_EQ(ZUL_GetPalette(table), 0);
  EXPECT_TRUE(std::memcmp(table, entries, sizeof entries) == 0 && table[3].rgbRed == 3);
  RGBQUAD many[300] = {};
  EXPECT_EQ(ZUL_SetPalette(many, 300) + ZUL_SetPalette(entries, -5), 0);  // clamped to the table
  FillImage(10, 3, [](int x, int y) { return static_cast<uint32_t>(x + 10 * y); });
  uint8_t bytes[12 * 4];
  ASSERT_EQ(CopyImageBlock(bytes, 0, 0, 12, 4), 0);
  for (int i = 0; i < 48; ++i)
    EXPECT_EQ(bytes[i], i % 12 < 10 && i / 12 < 3 ? i % 12 + 10 * (i / 12) : 0);
  MakeImage(2, 6, 4);
  EXPECT_EQ(ZUL_GetPalette(table) * 10 + ZUL_SetPalette(table, 4), 22);  // 32 bits: refused
  FillImage(6, 4, TestColor);
  uint32_t block[5 * 3];
  ASSERT_EQ(CopyImageBlock(block, -2, 2, 5, 3), 0);
  for (int i = 0; i < 15; ++i)  // from (-2, 2): columns 2-4 of rows 0 and 1 are inside
    EXPECT_EQ(block[i], i % 5 >= 2 && i / 5 < 2 ? TestColor(i % 5 - 2, 2 + i / 5) : 0u) << i;
  block[0] = 7;
  EXPECT_TRUE(CopyImageBlock(block, 0, 0, 65536, 65536) == 1 && block[0] == 7u);  // overflowing
}

TEST_F(Images, ClipboardPictures) {
  MakeImage(1, 8, 4);
  auto index = [](int x, int y) { return y == 0 && x % 2 == 0 ? 0u : 1u; };
  auto dib = [&](const std::vector<RGBQUAD>& table, int used = -1) {
    return BmpBytes(4, 2, 8, index, table, used).substr(sizeof(BITMAPFILEHEADER));
  };
  PutDibOnClipboard(dib({{0, 0, 255, 0}, {255, 0, 0, 0}}));
  RGBQUAD colours[257] = {};  // the last one a guard
  int count = -1;
  HBITMAP bitmap = GetClipboardBitmap(colours, &count);
  ASSERT_TRUE(bitmap && count == 2);
  PasteBitmapToImage(bitmap);
  EXPECT_EQ((Values{ZUL_GetPixel(0, 0), ZUL_GetPixel(1, 0), ZUL_GetPixel(4, 0)}),
            (Values{0xFF0000, 0x0000FF, 0}));  // beyond the bitmap: untouched
  PutDibOnClipboard(dib(std::vector<RGBQUAD>(1000, RGBQUAD{10, 20, 30, 0})));  // capped at 256
  DeleteObject(GetClipboardBitmap(colours, &count));
  EXPECT_TRUE(count == 256 && colours[256].rgbRed == 0);
  // Truncated or nonsense blocks give no bitmap.
  std::string big_header = Bmp24Bytes(1000, 1000, TestColor).substr(sizeof(BITMAPFILEHEADER), 56);
  for (const std::string& block : {big_header, dib({}, 0), std::string(12, '\0')}) {
    PutDibOnClipboard(block);
    EXPECT_EQ(GetClipboardBitmap(colours, &count), nullptr);
  }
  // Pasting into 8 bits maps to the palette; with no live window it only deletes.
  MakeImage(2, 8, 4, 8);
  uint32_t bits[4] = {0x404040, 0x404040, 0x808080, 0x808080};
  PasteBitmapToImage(CreateBitmap(2, 2, 1, 32, bits));
  EXPECT_TRUE(std::abs(int(ZUL_GetPixel(0, 0)) - 0x40) <= 4 &&
              std::abs(int(ZUL_GetPixel(1, 1)) - 0x80) <= 4);
  ASSERT_EQ(ZUL_DestroyImage(2), 0);
  HBITMAP orphan = CreateBitmap(2, 2, 1, 32, bits);
  PasteBitmapToImage(orphan);
  EXPECT_EQ(GetObjectW(orphan, 0, nullptr), 0);
}

TEST(ColourFormulas, ListedValues) {
  // Colour, hue, saturation, value. The top byte is ignored; ties follow the rule order (the 7th
  // and 8th); the last has hue 60 + floor(60 (G - R) / d).
  // clang-format off
  const int hsv[][4] = {
      {0x808080, 0, 0, 128}, {0xFF0000, 0, 255, 255}, {0xFFFF00, 60, 255, 255},
      {0x00FFFF, 180, 255, 255}, {0xFF00FF, 300, 255, 255}, {0x000000, 0, 0, 0},
      {int(0xFF808000), 60, 128, 128}, {0xC8C864, 60, 100, 200}, {0x32C8C8, 180, 150, 200},
      {0x64C800, 90, 200, 200}, {0xC7C800, 60, 200, 200}};
  // clang-format on
  for (auto [c, h, s, v] : hsv) {
    int got[3] = {-1, -1, -1};
    ZUL_RgbToHsv(uint32_t(c), &got[0], &got[1], &got[2]);
    EXPECT_EQ(std::vector(got, got + 3), (std::vector{h, s, v})) << std::hex << c;
  }
  EXPECT_EQ((Values{ZUL_HsvToRgb(255, 255, 120), ZUL_HsvToRgb(100, 255, 0)}),
            (Values{0xFF00, 0x640000}));  // the second: saturation above value
  // Luma and colour differences; -106.3 truncates toward zero.
  // clang-format off
  const struct { int (*f)(uint32_t); uint32_t c; int expected; } fixed[] = {
      {ZUL_GetY, 0xFFFFFF, 255},   {ZUL_GetY, 0xFF0000, 76},   {ZUL_GetY, 0x00FF00, 150},
      {ZUL_GetY, 0x0000FF, 29},    {ZUL_GetCr, 0xFF0000, 128}, {ZUL_GetCr, 0x00FFFF, -127},
      {ZUL_GetCr, 0x00FF00, -106}, {ZUL_GetCb, 0x0000FF, 128}, {ZUL_GetCb, 0xFFFF00, -127},
      {ZUL_GetU, 0x0000FF, 111},   {ZUL_GetU, 0xFFFF00, -110}, {ZUL_GetV, 0xFF0000, 157},
      {ZUL_GetV, 0x00FF00, -130},  {ZUL_GetI, 0xFF0000, 152},  {ZUL_GetI, 0x0000FF, -81},
      {ZUL_GetQ, 0x00FF00, -126},  {ZUL_GetQ, 0x0000FF, 74},   {ZUL_GetY, 0xAAFFFFFF, 255}};
  // clang-format on
  for (const auto& c : fixed) EXPECT_EQ(c.f(c.c), c.expected) << std::hex << c.c;
}

TEST(ColourFormulas, EveryColourRoundTripsAndGreysHaveNoColour) {
  for (uint32_t v = 0; v <= 255; ++v)
    for (auto f : {ZUL_GetY, ZUL_GetCr, ZUL_GetCb, ZUL_GetU, ZUL_GetV, ZUL_GetI, ZUL_GetQ})
      EXPECT_EQ(f(v * 0x10101u), f == ZUL_GetY ? int(v) : 0) << v;
  // Every colour keeps its value and saturation and comes back with the same extreme channels and
  // the middle one within the hue's whole-degree step.
  for (uint32_t c = 0; c < 0x1000000; ++c) {
    int h, s, v, r = Channel(c, 16), g = Channel(c, 8), b = Channel(c, 0);
    ZUL_RgbToHsv(c, &h, &s, &v);
    int max = std::max({r, g, b}), min = std::min({r, g, b});
    if (v != max || s != max - min || h < 0 || h > 359) FAIL() << std::hex << c;
    uint32_t back = ZUL_HsvToRgb(v, s, h);
    int br = Channel(back, 16), bg = Channel(back, 8), bb = Channel(back, 0);
    if (std::max({br, bg, bb}) != max || std::min({br, bg, bb}) != min) FAIL() << std::hex << c;
    if (std::abs((r + g + b) - (br + bg + bb)) > (max - min) / 60 + 1) FAIL() << std::hex << c;
    if ((c & 0x3F) == 0 && (ZUL_GetY(c) < 0 || ZUL_GetY(c) > 255 || ZUL_GetCr(c) < -127 ||
                            ZUL_GetCr(c) > 128 || ZUL_GetCb(c) < -127 || ZUL_GetCb(c) > 128))
      FAIL() << std::hex << c;
  }
}

constexpr int kW = 97, kH = 61;  // odd sizes: rows need padding in every format

// Saves window 1's kW x kH picture in `format`, loads it into a fresh window 2 and gives the
// worst and the mean channel difference from colour().
std::pair<int, double> RoundTrip(int format, uint32_t (*colour)(int, int)) {
  EXPECT_EQ(ZUL_SaveImageFile(kW, kH, format, "surf_trip"), 0) << format;
  MakeImage(2, kW, kH);
  std::wstring wide = std::wstring(L"surf_trip") + FormatExtension(format);
  EXPECT_EQ(ZUL_LoadImageFile(std::string(wide.begin(), wide.end()).c_str(), 0, 0), 0) << format;
  int worst = 0, total = 0;  // at most kW * kH * 3 * 255
  for (int i = 0; i < kW * kH; ++i) {
    uint32_t a = colour(i % kW, i / kW), b = ZUL_GetPixel(i % kW, i / kW);
    EXPECT_EQ(b >> 24, 0u);  // loaded pixels read 0x00RRGGBB
    for (int shift : {0, 8, 16}) {
      int d = std::abs(Channel(a, shift) - Channel(b, shift));
      total += d, worst = std::max(worst, d);
    }
  }
  ZUL_DestroyImage(2), ZUL_SelectImage(1);
  return {worst, double(total) / (kW * kH * 3)};
}

TEST_F(Images, FilesRoundTripInEveryFormat) {
  MakeImage(1, kW, kH), FillImage(kW, kH, TestColor);
  for (int format : {0, 3, 4}) EXPECT_EQ(RoundTrip(format, TestColor).first, 0) << format;
  auto smooth = [](int x, int y) { return uint32_t(x * 255 / kW << 16 | y * 255 / kH << 8 | 96); };
  FillImage(kW, kH, smooth);
  auto [jpeg_worst, jpeg_mean] = RoundTrip(1, smooth);
  auto [gif_worst, gif_mean] = RoundTrip(2, smooth);  // GIF: 256 colours at most
  EXPECT_TRUE(jpeg_worst <= 24 && jpeg_mean <= 3.0 && gif_worst <= 96 && gif_mean <= 24.0)
      << jpeg_worst << " " << jpeg_mean << " " << gif_worst << " " << gif_mean;
}

TEST_F(Images, FilesSavedWiderAndLoadedAtOffsets) {
  MakeImage(1, 20, 10), FillImage(20, 10, TestColor);
  ASSERT_EQ(ZUL_SaveImageFile(30, 12, 3, "surf_wide"), 0);  // beyond the surface: black
  MakeImage(2, 40, 30), FillColor(40, 30, 0x111111);
  ASSERT_EQ(ZUL_LoadImageFile("surf_wide.png", 5, 8), 0);
  Values loaded = ValuesOf(2);
  for (int i = 0; i < 40 * 30; ++i) {
    int sx = i % 40 - 5, sy = i / 40 - 8;
    uint32_t expected = sx < 0 || sy < 0 || sx >= 30 || sy >= 12 ? 0x111111u
                        : sx < 20 && sy < 10                     ? TestColor(sx, sy)
                                                                 : 0u;
    ASSERT_EQ(loaded[i], expected) << i % 40 << "," << i / 40;
  }
  ASSERT_EQ(ZUL_LoadImageFile("surf_wide.png", -3, -2), 0);  // negative offsets clip
  EXPECT_EQ(ZUL_GetPixel(0, 0), TestColor(3, 2));
}

TEST_F(Images, FilePalettesReplaceTheirEntriesAndNeverOverrun) {
  std::vector<RGBQUAD> four = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {0, 255, 255, 0}};
  auto diagonal = [](int x, int y) { return static_cast<uint32_t>((x + y) % 4); };
  ASSERT_TRUE(WriteBytesToFile(L"surf_four.bmp", BmpBytes(9, 5, 8, diagonal, four)));
  MakeImage(1, 16, 8, 8);
  ASSERT_EQ(ZUL_LoadImageFile("surf_four.bmp", 0, 0), 0);
  EXPECT_EQ(PaletteOf(1).substr(0, 20),  // red, green, blue, yellow; then the grey ramp stays
            std::string("\0\0\xFF\0\0\xFF\0\0\xFF\0\0\0\0\xFF\xFF\0\4\4\4\0", 20));
  for (int i = 0; i < 45; ++i) EXPECT_EQ(ZUL_GetPixel(i % 9, i / 9), diagonal(i % 9, i / 9));
  ASSERT_TRUE(
      WriteBytesToFile(L"surf_300.bmp", BmpBytes(9, 5, 8, diagonal, std::vector<RGBQUAD>(300))));
  ASSERT_EQ(ZUL_SelectImage(1), 0);
  int code = ZUL_LoadImageFile("surf_300.bmp", 0, 0);  // the decoder may refuse it
  EXPECT_TRUE(code == 0 || code == 1) << code;
  RGBQUAD now[257];
  now[256] = RGBQUAD{1, 2, 3, 4};
  ASSERT_EQ(ZUL_GetPalette(now), 0);
  EXPECT_EQ(now[256].rgbRed, 3);
}

TEST_F(Images, BadFilesAndNamesGiveTheirCodes) {
  MakeImage(1, kW, kH), FillImage(kW, kH, TestColor);
  ASSERT_EQ(ZUL_SaveImageFile(kW, kH, 3, "surf_good"), 0);
  WriteBytesToFile(L"surf_truncated.png", ReadFileBytes(L"surf_good.png").substr(0, 100));
  WriteBytesToFile(L"surf_noise.bin", std::string(5000, '\x5A'));
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  std::string long_name(5000, 'a');
  for (const char* name :
       {"surf_missing.png", "surf_truncated.png", "surf_noise.bin", "", "no_such_dir\\x.png",
        long_name.c_str(), static_cast<const char*>(nullptr)}) {
    EXPECT_EQ(ZUL_LoadImageFile(name, 0, 0), 1) << (name ? name : "null");
    EXPECT_EQ(SurfaceBytesOf(1), before);
  }
  // Width, height, format, result; the byte count of the last overflows.
  const int saves[][4] = {
      {0, 8, 3, 2}, {-8, 8, 3, 2}, {8, 8, 5, 1}, {8, 8, -1, 1}, {100000, 100000, 3, 1}};
  for (auto [w, h, f, code] : saves) EXPECT_EQ(ZUL_SaveImageFile(w, h, f, "surf_c"), code) << w;
  for (const char* name : {"no_such_dir\\c", long_name.c_str()})
    EXPECT_EQ(ZUL_SaveImageFile(8, 8, 3, name), 1);
  // Names get the format's extension unless they end in it (any case).
  for (auto [format, name, file] : {std::tuple{3, "surf_o", L"surf_o.png"},
                                    {3, "SURF_O2.PNG", L"SURF_O2.PNG"},
                                    {1, "surf_p.jpeg", L"surf_p.jpeg.jpg"}}) {
    ASSERT_EQ(ZUL_SaveImageFile(8, 8, format, name), 0);
    EXPECT_FALSE(ReadFileBytes(file).empty()) << name;
  }
  wchar_t path[kPathChars];
  wcscpy(path, std::wstring(kPathChars - 3, L'p').c_str());  // a path that fills the buffer is cut
  AppendExtension(path, L".png");
  EXPECT_EQ(std::wcslen(path), static_cast<size_t>(kPathChars - 1));
  ASSERT_EQ(ZUL_DestroyImage(1), 0);
  EXPECT_EQ(ZUL_LoadImageFile("surf_good.png", 0, 0), 2);
  EXPECT_EQ(ZUL_SaveImageFile(8, 8, 3, "surf_c"), 3);
}

uint32_t next_random = 12345;
BYTE Random() {
  return static_cast<BYTE>((next_random = next_random * 1103515245u + 12345u) >> 16);
}

// The nearest entry by trying every entry in order.
int NearestByHand(const std::vector<RGBQUAD>& table, uint32_t c) {
  int best = 0;
  long best_d = 1L << 30;
  for (int i = 0; i < 256; ++i) {
    long dr = table[i].rgbRed - long(c >> 16 & 0xFF), dg = table[i].rgbGreen - long(c >> 8 & 0xFF);
    long db = table[i].rgbBlue - long(c & 0xFF), d = dr * dr + dg * dg + db * db;
    if (d < best_d) best = i, best_d = d;
  }
  return best;
}

// Opens 8-bit window `number` with `table` and loads `file` at (x, y) into it.
const ImageSurface& LoadInto8Bit(int number, int w, int h, const std::vector<RGBQUAD>& table,
                                 const char* file, int x = 0, int y = 0) {
  MakeImage(number, w, h, 8), ZUL_SetPalette(table.data(), int(table.size()));
  EXPECT_EQ(ZUL_LoadImageFile(file, x, y), 0) << file;
  return image_surfaces[number];
}

// Loading into 8-bit windows: every pixel becomes the nearest colour table entry (the lowest
// index of equally near ones); saved 8-bit windows come back index for index.
TEST_F(Images, Saved8BitWindowsComeBackIndexForIndex) {
  auto grey = MakePalette([](int i) { return RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0}; });
  auto mixed = MakePalette([](int i) { return RGBQUAD{BYTE(i), Random(), Random(), 0}; });
  const int w = 37, h = 9;  // rows need padding; the mixed table's blue is the index
  auto value = [](int x, int y) { return uint32_t(x * 20 + y * 37) & 0xFF; };
  Values expected;
  for (int i = 0; i < w * h; ++i) expected.push_back(value(i % w, i / w));
  for (const auto* table : {&grey, &mixed})
    for (auto [format, file] :
         {std::pair{0, "exact8_trip.bmp"}, {3, "exact8_trip.png"}, {4, "exact8_trip.tif"}}) {
      DestroyAllImages(), MakeImage(1, w, h, 8);
      ZUL_SetPalette(table->data(), 256), FillImage(w, h, value);
      ASSERT_EQ(ZUL_SaveImageFile(w, h, format, file), 0);
      LoadInto8Bit(2, w, h, format == 0 ? grey : *table, file);  // a BMP brings its own table
      EXPECT_EQ(ValuesOf(2), expected) << file;
      EXPECT_EQ(PaletteOf(2), PaletteOf(1)) << file;
    }
}

TEST_F(Images, LoadingInto8BitsTakesTheNearestEntryLowestIndexOnTies) {
  const int w = 64, h = 40;  // row 0 a grey ramp, row 1 hand-picked colours, random ones below
  std::vector<uint32_t> picture(w * h);
  for (auto& c : picture) c = uint32_t(Random()) << 16 | uint32_t(Random()) << 8 | Random();
  for (int x = 0; x < w; ++x) picture[x] = static_cast<uint32_t>(x * 4) * 0x010101u;
  const uint32_t hand_picked[] = {0x3C0000, 0x323200, 0xFFFAFF, 0x000000};
  for (int i = 0; i < 4; ++i) picture[w + i] = hand_picked[i];
  WriteBytesToFile(L"exact8_in.bmp",
                   Bmp24Bytes(w, h, [&](int x, int y) { return picture[y * w + x]; }));
  const ImageSurface& grey = LoadInto8Bit(1, w, h, {}, "exact8_in.bmp");  // grey g is entry g
  for (int x = 0; x < w; ++x) EXPECT_EQ(grey.base[x], x * 4) << x;
  // Black, dark red, dark green, dark red again, then white: 0x323200 is 5000 from 0, 1 and 2.
  std::vector<RGBQUAD> table(256, RGBQUAD{255, 255, 255, 0});
  table[0] = {0, 0, 0, 0}, table[1] = table[3] = {0, 0, 100, 0}, table[2] = {0, 100, 0, 0};
  const ImageSurface& ties = LoadInto8Bit(2, w, h, table, "exact8_in.bmp");
  EXPECT_EQ(Values(ties.base + ties.stride, ties.base + ties.stride + 4), (Values{1, 0, 4, 0}));
  // A random table, loaded at (-3, 5) into a smaller window: clipped, shifted, rows above kept.
  for (auto& q : table) q = RGBQUAD{Random(), Random(), Random(), 0};
  LoadInto8Bit(3, 50, 30, table, "exact8_in.bmp", -3, 5);
  Values loaded = ValuesOf(3);
  for (int i = 0; i < 50 * 30; ++i)
    ASSERT_EQ(loaded[i], i < 250 ? 0 : NearestByHand(table, picture[(i / 50 - 5) * w + i % 50 + 3]))
        << i;
}

}  // namespace
