// Whole-program scenarios of image windows: Ctrl keys and Esc on the worker's windows; the main
// window thread's requests (create, load, redraw, paste); real drops and the load and save
// dialogs with the filter and directory they remember; Stop and Exit pressed in the main window
// while a line's rubber band is shown, and a line drawn with the real mouse.
#include "image_test_helpers.h"

namespace {

uint32_t SurfacePixel(int n, int x, int y) { return pixels[n][y * image_windows[n].width + x]; }

// Result codes of `requests` run one after another on the main thread.
std::vector<int> OnMainThread(std::vector<std::function<int()>> requests) {
  std::vector<int> codes;
  RunOnMainThreadAndWait([&] {
    for (auto& request : requests) codes.push_back(request());
  });
  return codes;
}

constexpr int kNameBox = 0x47C, kFilterBox = 0x470;  // the dialogs' cmb13 and cmb1

// Window 1 shows pattern `seed` in its top-left w x h and black elsewhere.
bool CornerShows(int w, int h, int seed) {
  for (int i = 0; i < 120 * 80; ++i)
    if (pixels[1][i] != (i % 120 < w && i / 120 < h ? PatternColor(i % 120, i / 120, seed) : 0))
      return false;
  return true;
}

// Opens the load or save dialog on window 1, checks the name and filter it shows, picks the
// filter at `filter` (-1: none), types `name` and presses `button`.
void Dialog(int id, int shown_filter, int filter, const std::wstring& name, int button = IDOK) {
  const bool save = id == kIwSaveAs;
  const wchar_t* title = save ? L"Save as" : L"Load image file";
  HWND dialog = nullptr;
  PostMessageW(image_windows[1].window, WM_COMMAND, id, 0);
  ASSERT_TRUE(WaitUntil([&] { return !!(dialog = FindWindowW(L"#32770", title)); }, 10000));
  wchar_t text[MAX_PATH] = {};
  GetDlgItemTextW(dialog, kNameBox, text, MAX_PATH);
  EXPECT_STREQ(text, save ? L"noname" : L"*.BMP;*.RLE;*.DIB");
  EXPECT_EQ(SendDlgItemMessageW(dialog, kFilterBox, CB_GETCURSEL, 0, 0), shown_filter);
  if (filter >= 0) {  // the dialog takes a new filter on CBN_SELENDOK
    HWND box = GetDlgItem(dialog, kFilterBox);
    SendMessageW(box, CB_SETCURSEL, filter, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFilterBox, CBN_SELENDOK), LPARAM(box));
  }
  SetDlgItemTextW(dialog, kNameBox, name.c_str()), PostMessageW(dialog, WM_COMMAND, button, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10000));
}

void TwoWindowsZeroCurrent() {  // window 1 (120 x 80, black) takes the files
  ZUL_CreateImage(0, "zero", 300, 0, 16, 16, 100);
  ZUL_CreateImage(1, "one", 0, 0, 120, 80, 100), ZUL_SelectImage(0);
}

std::atomic<bool> picture_made{false};
void MakePicture() {
  ZUL_CreateImage(0, "pic", 0, 0, 200, 150, 100);
  FillImage(200, 150, [](int x, int y) { return static_cast<uint32_t>(x * 977 + y * 7919); });
  picture_made = true;
}

bool StatusIs(const wchar_t* text) { return MainStatusText().find(text) != std::wstring::npos; }

// Posts command `id` to the picture's window and waits for its tool's prompt.
void StartCommand(int id, const wchar_t* prompt) {
  PostMessageW(image_windows[0].window, WM_COMMAND, id, 0);
  EXPECT_TRUE(WaitUntil([=] { return StatusIs(prompt); }));
}

// Starts "Draw Line > Normal" and shows its band from (10, 10) to (60, 40); the picture before.
std::vector<uint8_t> StartLineWithBand() {
  EXPECT_TRUE(WaitUntil([] { return picture_made.load(); }));
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  std::vector<uint8_t> before = SurfaceBytesOf(0);
  StartCommand(kIwDrawLine, L"Click the first point");
  PostMessageW(image_windows[0].window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_TRUE(WaitUntil([] { return StatusIs(L"Click the second point"); }));
  PostMessageW(image_windows[0].window, WM_MOUSEMOVE, 0, MAKELPARAM(60, 40));
  EXPECT_TRUE(WaitUntil([&] { return SurfaceBytesOf(0) != before; }));  // the band is shown
  return before;
}

}  // namespace

TEST(ImageWindowScenario, ControlKeysActOnTheWorkersWindowAndEscapeExits) {
  auto setup = [] {
    ZUL_CreateImage(2, "pic", 300, 300, 400, 300, 50);
    ZUL_CreateImage(3, "pic", 300, 300, 160, 120, 100);
  };
  ExpectCleanExit(setup, Nothing, [] {
    ASSERT_TRUE(WaitUntil([] { return image_windows[3].in_use != 0; }));
    HWND window = image_windows[2].window;
    EXPECT_EQ((SendControlKey(window, VK_NUMPAD0), image_windows[2].zoom), 100);  // sent: handled
    SendControlKey(window, 'Q');
    EXPECT_TRUE(WaitUntil([&] { return image_windows[2].in_use == 0 && !IsWindow(window); }, 2000));
    // Esc (and X, forwarded alike) ends the program as in the main window.
    EXPECT_TRUE(KeyEndsTheProgram([] { return image_windows[3].window; }, VK_ESCAPE));
  });
}

TEST(ImageRequests, CreateLoadRedrawAndPasteFromTheMainThread) {
  WriteBytesToFile(L"surf_request.bmp", Bmp24Bytes(8, 6, [](int, int) { return 0xFF0000u; }));
  ExpectCleanExit(nullptr, nullptr, [] {
    // Created, number too large, slot in use.
    EXPECT_EQ(OnMainThread({[] { return RequestCreateImage(0, "000 test", 200, 100, 32); },
                            [] { return RequestCreateImage(256, "x", 10, 10, 32); },
                            [] { return RequestCreateImage(0, "again", 10, 10, 8); }}),
              (std::vector<int>{0, 4, 1}));
    const ImageWindow& slot = image_windows[0];
    ASSERT_TRUE(slot.in_use);
    EXPECT_TRUE(slot.bits == 32 && slot.width == 200 && CaptionOf(0) == "000 test(100%)");
    ExpectClientIsView(0);
    EXPECT_TRUE(GetWindowThreadProcessId(slot.window, nullptr) == GetThreadId(worker_thread) &&
                GetWindow(slot.window, GW_OWNER) == main_window);
    EXPECT_EQ(OnMainThread({[] { return RequestLoadImageFile(0, "surf_request.bmp"); },
                            [] { return RequestLoadImageFile(0, "surf_no_such_file.bmp"); },
                            [] { return RequestRedrawImage(0), 0; }}),
              (std::vector{0, 1, 0}));
    EXPECT_EQ((Values{SurfacePixel(0, 0, 0), SurfacePixel(0, 7, 5), SurfacePixel(0, 8, 0)}),
              (Values{0xFF0000, 0xFF0000, 0}));
    HDC dc = GetDC(slot.window);
    EXPECT_TRUE(GetPixel(dc, 3, 3) == RGB(255, 0, 0) && GetPixel(dc, 100, 50) == RGB(0, 0, 0));
    ReleaseDC(slot.window, dc);
    // A second window becomes current; loading into window 0, or into a free or bad number
    // (nothing anywhere), leaves it current.
    EXPECT_EQ(OnMainThread({[] { return RequestCreateImage(1, "001", 120, 80, 32); },
                            [] { return RequestLoadImageFile(0, "surf_request.bmp"); },
                            [] { return RequestLoadImageFile(7, "surf_request.bmp"); },
                            [] { return RequestLoadImageFile(300, "surf_request.bmp"); }}),
              (std::vector<int>{0, 0, 2, 2}));
    EXPECT_TRUE(current_image == 1 && ImageHistoryEntry(0) == 0 && SurfacePixel(1, 0, 0) == 0u);
    RunOnMainThreadAndWait([] {  // a pasted bitmap lands in the current window at (0, 0)
      Values bits(4 * 3, 0x0000FF);
      RequestPasteBitmap(CreateBitmap(4, 3, 1, 32, bits.data())), RequestRedrawImage(1);
    });
    EXPECT_EQ((Values{SurfacePixel(1, 0, 0), SurfacePixel(1, 3, 2), SurfacePixel(1, 4, 0),
                      SurfacePixel(0, 0, 0)}),
              (Values{0x0000FF, 0x0000FF, 0, 0xFF0000}));
  });
}

TEST(ImageFileScenarios, DropsAndTheLoadAndSaveDialogsWithTheirFiltersAndRememberedDirectories) {
  const std::wstring start = CurrentDirectoryPath(L""), folder = start + L"dialog_files\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  // The first name is one the ANSI code page cannot spell.
  std::wstring first = folder + L"first_\u65e5.bmp", second = folder + L"second.bmp";
  std::wstring too_long = folder + std::wstring(270, L'x') + L".bmp";
  WriteBmp(first, 30, 20, 5), WriteBmp(second, 60, 50, 9);
  ExpectCleanExit(TwoWindowsZeroCurrent, Nothing, [&] {
    ASSERT_TRUE(WaitUntil([] { return image_windows[1].in_use != 0; }));
    // A drop draws its first file only, none if its name is too long; window 0 stays current.
    for (auto names : {std::vector{first, second, second}, {too_long, second}}) {
      PostMessageW(image_windows[1].window, WM_DROPFILES, WPARAM(MakeDrop(names)), 0);
      EXPECT_TRUE(WaitUntil([] { return CornerShows(30, 20, 5); }));
      PumpFor(200);
      EXPECT_TRUE(CornerShows(30, 20, 5) && current_image == 0 && !image_windows[2].in_use);
    }
    Dialog(kIwLoadImage, 1, -1, second);
    EXPECT_TRUE(WaitUntil([] { return CornerShows(60, 50, 9) && current_image == 1; }));
    SetCurrentDirectoryW(start.c_str());  // a bare name is found in the directory remembered
    Dialog(kIwLoadImage, 1, -1, L"first_\u65e5.bmp");
    EXPECT_TRUE(WaitUntil([] { return pixels[1][0] == PatternColor(0, 0, 5); }));
    Dialog(kIwLoadImage, 1, 4, L"second.bmp", IDCANCEL);
    PumpFor(100);
    EXPECT_TRUE(load_filter_index == 2 && pixels[1][0] == PatternColor(0, 0, 5));
    jpeg_quality = 50;
    // clang-format off
    const struct { const wchar_t *name, *file; std::string magic; } saves[] = {  // typed, written
        {L"all", L"all.bmp", "BM"}, {L"bmp", L"bmp.bmp", "BM"}, {L"jpeg", L"jpeg.jpg", "\xFF\xD8"},
        {L"gif", L"gif.gif", "GIF8"}, {L"png", L"png.png", "\x89PNG"},
        {L"tiff", L"tiff.tif", "II*"}};
    // clang-format on
    for (int f = 0; f < 6; ++f) {
      SetCurrentDirectoryW(start.c_str());  // later bare names go to the remembered directory
      std::wstring typed = f == 0 ? folder + saves[0].name : saves[f].name;
      Dialog(kIwSaveAs, f == 0 ? 1 : f - 1, f, typed);  // the dialog shows the last filter chosen
      std::wstring file = folder + saves[f].file;
      EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(file).find(saves[f].magic) == 0; }));
      EXPECT_TRUE(WaitUntil([] { return jpeg_quality == 50; }));  // the save keeps the JPEG quality
      DeleteFileW(file.c_str());
    }
  });
  SetCurrentDirectoryW(start.c_str());
  DeleteFileW(first.c_str()), DeleteFileW(second.c_str()), RemoveDirectoryW(folder.c_str());
}

TEST(DrawingScenario, StopDuringABandDrawsNothingTheRealMouseDrawsExitEndsAtOnce) {
  DWORD pressed = 0, gone = 0;
  ExpectCleanExit(MakePicture, Nothing, [&] {
    std::vector<uint8_t> before = StartLineWithBand();
    PostMainKey('C');
    EXPECT_TRUE(WaitUntil([] { return StatusIs(L"-bit color"); }));
    EXPECT_TRUE(WaitUntil([&] { return SurfaceBytesOf(0) == before; }));
    StartCommand(kIwDrawRow, L"Click a point");
    POINT p = {30, 77};
    ClientToScreen(image_windows[0].window, &p), SetCursorPos(p.x, p.y);
    INPUT press[2] = {{INPUT_MOUSE, {{0, 0, 0, MOUSEEVENTF_LEFTDOWN, 0, 0}}},
                      {INPUT_MOUSE, {{0, 0, 0, MOUSEEVENTF_LEFTUP, 0, 0}}}};
    SendInput(2, press, sizeof(INPUT));
    EXPECT_TRUE(WaitUntil([] { return StatusIs(L"-bit color"); }));
    EXPECT_TRUE(WaitUntil([] {
      Values row = ValuesOf(0);
      return std::count(row.begin() + 77 * 200, row.begin() + 78 * 200, draw_color) == 200;
    }));
    StartLineWithBand();
    HWND main = main_window;
    pressed = GetTickCount(), PostMainKey(VK_ESCAPE);
    WaitUntil([&] { return !IsWindow(main); }, 5000), gone = GetTickCount();
  });
  EXPECT_LT(gone - pressed, 1500u) << "Exit took the 2 s forced end";
}
