// A whole-program scenario: real drops on an image window, and the load and
// save dialogs driven as a user would, with the filter and directory they remember.
#include "test_support.h"

namespace {

constexpr int kNameBox = 0x47C, kFilterBox = 0x470;  // the dialogs' cmb13 and cmb1

// Window 1 shows pattern `seed` in its top-left w x h and black elsewhere.
bool CornerShows(int w, int h, int seed) {
  for (int i = 0; i < 120 * 80; ++i)
    if (pixels[1][i] != (i % 120 < w && i / 120 < h ? PatternColor(i % 120, i / 120, seed) : 0))
      return false;
  return true;
}

// Opens the load or save dialog on window 1, checks the name and filter it
// shows, picks the filter at `filter` (-1: none), types `name` and presses `button`.
void Dialog(int id, int shown_filter, int filter, const std::wstring& name, int button = IDOK) {
  const bool save = id == kIwSaveAs;
  PostMessageW(image_windows[1].window, WM_COMMAND, id, 0);
  HWND dialog = nullptr;
  const wchar_t* title = save ? L"Save as" : L"Load image file";
  ASSERT_TRUE(
      WaitUntil([&] { return (dialog = FindWindowW(L"#32770", title)) != nullptr; }, 10000));
  wchar_t text[MAX_PATH] = {};
  GetDlgItemTextW(dialog, kNameBox, text, MAX_PATH);
  EXPECT_STREQ(text, save ? L"noname" : L"*.BMP;*.RLE;*.DIB");
  EXPECT_EQ(SendDlgItemMessageW(dialog, kFilterBox, CB_GETCURSEL, 0, 0), shown_filter);
  if (filter >= 0) {  // the dialog takes a new filter on CBN_SELENDOK
    HWND box = GetDlgItem(dialog, kFilterBox);
    SendMessageW(box, CB_SETCURSEL, filter, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFilterBox, CBN_SELENDOK), LPARAM(box));
  }
  SetDlgItemTextW(dialog, kNameBox, name.c_str());
  PostMessageW(dialog, WM_COMMAND, button, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10000));
}

void TwoWindowsZeroCurrent() {  // window 1 (120 x 80, black) takes the files
  ZUL_CreateImage(0, "zero", 300, 0, 16, 16, 100);
  ZUL_CreateImage(1, "one", 0, 0, 120, 80, 100);
  ZUL_SelectImage(0);
}

}  // namespace

TEST(ImageFileScenarios, DropsAndTheLoadAndSaveDialogsWithTheirFiltersAndRememberedDirectories) {
  wchar_t start[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, start);
  std::wstring folder = std::wstring(start) + L"\\dialog_files\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  // The first name is one the ANSI code page cannot spell.
  std::wstring first = folder + L"first_\u65e5.bmp", second = folder + L"second.bmp";
  std::wstring too_long = folder + std::wstring(270, L'x') + L".bmp";
  WriteBmp(first, 30, 20, 5);
  WriteBmp(second, 60, 50, 9);
  ExpectCleanExit(TwoWindowsZeroCurrent, Nothing, [&] {
    ASSERT_TRUE(WaitUntil([] { return image_windows[1].in_use != 0; }));
    // A drop draws its first file into the window and keeps window 0 current; a name too long is
    // skipped.
    for (auto names : {std::vector{first, second, second}, {too_long, second}}) {
      PostMessageW(image_windows[1].window, WM_DROPFILES, WPARAM(MakeDrop(names)), 0);
      EXPECT_TRUE(WaitUntil([] { return CornerShows(30, 20, 5); }));
      PumpFor(200);
      EXPECT_TRUE(CornerShows(30, 20, 5) && current_image == 0 && !image_windows[2].in_use);
    }

    Dialog(kIwLoadImage, 1, -1, second);
    EXPECT_TRUE(WaitUntil([] { return CornerShows(60, 50, 9) && current_image == 1; }));
    SetCurrentDirectoryW(start);  // a bare name is found in the directory remembered
    Dialog(kIwLoadImage, 1, -1, L"first_\u65e5.bmp");
    EXPECT_TRUE(WaitUntil([] { return pixels[1][0] == PatternColor(0, 0, 5); }));
    Dialog(kIwLoadImage, 1, 4, L"second.bmp", IDCANCEL);
    PumpFor(100);
    EXPECT_EQ(load_filter_index, 2);
    EXPECT_EQ(pixels[1][0], PatternColor(0, 0, 5));

    jpeg_quality = 50;
    const struct {
      const wchar_t *name, *file;  // typed, written
      std::string magic;
    } saves[] = {{L"all", L"all.bmp", "BM"},         {L"bmp", L"bmp.bmp", "BM"},
                 {L"jpeg", L"jpeg.jpg", "\xFF\xD8"}, {L"gif", L"gif.gif", "GIF8"},
                 {L"png", L"png.png", "\x89PNG"},    {L"tiff", L"tiff.tif", "II*"}};
    for (int filter = 0; filter < 6; ++filter) {  // the dialog shows the last filter chosen
      SetCurrentDirectoryW(start);  // after the first, bare names go to the remembered directory
      std::wstring typed = filter == 0 ? folder + saves[0].name : saves[filter].name;
      Dialog(kIwSaveAs, filter == 0 ? 1 : filter - 1, filter, typed);
      std::wstring file = folder + saves[filter].file;
      EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(file).size() >= 4; }));
      EXPECT_EQ(ReadFileBytes(file).substr(0, saves[filter].magic.size()), saves[filter].magic);
      EXPECT_EQ(jpeg_quality, 50);
      DeleteFileW(file.c_str());
    }
  });
  SetCurrentDirectoryW(start);
  DeleteFileW(first.c_str());
  DeleteFileW(second.c_str());
  RemoveDirectoryW(folder.c_str());
}
