// Text windows on the test thread: printed text in the back buffer, the life of a window, the
// colour stack, line input typed by a second thread, and the command console, read by its log.
#include <cstring>

#include "text_test_helpers.h"

namespace {

auto Colours(const TextWindow& t) { return std::pair(t.text_colour, t.back_colour); }

std::string Repeat(char c, int count) { return std::string(static_cast<size_t>(count), c); }

// A typing step: units posted, then `key` (if any) sent with Ctrl held, queueing `added` units.
struct Keys {
  std::wstring units;
  WPARAM key = 0;
  int added = 0;
  UINT message = WM_KEYDOWN;
};

// Does a step and waits until the input loop has taken its units and echoed the last.
void Type(HWND window, const Keys& k) {
  int32_t expected = (queue_write + static_cast<int>(k.units.size()) + k.added) % kKeyQueueUnits;
  for (wchar_t unit : k.units) PostMessageW(window, WM_CHAR, unit, 1);
  if (k.key) HoldControlKey(true, window), SendMessageW(window, k.message, k.key, 1);
  HoldControlKey(false, window);
  EXPECT_TRUE(WaitUntil([&] { return queue_write == expected && queue_read < 0; }));
  Sleep(20);  // the pass that took the last unit finishes its echo
}

// Runs ZUL_Input on this thread while `typist` runs on its own once the input
// waits; then Enter unless the typist cancelled. The buffer past 256 bytes stays.
std::string InputWhileTyping(const std::function<void(HWND)>& typist, bool enter = true) {
  HWND window = text_windows[current_text_window].window;
  int32_t marker = current_text_window + 1;
  std::thread typing([&] {
    if (!WaitUntil([&] { return text_input_pending == marker; })) return;
    typist(window);
    if (enter) PostMessageW(window, WM_CHAR, 13, 1);
  });
  char buffer[300];
  std::memset(buffer, '#', sizeof buffer);
  ZUL_Input(buffer);
  typing.join();
  EXPECT_EQ(std::string(buffer + 256, 44), Repeat('#', 44));
  EXPECT_EQ(text_input_pending, 0);
  return std::string(buffer, strnlen(buffer, 256));
}

std::string Typed(const std::vector<Keys>& steps) {
  return InputWhileTyping([&](HWND w) {
    for (const Keys& k : steps) Type(w, k);
  });
}

}  // namespace

TEST(TextLayout, LinesWrappingCursorAndTheLineAfterTheLastScrollingByExactlyOneLine) {
  TextWindow& t = OpenFreshTextWindow(1, 400, 300);
  const int cells = 400 / t.char_width, cw = t.char_width, ch = t.char_height;
  // The cursor afterwards (in cells and lines) and cells with and without ink.
  // clang-format off
  using Cells = std::vector<std::pair<int, int>>;
  const struct { std::string text; int x, y; Cells ink, blank; } cases[] = {
      {"A\n\nB", 1, 2, {{0, 0}, {0, 2}}, {{1, 0}, {0, 1}, {1, 2}}},
      {"\nABC", 3, 1, {{2, 1}}, {{0, 0}, {3, 1}}},
      {"a\tb\rc", 5, 0, {{4, 0}}, {}},  // tab and CR take one cell each
      {Repeat('W', cells + 10), 10, 1, {{cells - 1, 0}, {9, 1}}, {{10, 1}}},
      {Repeat('W', cells - 1) + "\xE9", 2, 1, {{0, 1}}, {{cells - 1, 0}}},  // wide: two cells
      {Repeat('W', cells - 2) + "\xE9", cells, 0, {{cells - 2, 0}}, {{0, 1}}},
      {Repeat('w', 40000), 4095 % cells, -1, {}, {}}};  // cut at the 4096-byte buffer
  // clang-format on
  for (const auto& c : cases) {
    ZUL_ClearTextWindow();
    ZUL_Printf("%s", c.text.c_str());
    BufferCopy copy = CopyBackBuffer(t);
    EXPECT_EQ(t.cursor_x, c.x * cw) << c.text.substr(0, 8);
    EXPECT_TRUE(c.y < 0 || t.cursor_y == c.y * ch) << c.text.substr(0, 8);
    for (auto [col, line] : c.ink)
      EXPECT_TRUE(CellHasInk(copy, t, col, line)) << c.text.substr(0, 8) << col;
    for (auto [col, line] : c.blank)
      EXPECT_FALSE(CellHasInk(copy, t, col, line)) << c.text.substr(0, 8) << col;
  }
  ZUL_Printf("x");  // wrapped line full: the next character starts a line
  EXPECT_EQ(t.cursor_x, (4095 % cells + 1) * cw);
  ZUL_ClearTextWindow();
  EXPECT_FALSE(AreaHasInk(CopyBackBuffer(t), 0, 0, t.width, t.height));
  EXPECT_EQ(t.cursor_x + t.cursor_y, 0);
  int pitch = ch, last_top = 0;  // the top of the last line that fits wholly
  while (last_top + 2 * pitch < t.height) last_top += pitch;
  for (int i = 0; i <= last_top / pitch; ++i)
    ZUL_Printf(i ? "\nline %d %s" : "line %d %s", i, Repeat('A' + i % 26, i).c_str());
  EXPECT_EQ(t.cursor_y, last_top);
  BufferCopy before = CopyBackBuffer(t);
  ZUL_Printf("\n");
  EXPECT_EQ(t.cursor_y, last_top);
  BufferCopy after = CopyBackBuffer(t);
  EXPECT_TRUE(std::equal(after.pixels.begin(), after.pixels.begin() + last_top * t.width,
                         before.pixels.begin() + pitch * t.width));
  EXPECT_FALSE(AreaHasInk(after, 0, last_top, t.width, t.height - last_top));
  TextWindow& tiny = OpenFreshTextWindow(2, 3, 5);  // tiny and empty windows take output
  ZUL_Printf("%s\n\xE9\n", Repeat('x', 300).c_str());
  EXPECT_LE(tiny.cursor_y, tiny.char_height);
  OpenFreshTextWindow(3, 0, 0);
  ZUL_Printf("abc\ndef");
}

// Each print shows at once what a repaint of the whole window would show:
// partial lines, wraps, double-width text, colours, scrolls. The main window's
// thread prints its prompts into a window the worker owns and paints: no print
// is lost to a paint running at the same time.
TEST(TextLayout, EachPrintShowsAsAWholeRepaintWouldAlsoFromAnotherThread) {
  TextWindow& t = OpenFreshTextWindow(1, 300, 150);
  int mismatches = 0, lost = 0;
  for (int i = 0; i < 60; ++i) {
    ZUL_PushTextColor(0x102030 * (i % 7 + 1), i % 3 ? 0 : 0x000080);
    char c = static_cast<char>(i % 5 ? 'a' + i % 26 : 0xE9);
    ZUL_Printf(i % 4 ? "%d %s\n" : "%d %s", i, Repeat(c, i % 45).c_str());
    ZUL_PopTextColor();
    BufferCopy shown = CopyShownText(t);
    mismatches += shown.pixels != CopyBackBuffer(t).pixels;
    if (i == 59) {
      RedrawWindow(t.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      EXPECT_TRUE(shown.pixels == CopyShownText(t).pixels);
      EXPECT_TRUE(AreaHasInk(shown, 0, 0, t.width, t.height));
    }
  }
  EXPECT_EQ(mismatches, 0);
  for (int round = 0; round < 60; ++round) {
    ZUL_ClearTextWindow();
    std::atomic<int> done{0};
    std::thread printer([&] {
      for (int i = 0; i < 8; ++i) ZUL_Printf("line %d of round %d\n", i, round);
      done = 1;
    });
    while (!done) PumpWorkerMessages();
    printer.join();
    PumpFor(5);
    std::string text, of_round = " of round " + std::to_string(round) + "\n";
    for (int i = 0; i < 8; ++i) text += "line " + std::to_string(i) + of_round;
    lost +=
        CopyShownText(t).pixels != CopyBackBuffer(t).pixels || !ShowsPrinted(1, text.c_str(), 8);
  }
  EXPECT_EQ(lost, 0);
}

TEST(TextLayout, ColoursOfTheCellsAndTheirStack) {
  TextWindow& t = OpenFreshTextWindow(1, 200, 100);
  ZUL_PushTextColor(0xFF0000, 0x0000FF);
  ZUL_Printf("W");
  EXPECT_TRUE(CellHasColour(t, 0, 0, 0xFF0000) && CellHasColour(t, 0, 0, 0x0000FF));
  EXPECT_FALSE(CellHasInk(CopyBackBuffer(t), t, 1, 0));
  ResizeBy(t.window, 16, 0), ZUL_Printf("W");  // colours survive a resize
  EXPECT_TRUE(CellHasColour(t, 0, 0, 0xFF0000));
  for (uint32_t i = 1; i <= 8; ++i) ZUL_PushTextColor(i, 0x100 * i);
  for (int i = 0; i < 8; ++i) ZUL_PopTextColor();
  EXPECT_EQ(Colours(t), std::make_pair(0xFF0000u, 0x0000FFu));  // eight pushes and pops restore
  for (uint32_t i = 1; i <= 9; ++i) ZUL_PushTextColor(i, 0x100 * i);
  for (int i = 0; i < 12; ++i) ZUL_PopTextColor();
  EXPECT_EQ(Colours(t), std::make_pair(1u, 0x100u));  // nine lose the first; the oldest repeats
  TextWindow& fresh = OpenFreshTextWindow(2);
  for (int i = 0; i < 20; ++i) ZUL_PopTextColor();
  EXPECT_EQ(Colours(fresh), std::make_pair(0xFFFFFFu, 0u));
}

TEST(TextWindowLife, OpenReopenSelectAndCloseByCallCloseBoxAndCommand) {
  TextWindow& five = OpenFreshTextWindow(5, -1, -1, 150, 120);
  RECT outer = OuterRect(five.window), client = ClientRect(five.window);
  EXPECT_EQ(std::vector<LONG>({outer.left, outer.top, client.right, client.bottom}),
            std::vector<LONG>({150, 120, 400, 300}));
  wchar_t caption[64];
  EXPECT_STREQ((GetWindowTextW(five.window, caption, 64), caption), L"TextWindow 5");
  ZUL_Printf("keep me");
  EXPECT_EQ(ZUL_OpenTextWindow(8, 500, 40, 200, 100), 0);
  EXPECT_EQ(ZUL_OpenTextWindow(5, 0, 0, 100, 100), 1);  // live: only brought forward
  PumpFor(20);
  EXPECT_TRUE(current_text_window == 5 && five.cursor_x == 7 * five.char_width);
  EXPECT_EQ(GetForegroundWindow(), five.window);
  for (int bad : {-1, 256}) EXPECT_EQ(ZUL_OpenTextWindow(bad, 0, 0, 10, 10), 1);
  for (int bad : {256, -5, 3}) EXPECT_EQ(ZUL_CloseTextWindow(bad), 1);
  EXPECT_TRUE(ZUL_SelectTextWindow(3) == 1 && current_text_window == 5);
  EXPECT_EQ(ZUL_OpenTextWindow(4, -1, 90, 200, 100), 0);  // x left to the system, y kept
  EXPECT_EQ(OuterRect(text_windows[4].window).top, 90);
  EXPECT_EQ(ZUL_CloseTextWindow(4), 0);
  EXPECT_EQ(current_text_window, 5);  // the lowest live one
  EXPECT_EQ(ZUL_CloseTextWindow(8) + ZUL_CloseTextWindow(5), 0);
  EXPECT_EQ(current_text_window, 5);  // none live: the number stays
  ZUL_Printf("nowhere %d\n", 1), ZUL_ClearTextWindow(), ZUL_PopTextColor();  // no window: nothing
  current_text_window = 17;
  ZUL_ShowTextWindow();  // opens window 0 in the middle of the screen
  ASSERT_TRUE(text_windows[0].in_use);
  outer = OuterRect(text_windows[0].window);
  EXPECT_TRUE(outer.left == GetSystemMetrics(SM_CXFULLSCREEN) / 2 - 200 &&
              outer.top == GetSystemMetrics(SM_CYFULLSCREEN) / 2 - 150);
  for (int n = 1; n <= 9; ++n) ZUL_OpenTextWindow(n, -1, -1, 100, 60);
  for (int n = 0; n <= 8; ++n) ZUL_SelectTextWindow(n);
  EXPECT_TRUE(text_window_history[0] == 7 && text_window_history[7] == 0);  // a history of eight
  PostMessageW(text_windows[1].window, WM_CLOSE, 0, 0);  // the close box, and Destroy
  PostMessageW(text_windows[2].window, WM_COMMAND, kTextCmdDestroy, 0);
  EXPECT_TRUE(WaitUntil([] { return !TextWindowLive(1) && !TextWindowLive(2); }));
  CloseAllTextWindows();
}

TEST(TextWindowLife, ResizeAndMinimiseClearTheText) {
  TextWindow& t = OpenFreshTextWindow(1, 300, 200);
  ZUL_Printf("text before\nthe resize");
  ResizeBy(t.window, 40, 30);
  EXPECT_TRUE(t.width == 340 && t.height == 230 && t.cursor_x + t.cursor_y == 0);
  EXPECT_FALSE(AreaHasInk(CopyBackBuffer(t), 0, 0, t.width, t.height));
  ZUL_Printf("hello");
  ShowWindow(t.window, SW_MINIMIZE), PumpFor(30);
  ZUL_Printf("while minimised\n");
  ShowWindow(t.window, SW_RESTORE), PumpFor(30);
  EXPECT_TRUE(t.width == 340 && t.cursor_x + t.cursor_y == 0);
  ZUL_Printf("again");
  RedrawWindow(t.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW), PumpFor(50);
  EXPECT_TRUE(AreaHasInk(CopyShownText(t), 0, 0, 5 * t.char_width, t.char_height));  // shown
}

TEST(TextInput, TypedLinesTheirEchoAndCancelledOrImpossibleInputs) {
  TextWindow& t = OpenFreshTextWindow(1);
  ZUL_Printf("Cmd>");
  EXPECT_EQ(Typed({{L"abc\bd"}}), "abd");
  EXPECT_STREQ(last_input, L"abd");
  EXPECT_EQ(t.cursor_y, t.char_height);
  BufferCopy copy = CopyBackBuffer(t);  // the echo stays on the prompt's line; the caret is gone
  EXPECT_TRUE(CellHasInk(copy, t, 6, 0) && !CellHasInk(copy, t, 7, 0));
  EXPECT_EQ(Typed({{L"\b\b"}}), "");
  EXPECT_EQ(Typed({{L"a\tb"}}), "a b");
  EXPECT_EQ(Typed({{L"xy"}, {L"", VK_UP, 3}}), "xya b");  // Up appends the previous line
  const wchar_t text[] = L"first line\r\nsecond line";
  PutOnClipboard(CF_UNICODETEXT, std::string(reinterpret_cast<const char*>(text), sizeof text));
  // Only the first line is pasted; a character typed with Ctrl held is ignored.
  EXPECT_EQ(Typed({{L">"}, {L"", 'V', 10}, {L"", 'z', 0, WM_CHAR}}), ">first line");
  PutDibOnClipboard(BmpBytes(8, 8, 24, TestColor).substr(sizeof(BITMAPFILEHEADER)));
  EXPECT_EQ(Typed({{L"q"}, {L"", 'V', 0}, {L"r"}}), "qr");  // a picture pastes nothing
  std::string line = InputWhileTyping([](HWND w) {
    for (int i = 0; i < 4; ++i) Type(w, {std::wstring(64, static_cast<wchar_t>('a' + i))});
    Type(w, {L"\byz"});  // the 256th character is ignored; Backspace still works
  });
  EXPECT_EQ(line, Repeat('a', 64) + Repeat('b', 64) + Repeat('c', 64) + Repeat('d', 62) + "y");
  EXPECT_EQ(std::wcslen(last_input), 255u);
  line = Typed(std::vector<Keys>(4, Keys{std::wstring(64, L'\x3042')}));
  EXPECT_LE(line.size(), 255u);  // wide characters fit the caller's buffer
  EXPECT_FALSE(line.empty());
  wcscpy(last_input, L"kept");
  auto close_while_typing = [](HWND w) { Type(w, {L"abc"}), PostMessageW(w, WM_CLOSE, 0, 0); };
  EXPECT_EQ(InputWhileTyping(close_while_typing, false), "");  // closing cancels at once
  EXPECT_FALSE(text_windows[1].in_use);
  EXPECT_STREQ(last_input, L"kept");
  char buffer[256] = "untouched";
  ZUL_Input(buffer);  // no live window
  EXPECT_STREQ(buffer, "untouched");
  PostMessageW(OpenFreshTextWindow(0).window, WM_CHAR, 'k', 1);  // no input pending: not queued
  PumpFor(30);
  EXPECT_LT(queue_read, 0);
}

TEST(TextInput, WrapAndBackspaceAcrossTheLineEnd) {
  const int cw = OpenFreshTextWindow(1).char_width, ch = text_windows[1].char_height;
  TextWindow& t = text_windows[2];
  // The first 24 cells typed, then a 25th that wraps (a wide character wraps whole).
  for (const auto& [first, x] :
       {std::pair{std::wstring(25, L'W'), 0}, {std::wstring(24, L'n') + L"\xE9", 2 * cw}}) {
    OpenFreshTextWindow(2, 25 * cw, 200);
    std::vector<int> cursor;  // after the wrap, then after Backspace
    std::string line = InputWhileTyping([&](HWND w) {
      for (const std::wstring& step : {first, std::wstring(L"\b")})
        Type(w, {step}), cursor.insert(cursor.end(), {t.cursor_x, t.cursor_y});
    });
    EXPECT_EQ(cursor, std::vector<int>({x, ch, 24 * cw, 0})) << x;
    EXPECT_EQ(line.size(), 24u);
    BufferCopy copy = CopyBackBuffer(t);  // what was removed is blanked, both cells of a wide one
    EXPECT_FALSE(CellHasInk(copy, t, 24, 0) || AreaHasInk(copy, 0, ch, t.width, ch));
  }
  OpenFreshTextWindow(2, 10 * cw, 3 * ch + 2);  // long input scrolls
  EXPECT_EQ(Typed({{std::wstring(45, L'k')}}), Repeat('k', 45));
  EXPECT_EQ(t.cursor_y, 2 * ch);
}

TEST(CommandConsole, EachLinePrintsAndReturnsItsResult) {
  OpenFreshTextWindow(0);
  draw_color = 0x102030, zul_tttc = 0xFFFFFF, zul_tc = 0;
  // clang-format off
  const struct { const char *line, *printed; int result; } cases[] = {
      {"help", "Cmd>help\nCommand list:exit help start ver color\n", 0},
      {"color", "Cmd>color\nRed  : 16\nGreen: 32\nBlue : 48\nzul_tttc=ffffff\nzul_tc=000000\n", 0},
      {"HELP", "Cmd>HELP\nInvalid command\n", 1}, {"help ", "Cmd>help \nInvalid command\n", 1},
      {"", "Cmd>\nInvalid command\n", 1}, {"ver", "Cmd>ver\n", 0}};  // ver last: its banner follows
  // clang-format on
  int result = -1;
  auto console = [&] { result = ZUL_RunCommandConsole(); };
  for (const auto& c : cases) {
    EXPECT_EQ(LoggedWhile(0, [&] { AnsweredWhile(c.line, console); }), c.printed) << c.line;
    EXPECT_EQ(result, c.result) << c.line;
  }
  MSG about;  // "ver" asked the window for its About banner
  EXPECT_TRUE(PeekMessageW(&about, text_windows[0].window, WM_COMMAND, WM_COMMAND, PM_REMOVE) &&
              about.wParam == kTextCmdAbout);
  // The window closed while the line is awaited: the answer is "" for the next current one.
  ASSERT_EQ(ZUL_OpenTextWindow(1, 300, 40, -1, -1), 0);
  ZUL_SelectTextWindow(0);
  auto close_window = [] { PostMessageW(text_windows[0].window, WM_CLOSE, 0, 0), Sleep(100); };
  EXPECT_EQ(LoggedWhile(1, [&] { AnsweredWhile("help", console, close_window); }),
            "Invalid command\n");
  EXPECT_EQ(result, 1);
  ZUL_CloseTextWindow(1);
  EXPECT_EQ(ZUL_RunCommandConsole(), 1);  // no window at all
}
