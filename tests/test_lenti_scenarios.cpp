// The real lenticular test bench driven as a user drives it: a side-by-side
// picture dropped on the main window, Start, button presses, "cap", "break",
// Exit; checked on files, windows and pixels.
#include "lenti.h"
#include "lenti_test_helpers.h"
#include "text_test_helpers.h"

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
  if (message != kTripleClick)
    return CallWindowProcW(text_window_proc, window, message, wparam, lparam);
  for (int i = 0; i < 3; ++i) PostMessageW(button_box.buttons[wparam], BM_CLICK, 0, 0);
  return 0;
}

void ClickThreeTimesWithinOnePump(int button) {
  HWND window = text_windows[0].window;
  text_window_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TripleClickingProc)));
  PostMessageW(window, kTripleClick, static_cast<WPARAM>(button), 0);
}

// Clicks a button and waits until the application has acted on it.
bool Click(int button, const std::function<bool()>& done) {
  PostMessageW(button_box.buttons[button], BM_CLICK, 0, 0);
  return WaitUntil(done);
}

bool DropPairAndStart() {
  HDROP drop = MakeDrop({CurrentDirectoryPath(L"pair.bmp")});
  PostMessageW(main_window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  // Start once the picture is in window 0, as a user who sees it would.
  if (!WaitUntil([] { return Live(0) && SurfacePixel(0, 0, 0) != 0; })) return false;
  PostMainCommand(kCmdStart);
  return WaitUntil([] { return running == 1 && Live(kOutputWindow); });
}

// Start shows a "Pause" box saying `text` and returns without opening its windows.
void ExpectStartRefused(const wchar_t* text) {
  auto box = AnswerBox(L"Pause");
  PostMainCommand(kCmdStart);
  EXPECT_NE(box.get().find(text), std::wstring::npos);
  ASSERT_TRUE(WaitUntil([] { return running == 0; }));
  EXPECT_FALSE(Live(kWorkWindow) || Live(kOutputWindow));
}

}  // namespace

TEST(LentiScenario, DropStartTuneCaptureBreakStartAgainAndExit) {
  ASSERT_TRUE(WriteBytesToFile(L"pair.bmp", Bmp24Bytes(1600, 480, PairColour)));
  DeleteFileA("lenti_test.png");
  HANDLE worker = nullptr;
  DWORD exit_posted = 0;
  ExpectCleanExit(Nothing, Nothing, [&] {
    ASSERT_TRUE(WaitForPanel());
    DuplicateHandle(GetCurrentProcess(), worker_thread, GetCurrentProcess(), &worker, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    ASSERT_TRUE(DropPairAndStart());
    ASSERT_TRUE(WaitUntil([] { return Live(kWorkWindow); }));
    // The first rendering has ended once its parameters are printed.
    ASSERT_TRUE(WaitUntil([] { return text_windows[0].cursor_y > 0; }));

    // The input opened as 000 with its name; the work window holds it tripled.
    EXPECT_EQ(CaptionOf(0).rfind("000 pair.bmp", 0), 0u) << CaptionOf(0);
    EXPECT_EQ(image_surfaces[kWorkWindow].width, 4800u);
    for (int k : {0, 5, 799, 800, 1599}) {
      for (int j = 0; j < 3; ++j)
        EXPECT_EQ(SurfacePixel(kWorkWindow, 3 * k + j, 7), PairColour(k, 7));
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
    // Captured after two renderings with pos 1: what the earlier one left in
    // the columns pos leaves unwritten must not show.
    ASSERT_TRUE(Click(kCapture, [] { return !ReadFileBytes(L"lenti_test.ini").empty(); }));
    ASSERT_TRUE(Click(kPosDown, [] { return pos == 0; }));

    PostMainCommand(kCmdStop);  // Stop does not end the button loop
    PumpFor(300);
    EXPECT_EQ(running, 1);

    // Move the output, then "break": the windows close and the position is kept.
    SetWindowPos(ZUL_GetImageWindow(kOutputWindow), nullptr, 321, 207, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(Click(kBreak, [] { return running == 0; }));
    EXPECT_FALSE(Live(0) || Live(kWorkWindow) || Live(kOutputWindow));
    ASSERT_TRUE(DropPairAndStart());
    RECT rect = OuterRect(ZUL_GetImageWindow(kOutputWindow));
    EXPECT_TRUE(rect.left == 321 && rect.top == 207) << rect.left << "," << rect.top;

    // The buttons stay live after the text window is closed.
    PostMessageW(text_windows[0].window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([] { return text_windows[0].in_use == 0; }));
    ASSERT_TRUE(Click(kGapUp, [] { return gap == 1; }));

    exit_posted = GetTickCount();  // Exit during the button loop ends it at once
    PostMainKey('X');
    WaitUntil([] { return !IsWindow(main_window); });
  });
  EXPECT_LT(GetTickCount() - exit_posted, 1500u);
  DWORD worker_code = 99;
  GetExitCodeThread(worker, &worker_code);
  CloseHandle(worker);
  EXPECT_EQ(worker_code, 0u);  // the loop saw Exit: no forced end

  // "cap" wrote the output as a PNG whose header says 800 x 480, 8 bits, RGB,
  // and the settings beside it, with which the batch program draws it again.
  std::string png = ReadFileBytes(L"lenti_test.png");
  png.resize(26);
  EXPECT_EQ(png.substr(16), std::string("\0\0\x03\x20\0\0\x01\xE0\x08\x02", 10));
  ASSERT_EQ(RunBatch(L"--profile lenti_test.ini pair.bmp batch_cap.png"), 0);
  std::vector<uint32_t> cap = ReadPicturePixels(L"lenti_test.png");
  EXPECT_EQ(cap.size(), 800u * 480u);
  EXPECT_TRUE(cap == ReadPicturePixels(L"batch_cap.png"));
}

TEST(LentiScenario, StartWithoutAPictureOrWithOneTooLargeIsRefused) {
  ExpectCleanExit(Nothing, Nothing, [] {
    ASSERT_TRUE(WaitForPanel());
    ExpectStartRefused(L"ステレオペア画像をドラッグして下さい");
    // Window 0 of 8 bits fits in memory; tripled at 32 bits it would not.
    std::atomic<int> made{-1};
    RunOnMainThreadAndWait([&] { made = RequestCreateImage(0, "000 huge", 15000, 15000, 8); });
    ASSERT_EQ(made, 0);
    ExpectStartRefused(L"work");
  });
}

namespace {

enum SettingsField { kSizeField = 0, kSlantField = 1, kProfileField = 8, kMonitorField = 10 };

std::wstring FieldText(int index) {
  wchar_t text[256] = L"";
  GetWindowTextW(input_box.edits[index], text, 256);
  return text;
}

// Types `text` into a field of the settings box and leaves it, as a user does.
void TypeIntoField(int index, const wchar_t* text) {
  SendMessageW(input_box.edits[index], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  SendMessageW(input_box.window, WM_COMMAND, MAKEWPARAM(0, EN_KILLFOCUS),
               reinterpret_cast<LPARAM>(input_box.edits[index]));
}

bool OutputIs(int width, int height) {
  return Live(kOutputWindow) && image_surfaces[kOutputWindow].width == unsigned(width) &&
         image_surfaces[kOutputWindow].height == unsigned(height);
}

}  // namespace

TEST(LentiScenario, ProfileAtStartSettingsBoxAndPresentation) {
  ASSERT_TRUE(WriteBytesToFile(L"lenti.ini",
                               "[panel]\nsize = 240x160\nslant = 1/3\n[lens]\n"
                               "pitch = 6.5\nviews = 4\n[source]\nchart = views\n"));
  ASSERT_TRUE(WriteBytesToFile(L"wrong.ini", "[lens]\nviews = many\n"));
  DeleteFileA(LogPath(0).c_str());
  ExpectCleanExit(Nothing, Nothing, [] {
    ASSERT_TRUE(WaitForPanel() && WaitUntil([] { return input_box.window != nullptr; }));
    EXPECT_EQ(FieldText(kSizeField), L"240x160");  // lenti.ini was loaded at start
    PostMessageW(text_windows[0].window, WM_COMMAND, kTextCmdStartLog, 0);
    PostMainCommand(kCmdStart);  // a chart needs no dropped picture
    ASSERT_TRUE(WaitUntil([] { return OutputIs(240, 160); }));
    ASSERT_TRUE(
        WaitUntil([] { return FileBytes(LogPath(0)).find("chart: views") != std::string::npos; }));
    // The bench and the batch program draw the same picture.
    ASSERT_EQ(RunBatch(L"--profile lenti.ini chart.png"), 0);
    std::vector<uint32_t> batch = ReadPicturePixels(L"chart.png");
    ASSERT_EQ(batch.size(), 240u * 160u);
    for (int i = 0; i < 240 * 160; ++i)
      ASSERT_EQ(SurfacePixel(kOutputWindow, i % 240, i / 240), batch[i]);
    // A new size takes effect at once; a value that is no value is refused and
    // said so, as is a broken profile.
    TypeIntoField(kSizeField, L"120x80");
    ASSERT_TRUE(WaitUntil([] { return OutputIs(120, 80); }));
    TypeIntoField(kSlantField, L"steep");
    ASSERT_TRUE(WaitUntil([] { return FieldText(kSlantField) == L"1/3"; }));
    TypeIntoField(kProfileField, L"wrong");
    ASSERT_TRUE(WaitUntil([] {
      std::string log = FileBytes(LogPath(0));
      return log.find("slant: 'steep' is not P/Q or a decimal") != std::string::npos &&
             log.find("profile wrong: line 2: views: 'many' is not 2 to 255; nothing changed") !=
                 std::string::npos;
    }));
    // Monitor 1: the output at 100%, borderless, at the screen's origin; Esc leaves it.
    TypeIntoField(kMonitorField, L"1");
    HWND shown = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (shown = FindWindowW(L"zul_pv", nullptr)) != nullptr; }));
    RECT rect = OuterRect(shown);
    EXPECT_TRUE(rect.left == 0 && rect.top == 0 && rect.right == 120 && rect.bottom == 80);
    PumpFor(100);
    HDC dc = GetDC(shown);
    for (POINT p : {POINT{0, 0}, POINT{37, 21}, POINT{119, 79}}) {
      uint32_t pixel = SurfacePixel(kOutputWindow, p.x, p.y);
      EXPECT_EQ(GetPixel(dc, p.x, p.y), RGB(pixel >> 16, pixel >> 8 & 0xFF, pixel & 0xFF));
    }
    ReleaseDC(shown, dc);
    PostMessageW(shown, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitUntil([] { return FieldText(kMonitorField) == L"0"; }));
    EXPECT_FALSE(IsWindow(shown));
    EXPECT_TRUE(IsWindow(main_window));  // Esc left the presentation, not the program
  });
  DeleteFileA("lenti.ini");
}

TEST(LentiScenario, BrokenProfileAtStartIsSaidAndTheDefaultsKept) {
  ASSERT_TRUE(WriteBytesToFile(L"lenti.ini", "[panel]\nsize = 1920x1080\npitch = fast\n"));
  auto box = AnswerBox(L"Pause");
  ExpectCleanExit(Nothing, Nothing, [] {
    ASSERT_TRUE(WaitForPanel() && WaitUntil([] { return input_box.window != nullptr; }));
    EXPECT_EQ(FieldText(kSizeField), L"800x480");
  });
  EXPECT_EQ(box.get(),
            L"profile lenti.ini: line 3: pitch: 'fast' is not a decimal above 0; the defaults are "
            L"used");
  DeleteFileA("lenti.ini");
}
