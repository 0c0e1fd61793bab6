// Whole-program scenarios of files reaching image windows: a real drop on an
// image window, and the load and save dialogs driven as a user would, with
// the filter and directory they remember.
#include <gtest/gtest.h>

#include "imagewin/imagewin.h"
#include "main_commands_test_util.h"

namespace {

constexpr int kNameBox = 0x47C;    // the dialogs' file name field (cmb13)
constexpr int kFilterBox = 0x470;  // their filter list (cmb1)

// Window 1 (50 x 40, black) to drop on; window 0 is current.
void TwoWindowsZeroCurrent() {
  ZUL_CreateImage(0, "zero", 300, 0, 16, 16, 100);
  ZUL_CreateImage(1, "one", 0, 0, 120, 80, 100);
  ZUL_SelectImage(0);
}

// Window 1's top-left width x height shows the pattern and the rest is black.
bool ShowsPatternInCorner(int width, int height, int seed) {
  const ImageWindow& w = image_windows[1];
  if (!w.in_use || w.width != 120 || w.height != 80) return false;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 120; ++x) {
      uint32_t expected = x < width && y < height ? PatternColor(x, y, seed) : 0;
      if (pixels[1][y * 120 + x] != expected) return false;
    }
  return true;
}

HWND WaitForDialog(const wchar_t* title) {
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindWindowW(L"#32770", title)) != nullptr; }, 10000);
  return dialog;
}

std::wstring NameShown(HWND dialog) {
  wchar_t text[MAX_PATH] = {};
  GetDlgItemTextW(dialog, kNameBox, text, MAX_PATH);
  return text;
}

int FilterShown(HWND dialog) {
  return static_cast<int>(SendDlgItemMessageW(dialog, kFilterBox, CB_GETCURSEL, 0, 0));
}

// Chooses a filter as a user would: the dialog takes it on CBN_SELENDOK.
void ChooseFilter(HWND dialog, int position) {
  SendDlgItemMessageW(dialog, kFilterBox, CB_SETCURSEL, position, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFilterBox, CBN_SELENDOK),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, kFilterBox)));
}

// Types `name` and presses OK (or Cancel); waits until the dialog is gone.
void Answer(HWND dialog, const std::wstring& name, int button = IDOK) {
  if (button == IDOK) SetDlgItemTextW(dialog, kNameBox, name.c_str());
  PostMessageW(dialog, WM_COMMAND, button, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10000));
}

void PostImageCommand(int n, int id) { PostMessageW(image_windows[n].window, WM_COMMAND, id, 0); }

std::string FileStart(const std::wstring& path, size_t count) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return "";
  std::string bytes(count, '\0');
  DWORD got = 0;
  ReadFile(f, bytes.data(), static_cast<DWORD>(count), &got, nullptr);
  CloseHandle(f);
  return bytes.substr(0, got);
}

std::wstring StartDirectory() {
  wchar_t dir[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, dir);
  return dir;
}

}  // namespace

TEST(ImageFileScenarios, DropDrawsTheFirstFileIntoTheWindowAndKeepsTheCurrentOne) {
  std::wstring first = CurrentDirectoryPath(L"drop_first.bmp");
  std::wstring second = CurrentDirectoryPath(L"drop_second.bmp");
  std::wstring too_long = CurrentDirectoryPath((std::wstring(270, L'x') + L".bmp").c_str());
  int code = RunScenario(TwoWindowsZeroCurrent, [] {}, [&] {
    ASSERT_TRUE(WaitUntil([] { return image_windows[1].in_use != 0; }));
    WriteBmp(first, 30, 20, 5);
    WriteBmp(second, 60, 50, 9);
    HWND target = image_windows[1].window;
    PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({first, second, second})), 0);
    EXPECT_TRUE(WaitUntil([] { return ShowsPatternInCorner(30, 20, 5); }));
    PumpFor(100);
    EXPECT_EQ(current_image, 0);
    EXPECT_FALSE(image_windows[2].in_use);
    // A name longer than any path is skipped, never cut.
    PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({too_long, second})), 0);
    PumpFor(300);
    EXPECT_TRUE(ShowsPatternInCorner(30, 20, 5));
    EXPECT_EQ(current_image, 0);
  });
  EXPECT_EQ(code, 0);
  DeleteFileW(first.c_str());
  DeleteFileW(second.c_str());
}

TEST(ImageFileScenarios, LoadDialogOpensWithBmpFilterAndRemembersTheDirectory) {
  std::wstring start = StartDirectory();
  std::wstring folder = start + L"\\load_dialog_files";
  CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring first = folder + L"\\first.bmp", second = folder + L"\\second.bmp";
  int code = RunScenario(TwoWindowsZeroCurrent, [] {}, [&] {
    ASSERT_TRUE(WaitUntil([] { return image_windows[1].in_use != 0; }));
    WriteBmp(first, 30, 20, 5);
    WriteBmp(second, 20, 10, 7);
    PostImageCommand(1, kIwLoadImage);
    HWND dialog = WaitForDialog(L"Load image file");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(NameShown(dialog), L"*.BMP;*.RLE;*.DIB");
    EXPECT_EQ(FilterShown(dialog), 1);
    Answer(dialog, first);
    EXPECT_TRUE(WaitUntil([] { return ShowsPatternInCorner(30, 20, 5); }));
    EXPECT_TRUE(WaitUntil([] { return current_image == 1; }));
    // A bare name is found in the directory the last dialog chose.
    SetCurrentDirectoryW(start.c_str());
    PostImageCommand(1, kIwLoadImage);
    dialog = WaitForDialog(L"Load image file");
    ASSERT_NE(dialog, nullptr);
    Answer(dialog, L"second.bmp");
    EXPECT_TRUE(WaitUntil([] { return pixels[1][0] == PatternColor(0, 0, 7); }));
    EXPECT_EQ(pixels[1][25], PatternColor(25, 0, 5));
    // Cancel changes nothing.
    std::vector<uint32_t> before(pixels[1], pixels[1] + 120 * 80);
    PostImageCommand(1, kIwLoadImage);
    dialog = WaitForDialog(L"Load image file");
    ASSERT_NE(dialog, nullptr);
    ChooseFilter(dialog, 4);
    Answer(dialog, L"", IDCANCEL);
    PumpFor(100);
    EXPECT_EQ(load_filter_index, 2);
    EXPECT_EQ(std::vector<uint32_t>(pixels[1], pixels[1] + 120 * 80), before);
  });
  EXPECT_EQ(code, 0);
  SetCurrentDirectoryW(start.c_str());
  DeleteFileW(first.c_str());
  DeleteFileW(second.c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST(ImageFileScenarios, SaveDialogWritesTheFormatOfEachFilter) {
  std::wstring start = StartDirectory();
  std::wstring folder = start + L"\\save_dialog_files";
  CreateDirectoryW(folder.c_str(), nullptr);
  struct Row {
    int position;
    const wchar_t* file;
    std::string magic;
  } rows[] = {{0, L"all.bmp", "BM"},  {1, L"bmp.bmp", "BM"},       {2, L"jpeg.jpg", "\xFF\xD8"},
              {3, L"gif.gif", "GIF8"}, {4, L"png.png", "\x89PNG"}, {5, L"tiff.tif", "II*"}};
  int code = RunScenario(TwoWindowsZeroCurrent, [] {}, [&] {
    ASSERT_TRUE(WaitUntil([] { return image_windows[1].in_use != 0; }));
    jpeg_quality = 50;
    int shown = 1;
    for (const Row& row : rows) {
      SCOPED_TRACE(row.position);
      PostImageCommand(1, kIwSaveAs);
      HWND dialog = WaitForDialog(L"Save as");
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(NameShown(dialog), L"noname");
      EXPECT_EQ(FilterShown(dialog), shown);
      ChooseFilter(dialog, row.position);
      std::wstring name = folder + L"\\" + row.file;
      Answer(dialog, name.substr(0, name.rfind(L'.')));
      EXPECT_TRUE(WaitUntil([&] { return FileStart(name, 4).size() == 4; }));
      EXPECT_EQ(FileStart(name, row.magic.size()), row.magic);
      EXPECT_EQ(jpeg_quality, 50);
      DeleteFileW(name.c_str());
      shown = row.position;
    }
    // The bare name lands in the remembered directory.
    SetCurrentDirectoryW(start.c_str());
    PostImageCommand(1, kIwSaveAs);
    HWND dialog = WaitForDialog(L"Save as");
    ASSERT_NE(dialog, nullptr);
    ChooseFilter(dialog, 1);
    Answer(dialog, L"bare");
    std::wstring bare = folder + L"\\bare.bmp";
    EXPECT_TRUE(WaitUntil([&] { return FileStart(bare, 2) == "BM"; }));
    DeleteFileW(bare.c_str());
  });
  EXPECT_EQ(code, 0);
  SetCurrentDirectoryW(start.c_str());
  RemoveDirectoryW(folder.c_str());
}
