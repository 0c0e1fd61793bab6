// Image windows: the zoom-fitting rule, creation and its codes, the surface
// layout, destruction, the current window and its history, palettes, blocks,
// clipboard pictures and pasting.
#include <cstring>
#include <cwchar>

#include "surfaces_test_util.h"

namespace {

// Screen metrics of the worked examples.
constexpr ScreenMetrics kExampleScreen = {1280, 1004, 106, 5};

struct ExpectedFit {
  int zoom, view_width, view_height;
};

void ExpectFit(int w, int h, int z, ExpectedFit expected) {
  ZoomFit fit = FitZoom(kExampleScreen, w, h, z);
  EXPECT_EQ(fit.code, 0) << w << "x" << h << "@" << z;
  EXPECT_EQ(fit.zoom, expected.zoom) << w << "x" << h << "@" << z;
  EXPECT_EQ(fit.view_width, expected.view_width) << w << "x" << h << "@" << z;
  EXPECT_EQ(fit.view_height, expected.view_height) << w << "x" << h << "@" << z;
}

RECT ClientRectOf(int number) {
  RECT client = {};
  GetClientRect(image_windows[number].window, &client);
  return client;
}

std::string CaptionOf(int number) {
  char caption[kCaptionBytes];
  GetWindowTextAnsi(image_windows[number].window, caption, kCaptionBytes);
  return caption;
}

// A packed CF_DIB block: 40-byte header, `table` colour entries, pixel bytes.
std::string DibBlock(int width, int height, int bit_count, int colours_used,
                     const std::vector<RGBQUAD>& table, const std::string& pixel_bytes) {
  BITMAPINFOHEADER h = {};
  h.biSize = sizeof h;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(bit_count);
  h.biCompression = BI_RGB;
  h.biClrUsed = static_cast<DWORD>(colours_used);
  std::string block(reinterpret_cast<const char*>(&h), sizeof h);
  block.append(reinterpret_cast<const char*>(table.data()), table.size() * sizeof(RGBQUAD));
  block += pixel_bytes;
  return block;
}

// Puts `block` on the clipboard as CF_DIB, owned by `owner`.
void PutDibOnClipboard(HWND owner, const std::string& block) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, block.size());
  std::memcpy(GlobalLock(memory), block.data(), block.size());
  GlobalUnlock(memory);
  SetClipboardData(CF_DIB, memory);
  CloseClipboard();
}

}  // namespace

// ---- zoom fitting --------------------------------------------------------------

TEST(ZoomFitting, WorkedExamples) {
  ExpectFit(640, 480, 100, {100, 640, 480});
  ExpectFit(3000, 1000, 100, {42, 1260, 420});  // truncated, never rounded up
  ExpectFit(50, 50, 100, {212, 106, 106});      // enlarged to the smallest window
}

TEST(ZoomFitting, KeepsZoomThatFitsAndShrinksOneThatDoesNot) {
  ExpectFit(300, 200, 200, {200, 600, 400});
  ExpectFit(300, 200, 50, {50, 150, 100});
  ExpectFit(2560, 100, 100, {50, 1280, 50});  // twice the screen width
  ExpectFit(1000, 2008, 100, {50, 500, 1004});
}

TEST(ZoomFitting, ZeroOrNegativeSizesBecomeOnePixel) {
  for (int bad : {0, -1, -500}) {
    ZoomFit fit = FitZoom(kExampleScreen, bad, bad, 100);
    EXPECT_EQ(fit.code, 0);
    EXPECT_EQ(fit.width, 1);
    EXPECT_EQ(fit.height, 1);
    EXPECT_EQ(fit.zoom, 10600);
    EXPECT_EQ(fit.view_width, 106);
    EXPECT_EQ(fit.view_height, 106);
  }
  ZoomFit fit = FitZoom(kExampleScreen, 200, 0, 100);
  EXPECT_EQ(fit.height, 1);
  EXPECT_EQ(fit.zoom, 500);  // the 1-pixel height needs 5 rows
  EXPECT_EQ(fit.view_width, 1000);
  EXPECT_EQ(fit.view_height, 5);
}

TEST(ZoomFitting, ZeroOrNegativeZoomIsEnlarged) {
  ExpectFit(200, 100, 0, {53, 106, 53});
  ExpectFit(200, 100, -40, {53, 106, 53});
}

TEST(ZoomFitting, MinimumWindowThatDoesNotFitGivesCode2) {
  EXPECT_EQ(FitZoom(kExampleScreen, 1, 100000, 100).code, 2);
  EXPECT_EQ(FitZoom(kExampleScreen, 2147483647, 1, 100).code, 2);
  // Huge sizes do not overflow: the fit is computed, the surface is another matter.
  ZoomFit fit = FitZoom(kExampleScreen, 100000, 100000, 100);
  EXPECT_EQ(fit.code, 0);
  EXPECT_EQ(fit.zoom, 1);
  EXPECT_EQ(fit.view_width, 1000);
}

// ---- creation ------------------------------------------------------------------

class ImageCreate : public ImageWindowTest {};

TEST_F(ImageCreate, ClientAreaIsTheViewSize) {
  MakeImage(0, 640, 480);
  const ImageWindow& slot = image_windows[0];
  EXPECT_EQ(slot.zoom, 100);
  EXPECT_EQ(slot.view_width, 640);
  EXPECT_EQ(slot.view_height, 480);
  RECT client = ClientRectOf(0);
  EXPECT_EQ(client.right, 640);
  EXPECT_EQ(client.bottom, 480);
  EXPECT_EQ(CaptionOf(0), "test(100%)");
}

TEST_F(ImageCreate, WiderThanTheScreenIsShrunkToAWholePercentage) {
  ScreenMetrics m = ReadScreenMetrics();
  int w = m.screen_width * 3 + 7, h = 40;
  ASSERT_EQ(ZUL_CreateImage(3, "003", 0, 0, w, h, 100), 0);
  const ImageWindow& slot = image_windows[3];
  int expected_zoom = static_cast<int>(static_cast<double>(m.screen_width) * 100.0 / w);
  EXPECT_EQ(slot.zoom, expected_zoom);
  EXPECT_LE(slot.view_width, m.screen_width);
  EXPECT_EQ(slot.view_width, w * expected_zoom / 100);
  RECT client = ClientRectOf(3);
  EXPECT_EQ(client.right, slot.view_width);
  EXPECT_EQ(client.bottom, slot.view_height);
  char expected_caption[64];
  snprintf(expected_caption, sizeof expected_caption, "003(%d%%)", expected_zoom);
  EXPECT_EQ(CaptionOf(3), expected_caption);
}

TEST_F(ImageCreate, TinyPictureIsEnlargedToTheSmallestWindow) {
  ScreenMetrics m = ReadScreenMetrics();
  ASSERT_EQ(ZUL_CreateImage8(4, "tiny", 0, 0, 0, -3, 100), 0);
  const ImageWindow& slot = image_windows[4];
  EXPECT_EQ(slot.width, 1);
  EXPECT_EQ(slot.height, 1);
  EXPECT_GE(slot.view_width, m.min_width);
  EXPECT_GE(slot.view_height, m.min_height);
  RECT client = ClientRectOf(4);
  EXPECT_EQ(client.right, slot.view_width);
  EXPECT_EQ(client.bottom, slot.view_height);
  char expected_caption[64];
  snprintf(expected_caption, sizeof expected_caption, "tiny(%d%%)[8bit]", slot.zoom);
  EXPECT_EQ(CaptionOf(4), expected_caption);
}

TEST_F(ImageCreate, Codes) {
  EXPECT_EQ(ZUL_CreateImage(256, "x", 0, 0, 10, 10, 100), 4);
  EXPECT_EQ(ZUL_CreateImage(-1, "x", 0, 0, 10, 10, 100), 4);
  EXPECT_EQ(CreateImageWindow(7, "x", 0, 0, 10, 10, 100, 16), 3);
  EXPECT_FALSE(image_windows[7].in_use);
  EXPECT_EQ(ZUL_CreateImage(8, "x", 0, 0, 1, 1000000, 100), 2);
  EXPECT_FALSE(image_windows[8].in_use);

  MakeImage(5, 300, 200);
  HWND window = image_windows[5].window;
  ZUL_SetPixel(1, 1, 0x123456);
  EXPECT_EQ(ZUL_CreateImage8(5, "other", 0, 0, 30, 30, 100), 1);
  EXPECT_EQ(image_windows[5].window, window);
  EXPECT_EQ(image_windows[5].bits, 32);
  EXPECT_EQ(image_windows[5].width, 300);
  EXPECT_EQ(CaptionOf(5), "test(100%)");
  EXPECT_EQ(ZUL_GetPixel(1, 1), 0x123456u);
}

TEST_F(ImageCreate, SurfaceThatCannotBeMadeLeavesNothingBehind) {
  int frames = CountImageFrames();
  // Over the 2 GB byte count, and just under it (too large for the address space).
  EXPECT_EQ(ZUL_CreateImage(9, "huge", 0, 0, 40000, 40000, 100), 3);
  EXPECT_EQ(ZUL_CreateImage(9, "huge", 0, 0, 25000, 20000, 100), 3);
  EXPECT_EQ(ZUL_CreateImage8(9, "huge", 0, 0, 70000, 70000, 100), 3);
  EXPECT_FALSE(image_windows[9].in_use);
  EXPECT_EQ(image_windows[9].window, nullptr);
  EXPECT_EQ(image_windows[9].memory_dc, nullptr);
  EXPECT_EQ(image_surfaces[9].width, 0u);
  EXPECT_EQ(CountImageFrames(), frames);
  MakeImage(9, 16, 16);  // the slot is still usable
}

TEST_F(ImageCreate, NewWindowBecomesCurrentAndDefaultPositionWorks) {
  MakeImage(2, 10, 10);
  ASSERT_EQ(ZUL_CreateImage(6, "six", -1, -1, 10, 10, 100), 0);
  EXPECT_EQ(current_image, 6);
  EXPECT_EQ(ImageHistoryEntry(0), 2);
  EXPECT_TRUE(IsWindowVisible(image_windows[6].window));
}

TEST_F(ImageCreate, CaptionShowsZoomDepthAndSmoothing) {
  char caption[kCaptionBytes];
  FormatImageCaption("003", 50, 32, false, caption);
  EXPECT_STREQ(caption, "003(50%)");
  FormatImageCaption("003", 50, 8, false, caption);
  EXPECT_STREQ(caption, "003(50%)[8bit]");
  FormatImageCaption("003", 50, 8, true, caption);
  EXPECT_STREQ(caption, "003(50%)[8bit]*");
  FormatImageCaption("100%s%d", 100, 32, false, caption);  // the title is text, not a format
  EXPECT_STREQ(caption, "100%s%d(100%)");
  std::string longer(1000, 't');
  FormatImageCaption(longer.c_str(), 100, 32, false, caption);
  EXPECT_EQ(std::strlen(caption), static_cast<size_t>(kCaptionBytes - 1));

  MakeImage(1, 300, 200);
  SetStretchBltMode(image_windows[1].memory_dc, HALFTONE);
  UpdateImageTitle(1);
  EXPECT_EQ(CaptionOf(1), "test(100%)*");
  SetStretchBltMode(image_windows[1].memory_dc, COLORONCOLOR);
  UpdateImageTitle(1);
  EXPECT_EQ(CaptionOf(1), "test(100%)");
  ASSERT_EQ(ZUL_CreateImage(2, longer.c_str(), 0, 0, 300, 200, 100), 0);
  EXPECT_STREQ(image_windows[2].title, longer.c_str());  // the slot keeps the whole title
}

// ---- surfaces ------------------------------------------------------------------

class Surfaces : public ImageWindowTest {};

TEST_F(Surfaces, EightBitRowsArePaddedToFourBytes) {
  MakeImage(1, 5, 3, 8);
  EXPECT_EQ(image_surfaces[1].stride, 8u);
  ZUL_SetPixel(0, 1, 0x77);
  EXPECT_EQ(pixels8[1][8], 0x77);
  MakeImage(2, 10, 3, 8);
  EXPECT_EQ(image_surfaces[2].stride, 12u);
  ZUL_SetPixel(3, 2, 0x99);
  EXPECT_EQ(pixels8[2][2 * 12 + 3], 0x99);
  MakeImage(3, 10, 3, 32);
  EXPECT_EQ(image_surfaces[3].stride, 40u);
  ZUL_SetPixel(3, 2, 0xABCDEF);
  EXPECT_EQ(pixels[3][2 * 10 + 3], 0xABCDEFu);
  EXPECT_EQ(reinterpret_cast<uint8_t*>(pixels[3]), pixels8[3]);
}

TEST_F(Surfaces, NewSurfaceIsZeroAndHasTheGreyPalette) {
  MakeImage(1, 33, 17, 8);
  for (uint8_t byte : SurfaceBytesOf(1)) ASSERT_EQ(byte, 0);
  RGBQUAD table[256];
  ASSERT_EQ(ZUL_GetPalette(table), 0);
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(table[i].rgbRed, i);
    EXPECT_EQ(table[i].rgbGreen, i);
    EXPECT_EQ(table[i].rgbBlue, i);
    EXPECT_EQ(table[i].rgbReserved, 0);
  }
  MakeImage(2, 33, 17, 32);
  for (uint8_t byte : SurfaceBytesOf(2)) ASSERT_EQ(byte, 0);
}

TEST_F(Surfaces, RedrawShowsTheSurfaceInTheWindow) {
  MakeImage(1, 200, 100);  // wide enough to be shown at 100%
  FillColor(200, 100, 0xFF0000);
  ZUL_SetPixel(10, 5, 0x0000FF);
  EXPECT_EQ(ZUL_RedrawImage(1), 0);
  GdiFlush();
  EXPECT_EQ(GetPixel(image_windows[1].window_dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(image_windows[1].window_dc, 10, 5), RGB(0, 0, 255));

  MakeImage(2, 200, 100, 8);
  RGBQUAD green = {0, 255, 0, 0};
  ASSERT_EQ(ZUL_SetPalette(&green, 1), 0);  // entry 0 becomes green
  ZUL_SetPixel(3, 3, 200);
  EXPECT_EQ(ZUL_RedrawImage(2), 0);
  GdiFlush();
  EXPECT_EQ(GetPixel(image_windows[2].window_dc, 0, 0), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(image_windows[2].window_dc, 3, 3), RGB(200, 200, 200));
  EXPECT_EQ(ZUL_RedrawImage(3), 1);
  EXPECT_EQ(ZUL_RedrawImage(256), 1);
}

TEST_F(Surfaces, DestroyFreesTheSlotAndKeepsTheCurrentNumber) {
  MakeImage(4, 20, 20);
  MakeImage(5, 20, 20);
  HWND window = image_windows[5].window;
  EXPECT_EQ(ZUL_DestroyImage(5), 0);
  EXPECT_FALSE(image_windows[5].in_use);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(current_image, 5);
  EXPECT_EQ(ImageHistoryEntry(0), 4);
  EXPECT_EQ(ZUL_DestroyImage(5), 1);
  EXPECT_EQ(ZUL_DestroyImage(-1), 1);
  EXPECT_EQ(ZUL_DestroyImage(256), 1);
  // Pixel calls on the freed current slot touch nothing.
  ZUL_SetPixel(1, 1, 0xFFFFFF);
  EXPECT_EQ(ZUL_GetPixel(1, 1), 0u);
  EXPECT_EQ(ZUL_ProbePixel(1, 1), kProbeOutside);
  ZUL_ClearImage(5);
  uint32_t row[4] = {9, 9, 9, 9};
  ZUL_ReadRow(row, 0, 4);
  EXPECT_EQ(row[0], 9u);
}

// ---- current window and history ---------------------------------------------------

class ImageHistory : public ImageWindowTest {};

TEST_F(ImageHistory, SelectThenRestore) {
  MakeImage(1, 10, 10);
  MakeImage(5, 10, 10);
  ASSERT_EQ(ZUL_SelectImage(1), 0);
  ASSERT_EQ(ZUL_SelectImage(5), 0);
  EXPECT_EQ(current_image, 5);
  EXPECT_EQ(ZUL_RestoreImage(), 0);
  EXPECT_EQ(current_image, 1);
  // Selecting a free or bad number changes nothing.
  int32_t before[kImageHistory];
  for (int i = 0; i < kImageHistory; ++i) before[i] = ImageHistoryEntry(i);
  EXPECT_EQ(ZUL_SelectImage(7), 1);
  EXPECT_EQ(ZUL_SelectImage(256), 1);
  EXPECT_EQ(ZUL_SelectImage(-3), 1);
  EXPECT_EQ(current_image, 1);
  for (int i = 0; i < kImageHistory; ++i) EXPECT_EQ(ImageHistoryEntry(i), before[i]);
  // Selecting the current window still pushes it.
  ASSERT_EQ(ZUL_SelectImage(1), 0);
  EXPECT_EQ(ImageHistoryEntry(0), 1);
}

TEST_F(ImageHistory, NineSelectsNineRestoresLoseTheOldest) {
  for (int n = 0; n <= 9; ++n) MakeImage(n, 10, 10);
  ASSERT_EQ(ZUL_SelectImage(0), 0);
  for (int n = 1; n <= 9; ++n) ASSERT_EQ(ZUL_SelectImage(n), 0);
  const int expected[9] = {8, 7, 6, 5, 4, 3, 2, 1, 1};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(ZUL_RestoreImage(), 0);
    EXPECT_EQ(current_image, expected[i]) << "restore " << i + 1;
  }
}

TEST_F(ImageHistory, RestoreToAFreeSlotChangesNothing) {
  MakeImage(2, 10, 10);
  MakeImage(3, 10, 10);
  ASSERT_EQ(ZUL_SelectImage(2), 0);
  ASSERT_EQ(ZUL_SelectImage(3), 0);
  ASSERT_EQ(ZUL_DestroyImage(2), 0);
  int32_t before[kImageHistory];
  for (int i = 0; i < kImageHistory; ++i) before[i] = ImageHistoryEntry(i);
  EXPECT_EQ(ZUL_RestoreImage(), 1);
  EXPECT_EQ(current_image, 3);
  for (int i = 0; i < kImageHistory; ++i) EXPECT_EQ(ImageHistoryEntry(i), before[i]);
}

// ---- palettes ----------------------------------------------------------------------

class Palettes : public ImageWindowTest {};

TEST_F(Palettes, SetReplacesLeadingEntries) {
  MakeImage(1, 8, 8, 8);
  RGBQUAD entries[3] = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
  EXPECT_EQ(ZUL_SetPalette(entries, 3), 0);
  RGBQUAD table[256];
  ASSERT_EQ(ZUL_GetPalette(table), 0);
  EXPECT_EQ(std::memcmp(table, entries, sizeof entries), 0);
  EXPECT_EQ(table[3].rgbRed, 3);
  EXPECT_EQ(table[255].rgbBlue, 255);
  // Counts beyond the table are clamped.
  RGBQUAD many[300] = {};
  EXPECT_EQ(ZUL_SetPalette(many, 300), 0);
  ASSERT_EQ(ZUL_GetPalette(table), 0);
  EXPECT_EQ(table[255].rgbBlue, 0);
  EXPECT_EQ(ZUL_SetPalette(entries, -5), 0);
}

TEST_F(Palettes, ThirtyTwoBitOrFreeWindowIsRefused) {
  MakeImage(1, 8, 8, 32);
  RGBQUAD table[256];
  std::memset(table, 0xAB, sizeof table);
  EXPECT_EQ(ZUL_GetPalette(table), 2);
  for (const RGBQUAD& q : table) ASSERT_EQ(q.rgbRed, 0xAB);
  EXPECT_EQ(ZUL_SetPalette(table, 4), 2);
  ASSERT_EQ(ZUL_DestroyImage(1), 0);
  EXPECT_EQ(ZUL_GetPalette(table), 1);
  EXPECT_EQ(ZUL_SetPalette(table, 4), 1);
}

// ---- blocks ----------------------------------------------------------------------

class ImageBlocks : public ImageWindowTest {};

TEST_F(ImageBlocks, OutsideIsZeroOnBothDepths) {
  MakeImage(1, 6, 4);
  FillTestPicture(6, 4);
  uint32_t block[5 * 3];
  std::memset(block, 0xEE, sizeof block);
  ASSERT_EQ(CopyImageBlock(block, -2, 2, 5, 3), 0);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 5; ++j) {
      int x = -2 + j, y = 2 + i;
      uint32_t expected = x >= 0 && x < 6 && y < 4 ? TestColor(x, y) : 0;
      EXPECT_EQ(block[i * 5 + j], expected) << x << "," << y;
    }
  }
  MakeImage(2, 10, 3, 8);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 10; ++x) ZUL_SetPixel(x, y, static_cast<uint32_t>(x + 10 * y));
  uint8_t bytes[12 * 4];
  ASSERT_EQ(CopyImageBlock(bytes, 0, 0, 12, 4), 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 12; ++x)
      EXPECT_EQ(bytes[y * 12 + x], x < 10 && y < 3 ? x + 10 * y : 0) << x << "," << y;
}

TEST_F(ImageBlocks, OverflowingSizeIsRefused) {
  MakeImage(1, 6, 4);
  uint32_t block[4] = {7, 7, 7, 7};
  EXPECT_EQ(CopyImageBlock(block, 0, 0, 100000, 100000), 1);
  EXPECT_EQ(CopyImageBlock(block, 0, 0, 65536, 65536), 1);
  EXPECT_EQ(block[0], 7u);
  ASSERT_EQ(ZUL_DestroyImage(1), 0);
  EXPECT_EQ(CopyImageBlock(block, 0, 0, 2, 2), 1);
  EXPECT_EQ(block[0], 7u);
}

// ---- clipboard and paste -------------------------------------------------------------

class ClipboardPictures : public ImageWindowTest {};

TEST_F(ClipboardPictures, PalettedDibIsReadWithItsColours) {
  MakeImage(1, 8, 4);
  std::vector<RGBQUAD> table = {{0, 0, 255, 0}, {255, 0, 0, 0}};  // red, blue
  // 4 x 2 pixels, bottom-up, rows of 4 bytes: bottom row 1 1 1 1, top row 0 1 0 1.
  std::string rows("\x01\x01\x01\x01\x00\x01\x00\x01", 8);
  PutDibOnClipboard(image_windows[1].window, DibBlock(4, 2, 8, 2, table, rows));
  RGBQUAD colours[256];
  int count = -1;
  HBITMAP bitmap = GetClipboardBitmap(colours, &count);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(colours[0].rgbRed, 255);
  EXPECT_EQ(colours[1].rgbBlue, 255);
  PasteBitmapToImage(bitmap);
  EXPECT_EQ(ZUL_GetPixel(0, 0), 0xFF0000u);
  EXPECT_EQ(ZUL_GetPixel(1, 0), 0x0000FFu);
  EXPECT_EQ(ZUL_GetPixel(0, 1), 0x0000FFu);
  EXPECT_EQ(ZUL_GetPixel(4, 0), 0u);  // beyond the bitmap: untouched
}

TEST_F(ClipboardPictures, ColourCountIsCappedAt256) {
  MakeImage(1, 8, 4);
  std::vector<RGBQUAD> table(1000, RGBQUAD{10, 20, 30, 0});
  std::string rows(4 * 2, '\x05');
  PutDibOnClipboard(image_windows[1].window, DibBlock(4, 2, 8, 1000, table, rows));
  RGBQUAD colours[257];
  colours[256] = RGBQUAD{1, 1, 1, 1};
  int count = -1;
  HBITMAP bitmap = GetClipboardBitmap(colours, &count);
  EXPECT_EQ(count, 256);
  EXPECT_EQ(colours[255].rgbRed, 30);
  EXPECT_EQ(colours[256].rgbRed, 1);  // never written past 256 entries
  if (bitmap != nullptr) DeleteObject(bitmap);
}

TEST_F(ClipboardPictures, TruncatedOrNonsenseBlockGivesNoBitmap) {
  MakeImage(1, 8, 4);
  // A 1000 x 1000 24-bit header with only a few bytes of pixels.
  PutDibOnClipboard(image_windows[1].window, DibBlock(1000, 1000, 24, 0, {}, std::string(16, 'x')));
  RGBQUAD colours[256];
  int count = -1;
  EXPECT_EQ(GetClipboardBitmap(colours, &count), nullptr);
  EXPECT_EQ(count, 0);
  // A header that claims a colour table the block does not hold.
  PutDibOnClipboard(image_windows[1].window, DibBlock(4, 2, 8, 0, {}, std::string(8, '\0')));
  EXPECT_EQ(GetClipboardBitmap(colours, &count), nullptr);
  // Only part of a header.
  PutDibOnClipboard(image_windows[1].window, std::string(12, '\0'));
  EXPECT_EQ(GetClipboardBitmap(colours, &count), nullptr);
}

TEST_F(ClipboardPictures, BitmapFormatIsCopied) {
  MakeImage(1, 8, 4);
  uint32_t bits[2 * 2] = {0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00};
  HBITMAP source = CreateBitmap(2, 2, 1, 32, bits);
  ASSERT_TRUE(OpenClipboard(image_windows[1].window));
  EmptyClipboard();
  SetClipboardData(CF_BITMAP, source);
  CloseClipboard();
  int count = -1;
  HBITMAP bitmap = GetClipboardBitmap(nullptr, &count);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(count, 0);
  PasteBitmapToImage(bitmap);
  EXPECT_EQ(ZUL_GetPixel(1, 1), 0x00FF00u);
}

TEST_F(ClipboardPictures, PasteIntoEightBitMapsToThePalette) {
  MakeImage(1, 8, 4, 8);
  uint32_t bits[2 * 2] = {0x404040, 0x404040, 0x808080, 0x808080};
  PasteBitmapToImage(CreateBitmap(2, 2, 1, 32, bits));
  // The system's colour matching may land a few grey steps away.
  EXPECT_NEAR(static_cast<int>(ZUL_GetPixel(0, 0)), 0x40, 4);
  EXPECT_NEAR(static_cast<int>(ZUL_GetPixel(1, 1)), 0x80, 4);
  EXPECT_EQ(ZUL_GetPixel(2, 0), 0u);
  // Pasting with no live current window only deletes the bitmap.
  ASSERT_EQ(ZUL_DestroyImage(1), 0);
  HBITMAP orphan = CreateBitmap(2, 2, 1, 32, bits);
  PasteBitmapToImage(orphan);
  BITMAP info;
  EXPECT_EQ(GetObjectW(orphan, sizeof info, &info), 0);
}
