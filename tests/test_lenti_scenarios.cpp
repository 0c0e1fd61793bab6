// The real lenticular test bench driven as a user drives it: a side-by-side
// picture dropped on the main window, Start, button presses, "cap", "break",
// Exit; checked on files, windows and pixels.
#include <cstdio>
#include <string>

#include "lenti.h"
#include "test_support.h"

namespace {

// The left view is reddish, the right view bluish; both vary with x and y.
uint32_t PairColour(int x, int y) {
  if (x < 800) return (static_cast<uint32_t>(0x80 + (x & 0x3F)) << 16) | ((y & 0xFF) << 8) | 0x10;
  return 0x100000u | ((y & 0xFF) << 8) | static_cast<uint32_t>(0x80 + (x & 0x3F));
}

bool Live(int number) { return ZUL_GetImageWindow(number) != nullptr; }

uint32_t SurfacePixel(int number, int x, int y) {
  const ImageSurface& s = image_surfaces[number];
  return reinterpret_cast<const uint32_t*>(s.base + static_cast<size_t>(y) * s.stride)[x];
}

bool WaitForPanel() {
  return WaitUntil([] { return ButtonBoxWindow() != nullptr && text_windows[0].in_use != 0; });
}

// Posts three clicks of a button from inside a message that the worker
// dispatches, so the same pump handles all three before the next poll.
constexpr UINT kTripleClick = WM_APP + 78;
WNDPROC text_window_proc;

LRESULT CALLBACK TripleClickingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kTripleClick) {
    for (int i = 0; i < 3; ++i) PostMessageW(button_box.buttons[wparam], BM_CLICK, 0, 0);
    return 0;
  }
  return CallWindowProcW(text_window_proc, window, message, wparam, lparam);
}

void ClickThreeTimesWithinOnePump(int button) {
  HWND window = text_windows[0].window;
  text_window_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TripleClickingProc)));
  PostMessageW(window, kTripleClick, static_cast<WPARAM>(button), 0);
}

// Clicks a button and waits until the application has acted on it.
bool Click(int button, const std::function<bool()>& done) {
  PostMessageW(button_box.buttons[button], BM_CLICK, 0, 0);
  return WaitUntil(done);
}

// Waits for the "Pause" box the worker shows, expects `text` in it, closes it
// and waits until the application has returned without opening its windows.
void ExpectPauseBoxSaying(const std::wstring& text) {
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = FindWindowW(L"#32770", L"Pause")) != nullptr; }));
  wchar_t shown[256] = {};
  GetDlgItemTextW(box, 0xFFFF, shown, 256);
  EXPECT_NE(std::wstring(shown).find(text), std::wstring::npos);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([] { return running == 0; }));
  EXPECT_FALSE(Live(kWorkWindow));
  EXPECT_FALSE(Live(kOutputWindow));
}

bool DropPairAndStart() {
  PostMessageW(main_window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({CurrentDirectoryPath(L"pair.bmp")})), 0);
  // Start once the picture is in window 0, as a user who sees it would.
  if (!WaitUntil([] { return Live(0) && SurfacePixel(0, 0, 0) != 0; })) return false;
  PostMainCommand(kCmdStart);
  return WaitUntil([] { return running == 1 && Live(kOutputWindow); });
}

}  // namespace

TEST(LentiScenario, DropStartTuneCaptureBreakAndStartAgain) {
  ASSERT_TRUE(WriteBytesToFile(L"pair.bmp", Bmp24Bytes(1600, 480, PairColour)));
  DeleteFileA("lenti_test.png");
  int code = RunScenario(Nothing, Nothing, [] {
    ASSERT_TRUE(WaitForPanel());
    ASSERT_TRUE(DropPairAndStart());
    ASSERT_TRUE(WaitUntil([] { return Live(kWorkWindow); }));
    // The first rendering has ended once its parameters are printed.
    ASSERT_TRUE(WaitUntil([] { return text_windows[0].cursor_y > 0; }));

    // The input opened as 000 with its name; the work window holds it tripled.
    wchar_t title[64] = {};
    GetWindowTextW(ZUL_GetImageWindow(0), title, 64);
    EXPECT_EQ(std::wstring(title).rfind(L"000 pair.bmp", 0), 0u) << title;
    EXPECT_EQ(image_surfaces[kWorkWindow].width, 4800u);
    for (int k : {0, 5, 799, 800, 1599}) {
      for (int j = 0; j < 3; ++j) EXPECT_EQ(SurfacePixel(kWorkWindow, 3 * k + j, 7), PairColour(k, 7));
    }
    // Output sub-pixel 0 of row 0 is the red of work column 23: input column 7.
    EXPECT_EQ((SurfacePixel(kOutputWindow, 0, 0) >> 16) & 0xFF, (PairColour(7, 0) >> 16) & 0xFF);
    // Sub-pixel 13 (view 1, k = 2: blue of pixel 4 in row 0) reads the right
    // view at work column 2400 + 23 - trunc(2 x 23.006 / 11) = 2419: input column 806.
    EXPECT_EQ(SurfacePixel(kOutputWindow, 4, 0) & 0xFF, PairColour(806, 0) & 0xFF);

    // Three clicks before one poll count as one press.
    ClickThreeTimesWithinOnePump(kPosUp);
    ASSERT_TRUE(WaitUntil([] { return pos == 1; }));
    PumpFor(200);
    EXPECT_EQ(pos, 1);
    ASSERT_TRUE(Click(kPitchUp, [] { return pitch > 23.1; }));
    EXPECT_DOUBLE_EQ(pitch, 23.006 + 0.1);
    ASSERT_TRUE(Click(kPosDown, [] { return pos == 0; }));

    ASSERT_TRUE(Click(kCapture, [] { return GetFileAttributesA("lenti_test.png") != INVALID_FILE_ATTRIBUTES; }));

    // Stop does not end the button loop.
    PostMainCommand(kCmdStop);
    PumpFor(300);
    EXPECT_EQ(running, 1);

    // Move the output, then "break": the windows close and the position is kept.
    SetWindowPos(ZUL_GetImageWindow(kOutputWindow), nullptr, 321, 207, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(Click(kBreak, [] { return running == 0; }));
    EXPECT_FALSE(Live(0));
    EXPECT_FALSE(Live(kWorkWindow));
    EXPECT_FALSE(Live(kOutputWindow));

    // A new drop and Start open the output where it was.
    ASSERT_TRUE(DropPairAndStart());
    RECT rect{};
    GetWindowRect(ZUL_GetImageWindow(kOutputWindow), &rect);
    EXPECT_EQ(rect.left, 321);
    EXPECT_EQ(rect.top, 207);
  });
  EXPECT_EQ(code, 0);

  // "cap" wrote the output as an 800 x 480 PNG.
  FILE* png = fopen("lenti_test.png", "rb");
  ASSERT_NE(png, nullptr);
  unsigned char header[26] = {};
  EXPECT_EQ(fread(header, 1, sizeof header, png), sizeof header);
  fclose(png);
  EXPECT_EQ((header[18] << 8) | header[19], 800);
  EXPECT_EQ((header[22] << 8) | header[23], 480);
  EXPECT_EQ(header[25], 2);
}

TEST(LentiScenario, ExitDuringTheButtonLoopEndsAtOnce) {
  ASSERT_TRUE(WriteBytesToFile(L"pair.bmp", Bmp24Bytes(1600, 480, PairColour)));
  HANDLE worker = nullptr;
  DWORD exit_posted = 0;
  int code = RunScenario(Nothing, Nothing, [&] {
    ASSERT_TRUE(WaitForPanel());
    DuplicateHandle(GetCurrentProcess(), worker_thread, GetCurrentProcess(), &worker, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    ASSERT_TRUE(DropPairAndStart());
    exit_posted = GetTickCount();
    PostMainKey('X');
    WaitUntil([] { return !IsWindow(main_window); });
  });
  DWORD took = GetTickCount() - exit_posted;
  EXPECT_EQ(code, 0);
  DWORD worker_code = 99;
  GetExitCodeThread(worker, &worker_code);
  EXPECT_EQ(worker_code, 0u);  // the loop saw Exit: no forced end
  EXPECT_LT(took, 1500u);
  CloseHandle(worker);
}

TEST(LentiScenario, ButtonsStayLiveAfterTheTextWindowIsClosed) {
  ASSERT_TRUE(WriteBytesToFile(L"pair.bmp", Bmp24Bytes(1600, 480, PairColour)));
  int code = RunScenario(Nothing, Nothing, [] {
    ASSERT_TRUE(WaitForPanel());
    ASSERT_TRUE(DropPairAndStart());
    PostMessageW(text_windows[0].window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([] { return text_windows[0].in_use == 0; }));
    ASSERT_TRUE(Click(kGapUp, [] { return gap == 1; }));
    ASSERT_TRUE(Click(kBreak, [] { return running == 0; }));
  });
  EXPECT_EQ(code, 0);
}

TEST(LentiScenario, StartWithoutAPictureAsksForOneInJapanese) {
  int code = RunScenario(Nothing, Nothing, [] {
    ASSERT_TRUE(WaitForPanel());
    PostMainCommand(kCmdStart);
    ExpectPauseBoxSaying(L"ステレオペア画像をドラッグして下さい");
  });
  EXPECT_EQ(code, 0);
}

TEST(LentiScenario, APictureTooLargeForTheWorkWindowIsReported) {
  int code = RunScenario(Nothing, Nothing, [] {
    ASSERT_TRUE(WaitForPanel());
    // Window 0 of 8 bits fits in memory; tripled at 32 bits it would not.
    std::atomic<int> made{-1};
    RunOnMainThreadAndWait([&] { made = RequestCreateImage(0, "000 huge", 15000, 15000, 8); });
    ASSERT_EQ(made, 0);
    PostMainCommand(kCmdStart);
    ExpectPauseBoxSaying(L"work");
  });
  EXPECT_EQ(code, 0);
}
