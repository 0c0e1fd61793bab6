// Image files dropped on the main window open as new image windows, numbered
// from the first free number onward across the files of one drop.
#include <climits>
#include <cstdio>
#include <cwchar>

#include "core/ansi_paths.h"
#include "mainwin/mainwin.h"
#include "surfaces/surfaces.h"

#include <gdiplus.h>

namespace zul {

namespace gp = Gdiplus::DllExports;

namespace {

constexpr int kDropTitleBytes = 4 + kPathUnits + 8;  // "%03d %s"

// The picture's size as GDI+ reads it; false when GDI+ cannot read the file
// or the picture is empty.
bool ReadPictureSize(const wchar_t* path, int* width, int* height) {
  Gdiplus::GpImage* image = nullptr;
  if (gp::GdipLoadImageFromFile(path, &image) != Gdiplus::Ok || !image) return false;
  UINT w = 0, h = 0;
  gp::GdipGetImageWidth(image, &w);
  gp::GdipGetImageHeight(image, &h);
  gp::GdipDisposeImage(image);
  if (w == 0 || h == 0 || w > INT_MAX || h > INT_MAX) return false;
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
  return true;
}

// Opens file `index` of the drop as image window `n` or the next free number
// after it. Returns the number to try for the next file.
int OpenDroppedFile(HDROP drop, UINT index, int n) {
  wchar_t name[kPathUnits];
  if (!QueryDroppedName(drop, index, name)) return n;
  wchar_t full[kPathUnits];
  wchar_t* file_part = nullptr;
  DWORD units = GetFullPathNameW(name, kPathUnits, full, &file_part);
  if (units == 0 || units >= kPathUnits || !file_part || !file_part[0]) return n;
  int width = 0, height = 0;
  if (!ReadPictureSize(full, &width, &height)) return n;
  char full_ansi[kPathUnits];
  char part_ansi[kPathUnits];
  if (!LoadablePath(full, full_ansi)) return n;
  WideToAnsi(file_part, part_ansi, kPathUnits);

  char title[kDropTitleBytes];
  for (;;) {
    snprintf(title, sizeof title, "%03d %s", n, part_ansi);
    int result = RequestCreateImage(n, title, width, height, 32);
    if (result == 0) break;
    if (result != 1 || quit_state != kQuitNone) return n;  // cannot be made: skip the file
    if (++n > kImageSlots - 1) return n;
  }
  // Exit chosen meanwhile: the worker serves no more requests.
  if (quit_state == kQuitNone) RequestLoadImageFile(n, full_ansi);
  if (quit_state == kQuitNone) RequestRedrawImage(n);
  ZUL_RestoreImage();
  return n + 1;
}

}  // namespace

void HandleMainWindowDrop(HDROP drop) {
  UINT files = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  int n = 0;
  for (UINT index = 0; index < files && n < kImageSlots && quit_state == kQuitNone; ++index) {
    n = OpenDroppedFile(drop, index, n);
  }
  DragFinish(drop);
}

}  // namespace zul
