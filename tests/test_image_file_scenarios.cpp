// Whole-program scenarios: a real drop on an image window, and the load and
// save dialogs driven as a user would, with the filter and directory they remember.
#include "test_support.h"

namespace {

constexpr int kNameBox = 0x47C, kFilterBox = 0x470;  // the dialogs' cmb13 and cmb1

// Window 1 (120 x 80, black) to drop on; window 0 is current.
void TwoWindowsZeroCurrent() {
  ZUL_CreateImage(0, "zero", 300, 0, 16, 16, 100);
  ZUL_CreateImage(1, "one", 0, 0, 120, 80, 100);
  ZUL_SelectImage(0);
}

// Window 1 shows pattern `seed` in its top-left w x h and black elsewhere.
bool CornerShows(int w, int h, int seed) {
  for (int i = 0; i < 120 * 80; ++i)
    if (pixels[1][i] != (i % 120 < w && i / 120 < h ? PatternColor(i % 120, i / 120, seed) : 0)) return false;
  return true;
}

// Opens the dialog of command `id` on window 1, checks what it shows, picks
// the filter at `filter` (-1: none), types `name` and presses `button`.
void Dialog(int id, const wchar_t* title, const wchar_t* shown_name, int shown_filter, int filter,
            const std::wstring& name, int button = IDOK) {
  PostMessageW(image_windows[1].window, WM_COMMAND, id, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = FindWindowW(L"#32770", title)) != nullptr; }, 10000));
  wchar_t text[MAX_PATH] = {};
  GetDlgItemTextW(dialog, kNameBox, text, MAX_PATH);
  EXPECT_STREQ(text, shown_name);
  EXPECT_EQ(SendDlgItemMessageW(dialog, kFilterBox, CB_GETCURSEL, 0, 0), shown_filter);
  if (filter >= 0) {  // the dialog takes a new filter on CBN_SELENDOK
    SendDlgItemMessageW(dialog, kFilterBox, CB_SETCURSEL, filter, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFilterBox, CBN_SELENDOK),
                 LPARAM(GetDlgItem(dialog, kFilterBox)));
  }
  SetDlgItemTextW(dialog, kNameBox, name.c_str());
  PostMessageW(dialog, WM_COMMAND, button, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10000));
}

}  // namespace

TEST(ImageFileScenarios, DropDrawsTheFirstFileIntoTheWindowAndKeepsTheCurrentOne) {
  // The first name is one the ANSI code page cannot spell.
  std::wstring first = CurrentDirectoryPath(L"drop_\u65e5.bmp"),
               second = CurrentDirectoryPath(L"drop_second.bmp");
  std::wstring too_long = CurrentDirectoryPath((std::wstring(270, L'x') + L".bmp").c_str());
  EXPECT_EQ(RunScenario(
                TwoWindowsZeroCurrent, [] {},
                [&] {
                  ASSERT_TRUE(WaitUntil([] { return image_windows[1].in_use != 0; }));
                  WriteBmp(first, 30, 20, 5);
                  WriteBmp(second, 60, 50, 9);
                  for (auto names :
                       {std::vector{first, second, second}, {too_long, second}}) {  // a long name is skipped
                    PostMessageW(image_windows[1].window, WM_DROPFILES, WPARAM(MakeDrop(names)), 0);
                    EXPECT_TRUE(WaitUntil([] { return CornerShows(30, 20, 5); }));
                    PumpFor(200);
                    EXPECT_TRUE(CornerShows(30, 20, 5) && current_image == 0 && !image_windows[2].in_use);
                  }
                }),
            0);
  DeleteFileW(first.c_str());
  DeleteFileW(second.c_str());
}

TEST(ImageFileScenarios, DialogsLoadAndSaveWithTheirFiltersAndRememberedDirectories) {
  wchar_t start[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, start);
  std::wstring folder = std::wstring(start) + L"\\dialog_files\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  EXPECT_EQ(
      RunScenario(
          TwoWindowsZeroCurrent, [] {},
          [&] {
            ASSERT_TRUE(WaitUntil([] { return image_windows[1].in_use != 0; }));
            WriteBmp(folder + L"first_\u65e5.bmp", 30, 20, 5);
            WriteBmp(folder + L"second.bmp", 20, 10, 7);
            Dialog(kIwLoadImage, L"Load image file", L"*.BMP;*.RLE;*.DIB", 1, -1,
                   folder + L"first_\u65e5.bmp");
            EXPECT_TRUE(WaitUntil([] { return CornerShows(30, 20, 5) && current_image == 1; }));
            SetCurrentDirectoryW(start);  // a bare name is found in the directory remembered
            Dialog(kIwLoadImage, L"Load image file", L"*.BMP;*.RLE;*.DIB", 1, -1, L"second.bmp");
            EXPECT_TRUE(WaitUntil([] { return pixels[1][0] == PatternColor(0, 0, 7); }));
            Dialog(kIwLoadImage, L"Load image file", L"*.BMP;*.RLE;*.DIB", 1, 4, L"first.bmp", IDCANCEL);
            PumpFor(100);
            EXPECT_EQ(load_filter_index, 2);
            EXPECT_EQ(pixels[1][0], PatternColor(0, 0, 7));
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
              Dialog(kIwSaveAs, L"Save as", L"noname", filter == 0 ? 1 : filter - 1, filter, typed);
              std::wstring file = folder + saves[filter].file;
              EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(file).size() >= 4; }));
              EXPECT_EQ(ReadFileBytes(file).substr(0, saves[filter].magic.size()), saves[filter].magic);
              EXPECT_EQ(jpeg_quality, 50);
              DeleteFileW(file.c_str());
            }
          }),
      0);
  SetCurrentDirectoryW(start);
  DeleteFileW((folder + L"first_\u65e5.bmp").c_str());
  DeleteFileW((folder + L"second.bmp").c_str());
  RemoveDirectoryW(folder.c_str());
}
