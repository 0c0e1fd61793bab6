// Text input: the test thread blocks in ZUL_Input while a second thread types
// by posting real WM_CHAR and WM_KEYDOWN messages to the text window.
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "textwin_test_util.h"

namespace {

// Runs ZUL_Input on this thread while `typist` runs on its own thread once the
// input is waiting. Returns the line; the buffer's bytes past 256 must stay.
std::string InputWhileTyping(const std::function<void(HWND)>& typist) {
  HWND window = text_windows[current_text_window].window;
  int32_t marker = current_text_window + 1;
  std::thread typing([&] {
    if (!WaitUntil([&] { return text_input_pending == marker; }, 5000)) {
      ADD_FAILURE() << "the input did not start";
      return;
    }
    typist(window);
  });
  char buffer[300];
  std::memset(buffer, '#', sizeof buffer);
  ZUL_Input(buffer);
  typing.join();
  for (size_t i = 256; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], '#') << "byte " << i;
  EXPECT_EQ(text_input_pending, 0);
  return std::string(buffer, strnlen(buffer, 256));
}

int32_t QueueWrite() { return queue_write; }

// Posts the units and waits until the input loop has taken all of them.
void Type(HWND window, const std::wstring& units) {
  int32_t expected = (QueueWrite() + static_cast<int32_t>(units.size())) % kKeyQueueUnits;
  for (wchar_t unit : units) PostMessageW(window, WM_CHAR, unit, 1);
  EXPECT_TRUE(WaitUntil([&] { return queue_write == expected && queue_read < 0; }, 5000));
  Sleep(20);  // the pass that took the last unit finishes its echo
}

void Key(HWND window, WPARAM key) { PostMessageW(window, WM_KEYDOWN, key, 1); }

void Enter(HWND window) { PostMessageW(window, WM_CHAR, 13, 1); }

// Holds or releases Ctrl for the input thread of `window`.
void SetControlKey(HWND window, bool down) { HoldControlKey(down, window); }

// Ctrl+V; the key is sent so that Ctrl is read while it is held.
void PasteKeys(HWND window) {
  SetControlKey(window, true);
  SendMessageW(window, WM_KEYDOWN, 'V', 1);
  SetControlKey(window, false);
}

void SetClipboardUnicode(const wchar_t* text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(block), text, bytes);
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
}

void SetClipboardPicture() {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  SetClipboardData(CF_BITMAP, picture);
  CloseClipboard();
}

}  // namespace

TEST(TextInput, BackspaceRemovesTheLastCharacter) {
  TextWindow& t = OpenFreshTextWindow(1);
  ZUL_Printf("Cmd>");
  std::string line = InputWhileTyping([](HWND w) {
    Type(w, L"abc");
    Type(w, L"\bd");
    Enter(w);
  });
  EXPECT_EQ(line, "abd");
  EXPECT_STREQ(last_input, L"abd");
  EXPECT_EQ(t.cursor_x, 0);
  EXPECT_EQ(t.cursor_y, t.char_height);
  // The echo stays on the prompt's line; the caret is gone.
  BufferCopy copy = CopyBackBuffer(t);
  for (int column = 0; column < 7; ++column) EXPECT_TRUE(CellHasInk(copy, t, column, 0));
  EXPECT_FALSE(CellHasInk(copy, t, 7, 0));
}

TEST(TextInput, EmptyLineAndBackspaceOnIt) {
  TextWindow& t = OpenFreshTextWindow(1);
  std::string line = InputWhileTyping([](HWND w) {
    Type(w, L"\b\b");
    Enter(w);
  });
  EXPECT_EQ(line, "");
  EXPECT_EQ(t.cursor_x, 0);
  EXPECT_EQ(t.cursor_y, t.char_height);
  EXPECT_FALSE(AreaHasInk(CopyBackBuffer(t), 0, 0, t.width, t.height));
}

TEST(TextInput, TabBecomesASpace) {
  TextWindow& t = OpenFreshTextWindow(1);
  std::string line = InputWhileTyping([](HWND w) {
    Type(w, L"a\tb");
    Enter(w);
  });
  EXPECT_EQ(line, "a b");
  BufferCopy copy = CopyBackBuffer(t);
  EXPECT_TRUE(CellHasInk(copy, t, 0, 0));
  EXPECT_FALSE(CellHasInk(copy, t, 1, 0));
  EXPECT_TRUE(CellHasInk(copy, t, 2, 0));
}

TEST(TextInput, UpAppendsThePreviousLine) {
  OpenFreshTextWindow(1);
  EXPECT_EQ(InputWhileTyping([](HWND w) {
              Type(w, L"xy");
              Enter(w);
            }),
            "xy");
  std::string line = InputWhileTyping([](HWND w) {
    Type(w, L"a");
    int32_t expected = (queue_write + 2) % kKeyQueueUnits;
    Key(w, VK_UP);
    EXPECT_TRUE(WaitUntil([&] { return queue_write == expected && queue_read < 0; }, 5000));
    Sleep(20);
    Enter(w);
  });
  EXPECT_EQ(line, "axy");
  EXPECT_STREQ(last_input, L"axy");
}

TEST(TextInput, ControlVPastesOnlyTheFirstLine) {
  OpenFreshTextWindow(1);
  SetClipboardUnicode(L"first line\r\nsecond line");
  std::string line = InputWhileTyping([](HWND w) {
    Type(w, L">");
    int32_t expected = (queue_write + 10) % kKeyQueueUnits;
    PasteKeys(w);
    EXPECT_TRUE(WaitUntil([&] { return queue_write == expected && queue_read < 0; }, 5000));
    Sleep(20);
    Enter(w);
  });
  EXPECT_EQ(line, ">first line");
}

TEST(TextInput, ControlVWithAPictureOnTheClipboardPastesNothing) {
  OpenFreshTextWindow(1);
  SetClipboardPicture();
  std::string line = InputWhileTyping([](HWND w) {
    Type(w, L"q");
    PasteKeys(w);
    Sleep(100);
    Type(w, L"r");
    Enter(w);
  });
  EXPECT_EQ(line, "qr");
}

TEST(TextInput, CharactersTypedWithControlHeldAreIgnored) {
  OpenFreshTextWindow(1);
  std::string line = InputWhileTyping([](HWND w) {
    Type(w, L"a");
    SetControlKey(w, true);
    SendMessageW(w, WM_CHAR, 'z', 1);
    SetControlKey(w, false);
    Type(w, L"b");
    Enter(w);
  });
  EXPECT_EQ(line, "ab");
}

TEST(TextInput, LastCellThenNextLineAndBackspaceReturns) {
  TextWindow& probe = OpenFreshTextWindow(1);
  int cw = probe.char_width;
  TextWindow& t = OpenFreshTextWindow(2, 25 * cw, 200);  // 200 pixels with 8-pixel cells
  int cursor_after_25_x = -1, cursor_after_25_y = -1, cursor_after_bs_x = -1, cursor_after_bs_y = -1;
  std::string line = InputWhileTyping([&](HWND w) {
    Type(w, std::wstring(25, L'W'));
    cursor_after_25_x = t.cursor_x;
    cursor_after_25_y = t.cursor_y;
    Type(w, L"\b");
    cursor_after_bs_x = t.cursor_x;
    cursor_after_bs_y = t.cursor_y;
    Enter(w);
  });
  EXPECT_EQ(cursor_after_25_x, 0);
  EXPECT_EQ(cursor_after_25_y, t.char_height);
  EXPECT_EQ(cursor_after_bs_x, 24 * cw);  // x = 192
  EXPECT_EQ(cursor_after_bs_y, 0);
  EXPECT_EQ(line, std::string(24, 'W'));
  BufferCopy copy = CopyBackBuffer(t);
  EXPECT_TRUE(CellHasInk(copy, t, 23, 0));
  EXPECT_FALSE(CellHasInk(copy, t, 24, 0));  // blanked when the line was accepted
  EXPECT_EQ(t.cursor_x, 0);
  EXPECT_EQ(t.cursor_y, t.char_height);
}

TEST(TextInput, DoubleWidthCharacterWrapsAndBackspaceReturns) {
  TextWindow& probe = OpenFreshTextWindow(1);
  int cw = probe.char_width;
  TextWindow& t = OpenFreshTextWindow(2, 25 * cw, 200);
  int wide_x = -1, wide_y = -1, back_x = -1, back_y = -1;
  std::string line = InputWhileTyping([&](HWND w) {
    Type(w, std::wstring(24, L'n'));  // one cell left
    Type(w, std::wstring(1, 0xE9));
    wide_x = t.cursor_x;
    wide_y = t.cursor_y;
    Type(w, L"\b");
    back_x = t.cursor_x;
    back_y = t.cursor_y;
    Enter(w);
  });
  EXPECT_EQ(wide_x, 2 * cw);
  EXPECT_EQ(wide_y, t.char_height);
  EXPECT_EQ(back_x, 24 * cw);
  EXPECT_EQ(back_y, 0);
  EXPECT_EQ(line, std::string(24, 'n'));
  BufferCopy copy = CopyBackBuffer(t);
  EXPECT_FALSE(AreaHasInk(copy, 0, t.char_height, t.width, t.char_height));
}

TEST(TextInput, The256thCharacterIsIgnored) {
  OpenFreshTextWindow(1);
  std::string line = InputWhileTyping([](HWND w) {
    for (int i = 0; i < 4; ++i) Type(w, std::wstring(64, static_cast<wchar_t>('a' + i)));
    Type(w, L"\b");  // Backspace still works at the limit
    Type(w, L"yz");
    Enter(w);
  });
  ASSERT_EQ(line.size(), 255u);
  EXPECT_EQ(line.substr(0, 64), std::string(64, 'a'));
  EXPECT_EQ(line.substr(192, 62), std::string(62, 'd'));
  EXPECT_EQ(line[254], 'y');
  EXPECT_EQ(std::wcslen(last_input), 255u);
}

TEST(TextInput, WideLineFitsTheCallersBuffer) {
  OpenFreshTextWindow(1, 400, 300);
  std::string line = InputWhileTyping([](HWND w) {
    for (int i = 0; i < 4; ++i) Type(w, std::wstring(64, static_cast<wchar_t>(0x3042)));
    Enter(w);
  });
  EXPECT_LE(line.size(), 255u);
  EXPECT_FALSE(line.empty());
}

TEST(TextInput, ClosingTheWindowCancelsAtOnce) {
  OpenFreshTextWindow(1);
  wcscpy(last_input, L"kept");
  DWORD took = 0;
  std::string line = InputWhileTyping([&](HWND w) {
    Type(w, L"abc");
    DWORD start = GetTickCount();
    PostMessageW(w, WM_CLOSE, 0, 0);
    WaitUntil([] { return text_input_pending == 0; }, 5000);
    took = GetTickCount() - start;
  });
  EXPECT_EQ(line, "");
  EXPECT_LT(took, 2000u);
  EXPECT_FALSE(text_windows[1].in_use);
  EXPECT_STREQ(last_input, L"kept");
}

TEST(TextInput, NoLiveWindowLeavesTheBufferUntouched) {
  InitializeFrameworkForTests();
  for (int n = 0; n < kTextSlots; ++n) {
    if (text_windows[n].in_use) ZUL_CloseTextWindow(n);
  }
  char buffer[256] = "untouched";
  ZUL_Input(buffer);
  EXPECT_STREQ(buffer, "untouched");
  EXPECT_EQ(text_input_pending, 0);
}

TEST(TextInput, KeysWithoutAPendingInputAreNotQueued) {
  TextWindow& t = OpenFreshTextWindow(1);
  PostMessageW(t.window, WM_CHAR, 'k', 1);
  PumpFor(30);
  EXPECT_LT(queue_read, 0);
  std::string line = InputWhileTyping([](HWND w) {
    Type(w, L"ok");
    Enter(w);
  });
  EXPECT_EQ(line, "ok");
}

TEST(TextInput, LongInputScrollsTheWindow) {
  TextWindow& probe = OpenFreshTextWindow(1);
  int cw = probe.char_width, ch = probe.char_height;
  TextWindow& t = OpenFreshTextWindow(2, 10 * cw, 3 * ch + 2);  // three lines
  std::string line = InputWhileTyping([](HWND w) {
    Type(w, std::wstring(45, L'k'));
    Enter(w);
  });
  EXPECT_EQ(line, std::string(45, 'k'));
  EXPECT_EQ(t.cursor_y, 2 * t.char_height);
  EXPECT_EQ(t.cursor_x, 0);
}

TEST(TextInput, ReadFromAnotherThreadWhileTheOwnerPumps) {
  // The main window's prompts print and read on their own thread while the
  // thread that owns the text window keeps pumping.
  TextWindow& t = OpenFreshTextWindow(0);
  HWND window = t.window;
  std::string line;
  bool finished = false;
  std::thread prompt([&] {
    ZUL_Printf("Name? ");
    char buffer[256];
    ZUL_Input(buffer);
    line = buffer;
    finished = true;
  });
  EXPECT_TRUE(WaitUntil([] { return text_input_pending == 1; }, 5000));
  for (wchar_t c : std::wstring(L"zul\r")) PostMessageW(window, WM_CHAR, c, 1);
  EXPECT_TRUE(WaitUntil([&] { return finished; }, 5000));
  prompt.join();
  EXPECT_EQ(line, "zul");
  EXPECT_EQ(t.cursor_y, t.char_height);
}

TEST(TextInput, LogHooksRecordPromptLineAndClear) {
  OpenFreshTextWindow(3);
  const char* name = "textwin_hook_test.log";
  log_file[3] = fopen(name, "wb");
  ASSERT_NE(log_file[3], nullptr);
  log_state[3] = 1;
  ZUL_Printf("Cmd>");
  EXPECT_EQ(InputWhileTyping([](HWND w) {
              Type(w, L"abc\bd");
              Enter(w);
            }),
            "abd");
  ZUL_ClearTextWindow();
  log_state[3] = 2;  // paused: nothing written
  ZUL_Printf("hidden");
  log_state[3] = 1;
  // A cancelled input writes nothing.
  EXPECT_EQ(InputWhileTyping([](HWND w) {
              Type(w, L"zz");
              PostMessageW(w, WM_CLOSE, 0, 0);
            }),
            "");
  fclose(log_file[3]);
  log_file[3] = nullptr;
  log_state[3] = 0;
  FILE* file = fopen(name, "rb");
  ASSERT_NE(file, nullptr);
  char contents[64] = {};
  size_t got = fread(contents, 1, sizeof contents - 1, file);
  fclose(file);
  remove(name);
  EXPECT_EQ(std::string(contents, got), "Cmd>abd\n\n");
}

TEST(TextInput, CloseAllLogsClosesOnlyLiveWindowsLogs) {
  OpenFreshTextWindow(3);
  const char* live_name = "textwin_live.log";
  const char* gone_name = "textwin_gone.log";
  log_file[3] = fopen(live_name, "wb");
  log_state[3] = 2;
  log_file[4] = fopen(gone_name, "wb");
  log_state[4] = 1;  // window 4 is not live
  ZUL_CloseAllLogs();
  EXPECT_EQ(log_state[3], 0);
  EXPECT_EQ(log_file[3], nullptr);
  EXPECT_EQ(log_state[4], 1);
  ASSERT_NE(log_file[4], nullptr);
  fclose(log_file[4]);
  log_file[4] = nullptr;
  log_state[4] = 0;
  remove(live_name);
  remove(gone_name);
}
