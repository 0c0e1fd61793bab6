// The open and save dialogs for image files, with their filter lists and the
// filter index and directory each remembers. Worker thread: the globals here
// are read and written only there (and by start-up before it runs).
#include "imagewin/imagewin.h"

#include <cstring>
#include <cwchar>
#include <initializer_list>

#include <commdlg.h>

#include "core/ansi_paths.h"

namespace zul {

namespace {

// The directory each dialog opens in: the one of the last file chosen there,
// at first the directory current at start-up (ANSI, with its backslash).
char load_directory[kPathUnits];
char save_directory[kPathUnits];

struct FilterRow {
  const wchar_t* caption;
  const wchar_t* pattern;
};

// The open dialog lists all rows; the save dialog the first six.
constexpr FilterRow kFilterRows[] = {
    {L"All Files (*.*)", L"*.*"},
    {L"BMP (*.BMP;*.RLE;*.DIB)", L"*.BMP;*.RLE;*.DIB"},
    {L"JPEG (*.JPG;*.JPEG;*.JPE)", L"*.JPG;*.JPEG;*.JPE"},
    {L"CompuServe GIF (*.GIF)", L"*.GIF"},
    {L"PNG (*.PNG)", L"*.PNG"},
    {L"TIFF (*.TIF;*.TIFF)", L"*.TIF;*.TIFF"},
    {L"WMF (*.WMF)", L"*.WMF"},
    {L"EMF (*.EMF)", L"*.EMF"},
    {L"ICO (*.ICO)", L"*.ICO"},
};
constexpr int kOpenRows = 9;
constexpr int kSaveRows = 6;
constexpr int kFilterListUnits = 512;

// Caption and pattern of each row, each ending with a zero unit, the list
// with one more.
void BuildFilterList(int rows, wchar_t list[kFilterListUnits]) {
  wchar_t* at = list;
  for (int i = 0; i < rows; ++i) {
    for (const wchar_t* text : {kFilterRows[i].caption, kFilterRows[i].pattern}) {
      size_t units = std::wcslen(text) + 1;
      std::wmemcpy(at, text, units);
      at += units;
    }
  }
  *at = L'\0';
}

int ClampFilterIndex(int index, int rows) { return index < 1 ? 1 : index > rows ? rows : index; }

struct DialogMemory {
  int* filter_index;
  char* directory;
};

// The chosen file's directory, backslash kept, becomes the remembered one;
// kept as it was when the ANSI code page cannot reach it.
void RememberDirectory(const wchar_t* file, const DialogMemory& memory) {
  wchar_t full[kPathUnits];
  DWORD units = GetFullPathNameW(file, kPathUnits, full, nullptr);
  if (units == 0 || units >= kPathUnits) return;
  wchar_t* last_backslash = std::wcsrchr(full, L'\\');
  if (last_backslash == nullptr) return;
  last_backslash[1] = L'\0';
  char directory[kPathUnits];
  if (LoadablePath(full, directory)) std::memcpy(memory.directory, directory, kPathUnits);
}

// Runs one dialog. 0 and the path in ANSI; 1 cancelled, or a path that would
// reach ANSI only cut or changed (an existing file to open is reached by its
// short name instead).
int RunImageDialog(bool save, char* path) {
  if (path == nullptr) return 1;
  const int rows = save ? kSaveRows : kOpenRows;
  const DialogMemory memory = save ? DialogMemory{&save_filter_index, save_directory}
                                   : DialogMemory{&load_filter_index, load_directory};
  wchar_t directory[kPathUnits];
  AnsiToWide(memory.directory, directory, kPathUnits);
  wchar_t filters[kFilterListUnits];
  BuildFilterList(rows, filters);
  wchar_t file[kPathUnits] = {};
  const int index = ClampFilterIndex(*memory.filter_index, rows);
  std::wcscpy(file, save ? L"noname" : kFilterRows[index - 1].pattern);

  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.lpstrFilter = filters;
  dialog.nFilterIndex = static_cast<DWORD>(index);
  dialog.lpstrFile = file;
  dialog.nMaxFile = kPathUnits;
  dialog.lpstrInitialDir = directory;
  if (save) {
    dialog.lpstrTitle = L"Save as";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  } else {
    dialog.lpstrTitle = L"Load image file";
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  }
  BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return 1;
  char ansi[kPathUnits];
  bool spelled = save ? ExactAnsiPath(file, ansi) : LoadablePath(file, ansi);
  if (!spelled) return 1;
  std::memcpy(path, ansi, kPathUnits);
  *memory.filter_index = ClampFilterIndex(static_cast<int>(dialog.nFilterIndex), rows);
  RememberDirectory(file, memory);
  return 0;
}

}  // namespace

void RecordDialogDirectories() {
  wchar_t current[kPathUnits];
  GetCurrentDirectoryW(kPathUnits, current);
  WideToAnsi(current, load_directory, kPathUnits);
  WideToAnsi(current, save_directory, kPathUnits);
}

}  // namespace zul

using namespace zul;

int load_filter_index = 2;  // worker thread
int save_filter_index = 2;  // worker thread

int ZUL_OpenImageDialog(char* path) { return RunImageDialog(false, path); }

int ZUL_SaveImageDialog(char* path) { return RunImageDialog(true, path); }
