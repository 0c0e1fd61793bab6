// Text windows: layout of printed text in the back buffer, the life of a
// window, the colour stack.
#include <cstring>
#include <string>

#include "textwin_test_util.h"

namespace {

std::string Repeat(char c, int count) { return std::string(static_cast<size_t>(count), c); }

}  // namespace

// ---- layout ---------------------------------------------------------------------

TEST(TextLayout, FontCellsAreTheOemFixedFont) {
  TextWindow& t = OpenFreshTextWindow(1);
  TEXTMETRICW metrics = {};
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, GetStockObject(OEM_FIXED_FONT));
  GetTextMetricsW(dc, &metrics);
  DeleteDC(dc);
  EXPECT_EQ(t.char_width, metrics.tmAveCharWidth);
  EXPECT_EQ(t.char_height, metrics.tmHeight);
  EXPECT_GT(t.char_width, 0);
  EXPECT_GT(t.char_height, 0);
}

TEST(TextLayout, EmptyLineBetweenTwoNewlines) {
  TextWindow& t = OpenFreshTextWindow(1);
  ZUL_Printf("A\n\nB");
  BufferCopy copy = CopyBackBuffer(t);
  EXPECT_TRUE(CellHasInk(copy, t, 0, 0));
  EXPECT_FALSE(CellHasInk(copy, t, 1, 0));
  EXPECT_FALSE(AreaHasInk(copy, 0, t.char_height, t.width, t.char_height));
  EXPECT_TRUE(CellHasInk(copy, t, 0, 2));
  EXPECT_FALSE(CellHasInk(copy, t, 1, 2));
  EXPECT_EQ(t.cursor_x, t.char_width);
  EXPECT_EQ(t.cursor_y, 2 * t.char_height);
}

TEST(TextLayout, LeadingNewlineStartsTheSecondLine) {
  TextWindow& t = OpenFreshTextWindow(1);
  ZUL_Printf("\nABC");
  BufferCopy copy = CopyBackBuffer(t);
  EXPECT_FALSE(AreaHasInk(copy, 0, 0, t.width, t.char_height));
  for (int column = 0; column < 3; ++column) EXPECT_TRUE(CellHasInk(copy, t, column, 1));
  EXPECT_FALSE(CellHasInk(copy, t, 3, 1));
  EXPECT_EQ(t.cursor_x, 3 * t.char_width);
  EXPECT_EQ(t.cursor_y, t.char_height);
  // The next call goes on where this one stopped.
  ZUL_Printf("D");
  EXPECT_TRUE(CellHasInk(CopyBackBuffer(t), t, 3, 1));
  EXPECT_EQ(t.cursor_x, 4 * t.char_width);
}

TEST(TextLayout, NarrowCharactersWrapAtTheRightEdge) {
  // Fifty cells: 400 pixels with an 8-pixel font.
  int cells = 50;
  TextWindow& probe = OpenFreshTextWindow(1);
  TextWindow& t = OpenFreshTextWindow(2, cells * probe.char_width, 300);
  ZUL_Printf("%s", Repeat('W', 60).c_str());
  BufferCopy copy = CopyBackBuffer(t);
  EXPECT_TRUE(CellHasInk(copy, t, cells - 1, 0));
  for (int column = 0; column < 60 - cells; ++column) EXPECT_TRUE(CellHasInk(copy, t, column, 1));
  EXPECT_FALSE(CellHasInk(copy, t, 60 - cells, 1));
  EXPECT_EQ(t.cursor_x, (60 - cells) * t.char_width);
  EXPECT_EQ(t.cursor_y, t.char_height);
}

TEST(TextLayout, DoubleWidthCharacterNeedsTwoFreeCells) {
  wchar_t converted[4];
  AnsiToWide("\xE9", converted, 4);
  ASSERT_GE(converted[0], 0x80) << "the ANSI code page maps 0xE9 below 0x80";

  TextWindow& t = OpenFreshTextWindow(1, 400, 300);
  int cells = 400 / t.char_width;
  // One cell left: the double-width character moves to the next line.
  ZUL_Printf("%s\xE9", Repeat('W', cells - 1).c_str());
  BufferCopy copy = CopyBackBuffer(t);
  EXPECT_FALSE(CellHasInk(copy, t, cells - 1, 0));
  EXPECT_TRUE(CellHasInk(copy, t, 0, 1));
  EXPECT_EQ(t.cursor_x, 2 * t.char_width);
  EXPECT_EQ(t.cursor_y, t.char_height);

  // Two cells left: it fits at the end of the line.
  ZUL_ClearTextWindow();
  ZUL_Printf("%s\xE9", Repeat('W', cells - 2).c_str());
  copy = CopyBackBuffer(t);
  EXPECT_TRUE(CellHasInk(copy, t, cells - 2, 0));
  EXPECT_EQ(t.cursor_x, cells * t.char_width);
  EXPECT_EQ(t.cursor_y, 0);
  ZUL_Printf("x");
  EXPECT_EQ(t.cursor_x, t.char_width);
  EXPECT_EQ(t.cursor_y, t.char_height);
}

TEST(TextLayout, TabAndCarriageReturnTakeOneCellEach) {
  TextWindow& t = OpenFreshTextWindow(1);
  ZUL_Printf("a\tb\rc");
  EXPECT_EQ(t.cursor_x, 5 * t.char_width);
  EXPECT_EQ(t.cursor_y, 0);
}

TEST(TextLayout, LineAfterTheLastOneScrollsByExactlyOneLine) {
  TextWindow& t = OpenFreshTextWindow(1, 400, 300);
  int pitch = t.char_height;
  int last_top = 0;
  while (last_top + 2 * pitch < t.height) last_top += pitch;  // 276 with 12-pixel lines
  int lines = last_top / pitch + 1;
  for (int i = 0; i < lines; ++i) ZUL_Printf(i + 1 < lines ? "line %d %s\n" : "line %d %s", i,
                                             Repeat(static_cast<char>('A' + i % 26), i).c_str());
  EXPECT_EQ(t.cursor_y, last_top);
  BufferCopy before = CopyBackBuffer(t);
  EXPECT_TRUE(CellHasInk(before, t, 0, lines - 1));

  ZUL_Printf("\n");
  EXPECT_EQ(t.cursor_y, last_top);
  EXPECT_EQ(t.cursor_x, 0);
  BufferCopy after = CopyBackBuffer(t);
  for (int y = 0; y < last_top; ++y) {
    ASSERT_TRUE(RowsEqual(after, y, before, y + pitch)) << "row " << y;
  }
  EXPECT_FALSE(AreaHasInk(after, 0, last_top, t.width, t.height - last_top));

  ZUL_Printf("Z");
  EXPECT_TRUE(CellHasInk(CopyBackBuffer(t), t, 0, lines - 1));
  EXPECT_EQ(t.cursor_y, last_top);
}

TEST(TextLayout, OutputOfMoreThan4095BytesIsCutAtTheBuffer) {
  TextWindow& t = OpenFreshTextWindow(1, 400, 300);
  int cells = t.width / t.char_width;
  ZUL_Printf("%s", Repeat('w', 4095).c_str());
  int full_x = t.cursor_x;
  EXPECT_EQ(full_x, (4095 % cells) * t.char_width);
  ZUL_ClearTextWindow();
  std::string longer = Repeat('w', 20000);
  ZUL_Printf("%s%s", longer.c_str(), longer.c_str());
  EXPECT_EQ(t.cursor_x, full_x);
}

TEST(TextLayout, ClearBlanksTheBufferAndHomesTheCursor) {
  TextWindow& t = OpenFreshTextWindow(1);
  ZUL_Printf("some text\nmore");
  ZUL_ClearTextWindow();
  EXPECT_EQ(t.cursor_x, 0);
  EXPECT_EQ(t.cursor_y, 0);
  BufferCopy copy = CopyBackBuffer(t);
  EXPECT_FALSE(AreaHasInk(copy, 0, 0, t.width, t.height));
}

TEST(TextLayout, TinyWindowsTakeOutputWithoutHarm) {
  TextWindow& t = OpenFreshTextWindow(1, 3, 5);
  ZUL_Printf("%s\n\xE9\n", Repeat('x', 300).c_str());
  EXPECT_EQ(t.cursor_x, 0);
  EXPECT_LE(t.cursor_y, t.char_height);
  TextWindow& empty = OpenFreshTextWindow(2, 0, 0);
  ZUL_Printf("abc\ndef");
  EXPECT_EQ(empty.width, 0);
}

TEST(TextLayout, WindowShowsTheBackBuffer) {
  TextWindow& t = OpenFreshTextWindow(1);
  ZUL_Printf("WWWW");
  RedrawWindow(t.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  PumpFor(50);
  HDC screen = GetDC(t.window);
  bool ink = false;
  for (int y = 0; y < t.char_height && !ink; ++y) {
    for (int x = 0; x < 4 * t.char_width && !ink; ++x) ink = (GetPixel(screen, x, y) & 0xFFFFFF) != 0;
  }
  ReleaseDC(t.window, screen);
  EXPECT_TRUE(ink);
}

// ---- window life --------------------------------------------------------------

TEST(TextWindowLife, OpenWithDefaults) {
  InitializeFrameworkForTests();
  TextWindow& t = OpenFreshTextWindow(5, -1, -1, -1, -1);
  EXPECT_EQ(current_text_window, 5);
  EXPECT_EQ(t.width, 400);
  EXPECT_EQ(t.height, 300);
  RECT client;
  GetClientRect(t.window, &client);
  EXPECT_EQ(client.right - client.left, 400);
  EXPECT_EQ(client.bottom - client.top, 300);
  wchar_t caption[64];
  GetWindowTextW(t.window, caption, 64);
  EXPECT_STREQ(caption, L"TextWindow 5");
  LONG style = GetWindowLongW(t.window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE),
            static_cast<LONG>(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE));
  EXPECT_EQ(t.text_colour, 0xFFFFFFu);
  EXPECT_EQ(t.back_colour, 0u);
  EXPECT_EQ(t.cursor_x, 0);
  EXPECT_EQ(t.cursor_y, 0);
}

TEST(TextWindowLife, PositionIsTheOuterTopLeftCorner) {
  TextWindow& t = OpenFreshTextWindow(3, 200, 100, 150, 120);
  RECT outer;
  GetWindowRect(t.window, &outer);
  EXPECT_EQ(outer.left, 150);
  EXPECT_EQ(outer.top, 120);
  // A negative x alone leaves x to the system and keeps y.
  TextWindow& u = OpenFreshTextWindow(4, 200, 100, -1, 90);
  GetWindowRect(u.window, &outer);
  EXPECT_EQ(outer.top, 90);
}

TEST(TextWindowLife, ReopeningALiveNumberOnlyBringsItForward) {
  TextWindow& seven = OpenFreshTextWindow(7);
  ZUL_Printf("keep me");
  int x = seven.cursor_x;
  EXPECT_EQ(ZUL_OpenTextWindow(8, 500, 40, -1, -1), 0);
  EXPECT_EQ(current_text_window, 8);
  EXPECT_EQ(ZUL_OpenTextWindow(7, 0, 0, 100, 100), 1);
  PumpFor(20);
  EXPECT_EQ(current_text_window, 7);
  EXPECT_EQ(seven.cursor_x, x);
  EXPECT_EQ(seven.width, 400);
  EXPECT_TRUE(CellHasInk(CopyBackBuffer(seven), seven, 0, 0));
  EXPECT_EQ(GetForegroundWindow(), seven.window);
}

TEST(TextWindowLife, ClosingTheCurrentWindowSelectsTheLowestLiveOne) {
  OpenFreshTextWindow(9);
  EXPECT_EQ(ZUL_OpenTextWindow(4, -1, -1, 200, 100), 0);
  EXPECT_EQ(ZUL_OpenTextWindow(6, -1, -1, 200, 100), 0);
  EXPECT_EQ(current_text_window, 6);
  EXPECT_EQ(ZUL_CloseTextWindow(6), 0);
  EXPECT_EQ(current_text_window, 4);
  // Closing a window that is not current leaves the current one.
  EXPECT_EQ(ZUL_CloseTextWindow(9), 0);
  EXPECT_EQ(current_text_window, 4);
  EXPECT_EQ(ZUL_CloseTextWindow(4), 0);
  EXPECT_EQ(current_text_window, 4);  // none live: the number stays
  EXPECT_FALSE(text_windows[4].in_use);
  // Printing and clearing with no live window do nothing.
  ZUL_Printf("nowhere %d\n", 1);
  ZUL_ClearTextWindow();
  ZUL_PushTextColor(0xFF0000, 0);
  ZUL_PopTextColor();
  EXPECT_FALSE(text_windows[4].in_use);
  // Reopened, the number starts blank with white on black.
  EXPECT_EQ(ZUL_OpenTextWindow(4, -1, -1, 200, 100), 0);
  EXPECT_EQ(text_windows[4].cursor_x, 0);
  EXPECT_EQ(text_windows[4].text_colour, 0xFFFFFFu);
}

TEST(TextWindowLife, BadNumbersAreRefused) {
  OpenFreshTextWindow(2);
  EXPECT_EQ(ZUL_OpenTextWindow(-1, 0, 0, 10, 10), 1);
  EXPECT_EQ(ZUL_OpenTextWindow(256, 0, 0, 10, 10), 1);
  EXPECT_EQ(ZUL_CloseTextWindow(256), 1);
  EXPECT_EQ(ZUL_CloseTextWindow(-5), 1);
  EXPECT_EQ(ZUL_CloseTextWindow(3), 1);
  EXPECT_EQ(ZUL_SelectTextWindow(3), 1);
  EXPECT_EQ(ZUL_SelectTextWindow(1000), 1);
  EXPECT_EQ(current_text_window, 2);
}

TEST(TextWindowLife, SelectKeepsAHistoryOfEight) {
  OpenFreshTextWindow(0, 100, 60);
  for (int n = 1; n <= 9; ++n) ZUL_OpenTextWindow(n, -1, -1, 100, 60);
  ZUL_SelectTextWindow(0);  // 9 was current
  EXPECT_EQ(current_text_window, 0);
  EXPECT_EQ(text_window_history[0], 9);
  for (int n = 1; n <= 8; ++n) ZUL_SelectTextWindow(n);
  EXPECT_EQ(text_window_history[0], 7);
  EXPECT_EQ(text_window_history[7], 0);
  for (int n = 0; n <= 9; ++n) ZUL_CloseTextWindow(n);
}

TEST(TextWindowLife, ResizingClearsTheText) {
  TextWindow& t = OpenFreshTextWindow(1, 300, 200);
  ZUL_Printf("text before\nthe resize");
  RECT outer;
  GetWindowRect(t.window, &outer);
  SetWindowPos(t.window, nullptr, 0, 0, outer.right - outer.left + 40, outer.bottom - outer.top + 30,
               SWP_NOMOVE | SWP_NOZORDER);
  PumpFor(30);
  EXPECT_EQ(t.width, 340);
  EXPECT_EQ(t.height, 230);
  EXPECT_EQ(t.cursor_x, 0);
  EXPECT_EQ(t.cursor_y, 0);
  EXPECT_FALSE(AreaHasInk(CopyBackBuffer(t), 0, 0, t.width, t.height));
  ZUL_Printf("X");
  EXPECT_TRUE(CellHasInk(CopyBackBuffer(t), t, 0, 0));
  EXPECT_EQ(t.cursor_x, t.char_width);
}

TEST(TextWindowLife, MinimiseAndRestoreClearAndKeepWorking) {
  TextWindow& t = OpenFreshTextWindow(1, 300, 200);
  ZUL_Printf("hello");
  ShowWindow(t.window, SW_MINIMIZE);
  PumpFor(30);
  ZUL_Printf("while minimised\n");
  ShowWindow(t.window, SW_RESTORE);
  PumpFor(30);
  EXPECT_EQ(t.width, 300);
  EXPECT_EQ(t.height, 200);
  EXPECT_EQ(t.cursor_x, 0);
  EXPECT_EQ(t.cursor_y, 0);
  ZUL_Printf("again");
  EXPECT_TRUE(CellHasInk(CopyBackBuffer(t), t, 0, 0));
}

TEST(TextWindowLife, CloseBoxAndDestroyCommandFreeTheSlot) {
  TextWindow& t = OpenFreshTextWindow(11);
  HWND window = t.window;
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([] { return text_windows[11].in_use == 0; }, 2000));
  EXPECT_FALSE(IsWindow(window));
  TextWindow& u = OpenFreshTextWindow(12);
  window = u.window;
  PostMessageW(window, WM_COMMAND, 1006, 0);
  EXPECT_TRUE(WaitUntil([] { return text_windows[12].in_use == 0; }, 2000));
  EXPECT_FALSE(IsWindow(window));
}

TEST(TextWindowLife, ShowOpensWindowZeroInTheMiddleOfTheScreen) {
  InitializeFrameworkForTests();
  for (int n = 0; n < kTextSlots; ++n) {
    if (text_windows[n].in_use) ZUL_CloseTextWindow(n);
  }
  current_text_window = 17;
  ZUL_ShowTextWindow();
  PumpFor(20);
  ASSERT_TRUE(text_windows[0].in_use);
  EXPECT_EQ(current_text_window, 0);
  RECT outer;
  GetWindowRect(text_windows[0].window, &outer);
  EXPECT_EQ(outer.left, GetSystemMetrics(SM_CXFULLSCREEN) / 2 - 200);
  EXPECT_EQ(outer.top, GetSystemMetrics(SM_CYFULLSCREEN) / 2 - 150);
  EXPECT_EQ(text_windows[0].width, 400);
  // With a live current window it is only brought forward.
  ZUL_Printf("stay");
  ZUL_ShowTextWindow();
  EXPECT_EQ(text_windows[0].cursor_x, 4 * text_windows[0].char_width);
  ZUL_CloseTextWindow(0);
}

// ---- colour stack ---------------------------------------------------------------

TEST(TextColorStack, PrintedCellsUseTheCurrentColours) {
  TextWindow& t = OpenFreshTextWindow(1);
  ZUL_PushTextColor(0xFF0000, 0x0000FF);
  ZUL_Printf("W");
  BufferCopy copy = CopyBackBuffer(t);
  bool red = false, blue = false;
  for (int y = 0; y < t.char_height; ++y) {
    for (int x = 0; x < t.char_width; ++x) {
      red = red || copy.at(x, y) == 0xFF0000;
      blue = blue || copy.at(x, y) == 0x0000FF;
    }
  }
  EXPECT_TRUE(red);
  EXPECT_TRUE(blue);
  EXPECT_FALSE(AreaHasInk(copy, t.char_width, 0, t.char_width, t.char_height));
}

TEST(TextColorStack, EightPushesAndEightPopsRestore) {
  TextWindow& t = OpenFreshTextWindow(1);
  ZUL_PushTextColor(0x123456, 0x654321);  // the colours before the eight
  for (uint32_t i = 1; i <= 8; ++i) ZUL_PushTextColor(i, 0x100 * i);
  EXPECT_EQ(t.text_colour, 8u);
  EXPECT_EQ(t.back_colour, 0x800u);
  for (int i = 0; i < 8; ++i) ZUL_PopTextColor();
  EXPECT_EQ(t.text_colour, 0x123456u);
  EXPECT_EQ(t.back_colour, 0x654321u);
  // Eight pushes on a fresh window, eight pops: white on black again.
  TextWindow& u = OpenFreshTextWindow(2);
  for (uint32_t i = 1; i <= 8; ++i) ZUL_PushTextColor(i, 0x100 * i);
  for (int i = 0; i < 8; ++i) ZUL_PopTextColor();
  EXPECT_EQ(u.text_colour, 0xFFFFFFu);
  EXPECT_EQ(u.back_colour, 0u);
}

TEST(TextColorStack, NinePushesLoseTheFirstColours) {
  TextWindow& t = OpenFreshTextWindow(1);
  for (uint32_t i = 1; i <= 9; ++i) ZUL_PushTextColor(i, 0x100 * i);
  for (int i = 0; i < 9; ++i) ZUL_PopTextColor();
  EXPECT_EQ(t.text_colour, 1u);
  EXPECT_EQ(t.back_colour, 0x100u);
  ZUL_PopTextColor();  // the oldest entry repeats
  EXPECT_EQ(t.text_colour, 1u);
  EXPECT_EQ(t.back_colour, 0x100u);
}

TEST(TextColorStack, PoppingAFreshWindowGivesWhiteOnBlack) {
  TextWindow& t = OpenFreshTextWindow(1);
  for (int i = 0; i < 20; ++i) ZUL_PopTextColor();
  EXPECT_EQ(t.text_colour, 0xFFFFFFu);
  EXPECT_EQ(t.back_colour, 0u);
}

TEST(TextColorStack, ColoursSurviveAResize) {
  TextWindow& t = OpenFreshTextWindow(1, 200, 100);
  ZUL_PushTextColor(0x00FF00, 0x000000);
  RECT outer;
  GetWindowRect(t.window, &outer);
  SetWindowPos(t.window, nullptr, 0, 0, outer.right - outer.left + 16, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER);
  PumpFor(30);
  ZUL_Printf("W");
  BufferCopy copy = CopyBackBuffer(t);
  bool green = false;
  for (int y = 0; y < t.char_height; ++y) {
    for (int x = 0; x < t.char_width; ++x) green = green || copy.at(x, y) == 0x00FF00;
  }
  EXPECT_TRUE(green);
}

// ---- keys of a text window --------------------------------------------------------

namespace {

void HoldControl(bool down) { HoldControlKey(down); }

}  // namespace

TEST(TextWindowKeys, SpacePrintsCaptureInTheCurrentWindow) {
  TextWindow& one = OpenFreshTextWindow(1, 300, 100);
  TextWindow& two = *(ZUL_OpenTextWindow(2, 400, 40, 300, 100), &text_windows[2]);
  ZUL_SelectTextWindow(1);
  PostMessageW(two.window, WM_KEYDOWN, VK_SPACE, 1);
  PumpFor(30);
  EXPECT_EQ(one.cursor_y, one.char_height);
  EXPECT_EQ(two.cursor_y, 0);
  EXPECT_TRUE(CellHasInk(CopyBackBuffer(one), one, 7, 0));  // "caputure"
}

TEST(TextWindowKeys, ControlQClosesAndQAloneDoesNot) {
  TextWindow& t = OpenFreshTextWindow(1);
  PostMessageW(t.window, WM_KEYDOWN, 'Q', 1);
  PumpFor(30);
  EXPECT_TRUE(text_windows[1].in_use);
  HoldControl(true);
  SendMessageW(t.window, WM_KEYDOWN, 'Q', 1);
  HoldControl(false);
  EXPECT_TRUE(WaitUntil([] { return text_windows[1].in_use == 0; }, 2000));
}

TEST(TextWindowKeys, ControlSSelectsTheWindow) {
  OpenFreshTextWindow(1);
  ZUL_OpenTextWindow(2, 400, 40, 200, 100);
  EXPECT_EQ(current_text_window, 2);
  HoldControl(true);
  SendMessageW(text_windows[1].window, WM_KEYDOWN, 'S', 1);
  HoldControl(false);
  EXPECT_TRUE(WaitUntil([] { return current_text_window == 1; }, 2000));
}
