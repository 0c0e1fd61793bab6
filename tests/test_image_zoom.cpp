// Zoom and size of live image windows: the zoom steps, ZUL_SetZoom with its
// view fit and captions, the stretch mode, painting at a zoom, the typed
// "&Zoom..." and "&Resize..." prompts, and ZUL_ResizeImage.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <thread>

#include "imagewin_test_util.h"
#include "textwin_test_util.h"

namespace {

using ImageZoom = ImageWindowTest;
using ImageResize = ImageWindowTest;
using ZoomPrompts = ImageWindowTest;

// The zoom a window of width x height gets when asked for 0: the smallest
// whole percentage at which it reaches the minimum window size.
int MinimumSizeZoom(int width, int height) {
  int frame = GetSystemMetrics(SM_CXDLGFRAME);
  int caption = GetSystemMetrics(SM_CYCAPTION);
  int min_width = GetSystemMetrics(SM_CXMIN) - 2 * frame;
  int min_height = GetSystemMetrics(SM_CYMIN) - 2 * frame - caption;
  double zx = std::ceil(min_width * 100.0 / width);
  double zy = std::ceil(min_height * 100.0 / height);
  return static_cast<int>(std::max(zx, zy));
}

std::string Caption(const char* title, int zoom, const char* tail = "") {
  return std::string(title) + "(" + std::to_string(zoom) + "%)" + tail;
}

}  // namespace

TEST(ZoomSteps, StepRules) {
  EXPECT_EQ(ZoomStepUp(100), 111);
  EXPECT_EQ(ZoomStepDown(100), 90);
  EXPECT_EQ(ZoomStepUp(111), 123);
  EXPECT_EQ(ZoomStepDown(111), 100);
  EXPECT_EQ(ZoomStepUp(90), 100);
  EXPECT_EQ(ZoomStepDown(1), 1);
  EXPECT_EQ(ZoomStepUp(1), 1);
  EXPECT_EQ(ZoomStepUp(2147483647), 2147483647);  // clamped, no overflow
}

TEST(ZoomSteps, ZoomThatFitsIsKeptExactly) {
  ScreenMetrics screen = ReadScreenMetrics();
  for (int zoom = 1; zoom <= 400; ++zoom) {
    ZoomFit fit = FitZoom(screen, 160, 120, zoom);
    if (160 * zoom / 100 >= screen.min_width && 120 * zoom / 100 >= screen.min_height) {
      EXPECT_EQ(fit.zoom, zoom);
    }
  }
}

TEST(ZoomSteps, TypedNumbers) {
  EXPECT_EQ(ParseTypedNumber("250"), 250);
  EXPECT_EQ(ParseTypedNumber("  -7"), -7);
  EXPECT_EQ(ParseTypedNumber("12abc"), 12);
  EXPECT_EQ(ParseTypedNumber("abc"), 0);
  EXPECT_EQ(ParseTypedNumber(""), 0);
  EXPECT_EQ(ParseTypedNumber("99999999999999999999999"), 2147483647);
  EXPECT_EQ(ParseTypedNumber("-99999999999"), -2147483647 - 1);
}

TEST_F(ImageZoom, ClientIsTheViewAfterEveryChange) {
  ASSERT_EQ(ZUL_CreateImage(3, "pic", 10, 10, 400, 300, 100), 0);
  for (int zoom : {50, 200, 111, 37, 300, 100, 123, 90}) {
    ASSERT_EQ(ZUL_SetZoom(3, zoom), 0) << zoom;
    const ImageWindow& slot = image_windows[3];
    EXPECT_EQ(slot.zoom, zoom);
    EXPECT_EQ(slot.view_width, 400 * zoom / 100) << zoom;
    EXPECT_EQ(slot.view_height, 300 * zoom / 100) << zoom;
    ExpectClientIsView(3);
    EXPECT_EQ(CaptionOf(3), Caption("pic", zoom));
    EXPECT_TRUE(slot.in_use);
  }
}

TEST_F(ImageZoom, KeepsThePositionAndTheSurface) {
  MakeImage(1, 120, 90);
  FillTestPicture(120, 90);
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  RECT outer_before;
  GetWindowRect(image_windows[1].window, &outer_before);
  ASSERT_EQ(ZUL_SetZoom(1, 250), 0);
  RECT outer_after;
  GetWindowRect(image_windows[1].window, &outer_after);
  EXPECT_EQ(outer_after.left, outer_before.left);
  EXPECT_EQ(outer_after.top, outer_before.top);
  EXPECT_EQ(outer_after.right - outer_after.left,
            outer_before.right - outer_before.left + 300 - 120);
  EXPECT_EQ(SurfaceBytesOf(1), before);
}

TEST_F(ImageZoom, ZeroNegativeGiveTheMinimumSizeZoom) {
  MakeImage(2, 200, 150);
  int expected = MinimumSizeZoom(200, 150);
  for (int zoom : {0, -5, -2147483647 - 1}) {
    ASSERT_EQ(ZUL_SetZoom(2, zoom), 0) << zoom;
    EXPECT_EQ(image_windows[2].zoom, expected) << zoom;
    ExpectClientIsView(2);
  }
  // A window made at zoom 0 ends up the same.
  ASSERT_EQ(ZUL_CreateImage(5, "new", 300, 10, 200, 150, 0), 0);
  EXPECT_EQ(image_windows[5].zoom, image_windows[2].zoom);
  EXPECT_EQ(ClientSizeOf(5).cx, ClientSizeOf(2).cx);
  EXPECT_EQ(ClientSizeOf(5).cy, ClientSizeOf(2).cy);
}

TEST_F(ImageZoom, ViewLargerThanTheScreenIsCutBack) {
  MakeImage(0, 320, 200);
  ASSERT_EQ(ZUL_ResizeImage(0, 3840, 2160), 0);
  int screen_width = GetSystemMetrics(SM_CXSCREEN);
  int screen_height = GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYCAPTION);
  int expected = static_cast<int>(
      std::min(screen_width * 100.0 / 3840, screen_height * 100.0 / 2160));
  for (int zoom : {100, 5000}) {
    ASSERT_EQ(ZUL_SetZoom(0, zoom), 0);
    EXPECT_EQ(image_windows[0].zoom, expected);
    EXPECT_EQ(image_windows[0].view_width, 3840 * expected / 100);
    EXPECT_EQ(image_windows[0].view_height, 2160 * expected / 100);
    EXPECT_LE(image_windows[0].view_width, screen_width);
    EXPECT_LE(image_windows[0].view_height, screen_height);
    ExpectClientIsView(0);
  }
}

TEST_F(ImageZoom, BadSlotsGiveCode1) {
  EXPECT_EQ(ZUL_SetZoom(7, 100), 1);
  EXPECT_EQ(ZUL_SetZoom(256, 100), 1);
  EXPECT_EQ(ZUL_SetZoom(-1, 100), 1);
  EXPECT_EQ(ZUL_ResizeImage(7, 10, 10), 1);
  EXPECT_EQ(ZUL_ResizeImage(256, 10, 10), 1);
  EXPECT_EQ(ZUL_SetStretchMode(HALFTONE, 7), 1);
  EXPECT_EQ(ZUL_GetStretchMode(7), 0);
  EXPECT_EQ(ZUL_GetStretchMode(300), 0);
}

TEST_F(ImageZoom, CaptionsShowZoomEightBitsAndSmoothing) {
  ASSERT_EQ(ZUL_CreateImage8(4, "grey", 0, 0, 160, 120, 100), 0);
  EXPECT_EQ(CaptionOf(4), Caption("grey", 100, "[8bit]"));
  ToggleStretchMode(4);
  EXPECT_EQ(ZUL_GetStretchMode(4), HALFTONE);
  EXPECT_EQ(GetStretchBltMode(image_windows[4].memory_dc), HALFTONE);
  EXPECT_EQ(CaptionOf(4), Caption("grey", 100, "[8bit]*"));
  ASSERT_EQ(ZUL_SetZoom(4, 200), 0);
  EXPECT_EQ(CaptionOf(4), Caption("grey", 200, "[8bit]*"));
  ToggleStretchMode(4);
  EXPECT_EQ(ZUL_GetStretchMode(4), COLORONCOLOR);
  EXPECT_EQ(GetStretchBltMode(image_windows[4].memory_dc), COLORONCOLOR);
  EXPECT_EQ(CaptionOf(4), Caption("grey", 200, "[8bit]"));

  // Other modes set nothing but still retitle.
  EXPECT_EQ(ZUL_SetStretchMode(BLACKONWHITE, 4), 0);
  EXPECT_EQ(ZUL_GetStretchMode(4), COLORONCOLOR);
  MakeImage(5, 160, 120);
  EXPECT_EQ(ZUL_SetStretchMode(HALFTONE, 5), 0);
  EXPECT_EQ(CaptionOf(5), Caption("test", 100, "*"));
}

TEST_F(ImageZoom, PaintingAtTwoHundredDoublesEveryPixel) {
  MakeImage(1, 100, 80);
  FillColor(100, 80, 0x0000FF);
  ZUL_SetPixel(10, 5, 0xFF0000);
  ASSERT_EQ(ZUL_SetZoom(1, 200), 0);
  UpdateWindow(image_windows[1].window);
  GdiFlush();
  HDC dc = image_windows[1].window_dc;
  EXPECT_EQ(GetPixel(dc, 20, 10), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 21, 11), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 22, 10), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 199, 159), RGB(0, 0, 255));
}

// ---- the typed prompts in text window 0 ----------------------------------------

namespace {

// Runs `command` on this thread while a second thread types the lines, one
// for each prompt, into text window 0 as soon as that prompt waits.
void RunWhileTyping(int number, int command, const std::vector<std::wstring>& lines) {
  std::thread typist([&] {
    int typed_lines = 0;
    for (const std::wstring& line : lines) {
      bool waiting = WaitUntil(
          [&] {
            return text_input_pending != 0 && text_windows[0].in_use &&
                   text_windows[0].cursor_y >= typed_lines * text_windows[0].char_height &&
                   text_windows[0].cursor_x > 0;
          },
          5000);
      if (!waiting) {
        ADD_FAILURE() << "no prompt waited for line " << typed_lines;
        return;
      }
      HWND text_window = text_windows[0].window;
      for (wchar_t unit : line) PostMessageW(text_window, WM_CHAR, unit, 1);
      PostMessageW(text_window, WM_CHAR, 13, 1);
      ++typed_lines;
      WaitUntil([&] { return text_windows[0].cursor_y >= typed_lines * text_windows[0].char_height; },
                5000);
    }
  });
  SendCommand(number, command);
  typist.join();
}

void CloseAllTextWindows() {
  for (int n = 0; n < kTextSlots; ++n) {
    if (text_windows[n].in_use) ZUL_CloseTextWindow(n);
  }
}

// Line `line` of text window 0 shows exactly `text`: the same line printed
// into a fresh window of the same size looks the same.
void ExpectTextLine(int line, const char* text) {
  const TextWindow& zero = text_windows[0];
  ASSERT_EQ(ZUL_OpenTextWindow(9, 500, 500, zero.width, zero.height), 0);
  for (int i = 0; i < line; ++i) ZUL_Printf("\n");
  ZUL_Printf("%s", text);
  PumpFor(20);
  BufferCopy shown = CopyBackBuffer(zero);
  BufferCopy expected = CopyBackBuffer(text_windows[9]);
  int top = line * zero.char_height;
  EXPECT_TRUE(AreaHasInk(shown, 0, top, shown.width, zero.char_height)) << text;
  for (int row = top; row < top + zero.char_height; ++row) {
    EXPECT_TRUE(RowsEqual(shown, row, expected, row)) << "\"" << text << "\" pixel row " << row;
  }
  ZUL_CloseTextWindow(9);
}

}  // namespace

TEST_F(ZoomPrompts, ZoomPromptOpensTextWindowZeroAndSetsTheTypedZoom) {
  CloseAllTextWindows();
  MakeImage(6, 100, 80);
  RunWhileTyping(6, kIwZoomPrompt, {L"250"});
  EXPECT_TRUE(text_windows[0].in_use);
  EXPECT_EQ(current_text_window, 0);
  EXPECT_EQ(image_windows[6].zoom, 250);
  ExpectClientIsView(6);
  EXPECT_EQ(CaptionOf(6), Caption("test", 250));
  ExpectTextLine(0, "[6] Zoom(%)=250");
  CloseAllTextWindows();
}

TEST_F(ZoomPrompts, NonNumericZoomGivesTheMinimumSizeZoom) {
  CloseAllTextWindows();
  ZUL_OpenTextWindow(0, 600, 400, -1, -1);
  ZUL_OpenTextWindow(3, 600, 100, -1, -1);  // current, but the prompt uses window 0
  MakeImage(6, 100, 80);
  RunWhileTyping(6, kIwZoomPrompt, {L"lots"});
  EXPECT_EQ(current_text_window, 0);
  EXPECT_EQ(image_windows[6].zoom, MinimumSizeZoom(100, 80));
  ExpectClientIsView(6);
  CloseAllTextWindows();
}

TEST_F(ZoomPrompts, ResizePromptGivesAnEmptyWindowOfTheTypedSize) {
  CloseAllTextWindows();
  ZUL_OpenTextWindow(0, 600, 400, -1, -1);
  MakeImage(6, 100, 80);
  FillColor(100, 80, 0xFFFFFF);
  MakeImage(2, 50, 50);  // current
  RunWhileTyping(6, kIwResizePrompt, {L"64", L"48"});
  ASSERT_TRUE(image_windows[6].in_use);
  EXPECT_EQ(image_windows[6].width, 64);
  EXPECT_EQ(image_windows[6].height, 48);
  EXPECT_EQ(current_image, 6);
  std::vector<uint8_t> bytes = SurfaceBytesOf(6);
  EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; }));
  ExpectClientIsView(6);
  ExpectTextLine(0, "[6] New x-size(pixel)=64");
  ExpectTextLine(1, "[6] New y-size(pixel)=48");
  CloseAllTextWindows();
}

// ---- ZUL_ResizeImage -------------------------------------------------------------

TEST_F(ImageResize, EightBitWindowKeepsItsPaletteAndTitle) {
  ASSERT_EQ(ZUL_CreateImage8(8, "pal", 30, 40, 200, 200, 100), 0);
  RGBQUAD colors[kPaletteEntries];
  for (int i = 0; i < kPaletteEntries; ++i) {
    colors[i] = RGBQUAD{static_cast<BYTE>(255 - i), static_cast<BYTE>(i / 2), static_cast<BYTE>(i), 0};
  }
  ASSERT_EQ(ZUL_SetPalette(colors, kPaletteEntries), 0);
  ZUL_SetPixel(1, 1, 77);
  RECT outer_before;
  GetWindowRect(image_windows[8].window, &outer_before);

  ASSERT_EQ(ZUL_ResizeImage(8, 150, 70), 0);
  const ImageWindow& slot = image_windows[8];
  EXPECT_EQ(slot.bits, 8);
  EXPECT_EQ(slot.width, 150);
  EXPECT_EQ(slot.height, 70);
  EXPECT_EQ(slot.zoom, 100);
  EXPECT_EQ(CaptionOf(8), Caption("pal", 100, "[8bit]"));
  EXPECT_EQ(current_image, 8);
  RGBQUAD after[kPaletteEntries];
  ASSERT_EQ(ZUL_GetPalette(after), 0);
  EXPECT_EQ(std::memcmp(after, colors, sizeof colors), 0);
  EXPECT_EQ(ZUL_GetPixel(1, 1), 0u);
  RECT outer_after;
  GetWindowRect(slot.window, &outer_after);
  EXPECT_EQ(outer_after.left, outer_before.left);
  EXPECT_EQ(outer_after.top, outer_before.top);
  ExpectClientIsView(8);
}

TEST_F(ImageResize, HalftoneIsKeptWithItsStar) {
  ASSERT_EQ(ZUL_CreateImage(9, "soft", 0, 0, 200, 100, 150), 0);
  ZUL_SetStretchMode(HALFTONE, 9);
  FillColor(200, 100, 0x123456);
  MakeImage(1, 40, 40);  // another window is current
  ASSERT_EQ(ZUL_ResizeImage(9, 100, 50), 0);
  EXPECT_EQ(ZUL_GetStretchMode(9), HALFTONE);
  EXPECT_EQ(GetStretchBltMode(image_windows[9].memory_dc), HALFTONE);
  EXPECT_EQ(image_windows[9].zoom, 150);
  EXPECT_EQ(CaptionOf(9), Caption("soft", 150, "*"));
  EXPECT_EQ(current_image, 9);
  std::vector<uint8_t> bytes = SurfaceBytesOf(9);
  EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; }));
  ExpectClientIsView(9);
}

TEST_F(ImageResize, SizesBelowOneBecomeOne) {
  MakeImage(3, 50, 50);
  ASSERT_EQ(ZUL_ResizeImage(3, 0, -20), 0);
  EXPECT_EQ(image_windows[3].width, 1);
  EXPECT_EQ(image_windows[3].height, 1);
  ExpectClientIsView(3);
}

TEST_F(ImageResize, FailedRecreationLeavesTheSlotFree) {
  MakeImage(3, 50, 50);
  EXPECT_EQ(ZUL_ResizeImage(3, 100000, 100000), 3);  // no such surface
  EXPECT_FALSE(image_windows[3].in_use);
  EXPECT_EQ(image_surfaces[3].width, 0u);
  MakeImage(4, 50, 50);
  EXPECT_EQ(ZUL_ResizeImage(4, 1, 10000000), 2);  // no zoom shows it
  EXPECT_FALSE(image_windows[4].in_use);
  EXPECT_EQ(CountImageFrames(), 0);
}
