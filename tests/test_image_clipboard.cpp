// Pictures through the clipboard: the exported block, copy and paste between
// windows, cut, pasted colour tables and alpha, and the commands that wait
// for the mouse (menu Paste, Clipping).
#include <cstring>
#include <thread>

#include "point_tools_test_util.h"

namespace {

using ImageClipboard = ImageWindowTest;
using ClipboardTools = PointToolTest;

std::string ClipboardDib() {
  std::string bytes;
  if (!OpenClipboard(nullptr)) return bytes;
  HANDLE data = GetClipboardData(CF_DIB);
  if (const char* block = data ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
    bytes.assign(block, GlobalSize(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return bytes;
}

void PutClipboardDib(const std::string& bytes) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  SetClipboardData(CF_DIB, block);
  CloseClipboard();
}

// A bottom-up DIB block: header, colour table, rows.
std::string DibBlock(int width, int height, int bit_count, const std::vector<uint32_t>& table,
                     const std::string& rows) {
  BITMAPINFOHEADER h = {};
  h.biSize = 40, h.biWidth = width, h.biHeight = height, h.biPlanes = 1;
  h.biBitCount = WORD(bit_count);
  return std::string(reinterpret_cast<char*>(&h), 40) +
         std::string(reinterpret_cast<const char*>(table.data()), table.size() * 4) + rows;
}

uint32_t At(int n, int x, int y) {
  GdiFlush();
  const ImageSurface& s = image_surfaces[n];
  return s.bits == 32 ? reinterpret_cast<uint32_t*>(s.base + y * s.stride)[x] : s.base[y * s.stride + x];
}

std::vector<RGBQUAD> PaletteOf(int n) {
  std::vector<RGBQUAD> colors(256);
  GetDIBColorTable(image_windows[n].memory_dc, 0, 256, colors.data());
  return colors;
}

void SetScrambledPalette() {
  RGBQUAD colors[256];
  for (int i = 0; i < 256; ++i) colors[i] = RGBQUAD{BYTE(i * 73 + 5), BYTE(i * 151), BYTE(255 - i), 0};
  ZUL_SetPalette(colors, 256);
}

TEST_F(ImageClipboard, CopyExportsBottomUpDibOfTheSpecifiedSize) {
  MakeImage(1, 3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) ZUL_PlotPixel(x, y, 0x102030u * (1 + x + 3 * y));
  SendCommand(1, kIwCopy);
  std::string dib = ClipboardDib();
  ASSERT_GE(dib.size(), 64u);
  BITMAPINFOHEADER h;
  std::memcpy(&h, dib.data(), 40);
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 3);
  EXPECT_EQ(h.biHeight, 2);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biCompression | h.biSizeImage | h.biClrUsed, 0u);
  // First row stored = bottom row (y = 1): 0x4080C0, 0x50A0F0, 0x60C120 as B, G, R.
  const unsigned char first_row[12] = {0xC0, 0x80, 0x40, 0xF0, 0xA0, 0x50, 0x20, 0xC1, 0x60, 0, 0, 0};
  EXPECT_EQ(dib.substr(40, 12), std::string(reinterpret_cast<const char*>(first_row), 12));

  MakeImage(2, 5, 1, 8);
  SetScrambledPalette();
  for (int x = 0; x < 5; ++x) ZUL_PlotPixel(x, 0, 250 - 3 * x);
  SendCommand(2, kIwCopy);
  dib = ClipboardDib();
  ASSERT_GE(dib.size(), 1072u);
  std::memcpy(&h, dib.data(), 40);
  EXPECT_EQ(h.biBitCount, 8);
  EXPECT_EQ(std::memcmp(dib.data() + 40, PaletteOf(2).data(), 1024), 0);
  EXPECT_EQ(dib.substr(1064, 8), std::string("\xFA\xF7\xF4\xF1\xEE\0\0\0", 8));
}

TEST_F(ImageClipboard, CopyThenPasteBetweenWindowsIsExact) {
  for (int bits : {32, 8}) {
    SCOPED_TRACE(bits);
    DestroyAllImages();
    MakeImage(0, 40, 30, bits);
    if (bits == 8) SetScrambledPalette();
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) ZUL_PlotPixel(x, y, bits == 8 ? (x * 7 + y * 40) & 0xFF : TestColor(x, y));
    MakeImage(1, 64, 48, bits);
    FillColor(64, 48, 0x0000F0);
    MakeImage(2, 10, 10);  // current throughout
    SendControlKey(0, 'C');
    SendControlKey(1, 'V');
    PumpFor(50);
    EXPECT_EQ(current_image, 2);
    EXPECT_TRUE(bits != 8 || std::memcmp(PaletteOf(1).data(), PaletteOf(0).data(), 1024) == 0);
    int wrong = 0;
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) wrong += At(1, x, y) != (x < 40 && y < 30 ? At(0, x, y) : 0xF0u);
    EXPECT_EQ(wrong, 0);
  }
}

TEST_F(ImageClipboard, CutClearsOnlyWhenTheCopyReachedTheClipboard) {
  MakeImage(0, 6, 4);
  FillTestPicture(6, 4);
  std::vector<uint8_t> picture = SurfaceBytesOf(0);
  // Another thread holds the clipboard open: the cut must keep the picture.
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr), release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    OpenClipboard(owner);
    SetEvent(opened);
    WaitForSingleObject(release, 10000);
    CloseClipboard();
    DestroyWindow(owner);
  });
  WaitForSingleObject(opened, 10000);
  SendCommand(0, kIwCut);
  SetEvent(release);
  holder.join();
  EXPECT_EQ(SurfaceBytesOf(0), picture);
  SendCommand(0, kIwCut);
  EXPECT_EQ(SurfaceBytesOf(0), std::vector<uint8_t>(picture.size(), 0));
  EXPECT_EQ(ClipboardDib().size() >= 40 + 18 * 4, true);
}

TEST_F(ImageClipboard, PastedColourTablesAndAlpha) {
  // A 2-colour 4 x 2 picture replaces entries 0 and 1 only.
  MakeImage(0, 8, 8, 8);
  std::vector<RGBQUAD> before = PaletteOf(0);
  PutClipboardDib(DibBlock(4, 2, 1, {0x00112233, 0x00445566}, std::string("\x50\0\0\0\xA0\0\0\0", 8)));
  SendCommand(0, kIwPasteTopLeft);
  std::vector<RGBQUAD> after = PaletteOf(0);
  EXPECT_EQ(after[0].rgbRed, 0x11);
  EXPECT_EQ(after[1].rgbBlue, 0x66);
  EXPECT_EQ(std::memcmp(after.data() + 2, before.data() + 2, 254 * 4), 0);
  EXPECT_EQ(At(0, 0, 0), 1u);  // top row = last stored row 0xA0: 1 0 1 0
  EXPECT_EQ(At(0, 1, 1), 1u);  // bottom row 0x50: 0 1 0 1
  // A 32-bit picture with alpha: the surface keeps 0x00RRGGBB, and a fill on it ends.
  MakeImage(1, 2, 2);
  PutClipboardDib(DibBlock(2, 2, 32, {}, std::string(16, '\xFF')));
  SendCommand(1, kIwPasteTopLeft);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(At(1, i % 2, i / 2), 0xFFFFFFu);
  draw_color = 0x000080;
  ZUL_FloodFill(0, 0);
  EXPECT_EQ(At(1, 1, 1), 0x80u);
}

TEST_F(ClipboardTools, MenuPastePlacesThePictureCentredOnTheClick) {
  MakeImage(0, 11, 7);
  FillTestPicture(11, 7);
  ZUL_CopyImage(0);
  MakeImage(1, 200, 80);
  struct Case {
    int click_x, click_y;
  } cases[] = {{30, 20}, {2, 2}};
  for (const Case& c : cases) {
    FillColor(200, 80, 0);
    PlayTool({Move(1, c.click_x, c.click_y), Click(1, c.click_x, c.click_y)},
             [] { SendCommand(1, kIwPaste); return 0; });
    int left = c.click_x - 5, top = c.click_y - 3, wrong = 0;
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 200; ++x) {
        bool inside = x >= left && x < left + 11 && y >= top && y < top + 7;
        wrong += At(1, x, y) != (inside ? TestColor(x - left, y - top) : 0u);
      }
    EXPECT_EQ(wrong, 0) << c.click_x;
    EXPECT_EQ(current_image, 1);
  }
  FillColor(200, 80, 0);
  PlayTool({RightClick(1)}, [] { SendCommand(1, kIwPaste); return 0; });
  EXPECT_EQ(SurfaceBytesOf(1), std::vector<uint8_t>(200 * 80 * 4, 0));
}

TEST_F(ClipboardTools, ClippingMakesAWindowOfTheBox) {
  for (int bits : {32, 8}) {
    SCOPED_TRACE(bits);
    DestroyAllImages();
    MakeImage(1, 200, 100, bits);
    if (bits == 8) SetScrambledPalette();
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 200; ++x) ZUL_PlotPixel(x, y, bits == 8 ? (x + 3 * y) & 0xFF : TestColor(x, y));
    PlayTool({Click(1, 6, 5), Click(1, 2, 3)}, [] { SendCommand(1, kIwClipping); return 0; });
    ASSERT_TRUE(image_windows[0].in_use);
    EXPECT_EQ(current_image, 0);
    EXPECT_EQ(image_windows[0].bits, bits);
    ZoomFit fit = FitZoom(ReadScreenMetrics(), 5, 3, 100);
    EXPECT_EQ(CaptionOf(0), "(2,3)-(6,5)(" + std::to_string(fit.zoom) + "%)" + (bits == 8 ? "[8bit]" : ""));
    RECT r;
    GetWindowRect(image_windows[0].window, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    ASSERT_EQ(image_windows[0].width, 5);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(At(0, x, y), At(1, x + 2, y + 3));
    EXPECT_TRUE(bits != 8 || std::memcmp(PaletteOf(0).data(), PaletteOf(1).data(), 1024) == 0);
  }
  // Cancelled, or the source closed and Stop chosen during the wait: no new window.
  DestroyAllImages();
  MakeImage(1, 200, 100);
  PlayTool({RightClick(1)}, [] { SendCommand(1, kIwClipping); return 0; });
  EXPECT_FALSE(image_windows[0].in_use);
  PlayTool({Click(1, 2, 2), [] { PostMessageW(image_windows[1].window, WM_CLOSE, 0, 0); },
            [] { stop_requested = 1; }},
           [] { SendCommand(1, kIwClipping); return 0; });
  stop_requested = 0;
  EXPECT_EQ(CountImageFrames(), 0);
}

}  // namespace
