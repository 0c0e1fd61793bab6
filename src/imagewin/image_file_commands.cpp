// Image window commands on files: load and save as through the dialogs, and
// files dropped on the window. Worker thread.
#include "imagewin/imagewin.h"

#include "core/ansi_paths.h"

namespace zul {

namespace {

// Format index of ZUL_SaveImageFile for a save filter index, -1 for none.
int SaveFormatOfFilter(int filter_index) {
  switch (filter_index) {
    case 1:
    case 2: return 0;  // "All Files" and BMP
    case 3: return 1;  // JPEG
    case 4: return 2;  // GIF
    case 5: return 3;  // PNG
    case 6: return 4;  // TIFF
    default: return -1;
  }
}

}  // namespace

// The window stays current after the load (unlike a drop).
void LoadImageCommand(HWND window, int number) {
  char path[kPathUnits];
  if (ZUL_OpenImageDialog(path) != 0 || !SlotStillShows(number, window)) return;
  SelectSlotAgain(number);
  ZUL_LoadImageFile(path, 0, 0);
}

// JPEG from this dialog is saved at quality 100; the quality set before is kept.
void SaveImageCommand(HWND window, int number) {
  char path[kPathUnits];
  if (ZUL_SaveImageDialog(path) != 0 || !SlotStillShows(number, window)) return;
  int format = SaveFormatOfFilter(save_filter_index);
  if (format < 0) return;
  SelectSlotAgain(number);
  int kept_quality = jpeg_quality;
  if (format == 1) jpeg_quality = 100;
  ZUL_SaveImageFile(image_windows[number].width, image_windows[number].height, format, path);
  jpeg_quality = kept_quality;
}

// The first file of a drop is drawn at (0, 0) into the window's own surface;
// the current image window is the same before and after.
void DropFilesCommand(HWND window, HDROP drop) {
  wchar_t name[kPathUnits];
  char path[kPathUnits];
  if (QueryDroppedName(drop, 0, name) && LoadablePath(name, path)) {
    int number = ActivateImageWindow(window);
    if (number >= 0) {
      ZUL_LoadImageFile(path, 0, 0);
      InvalidateRect(window, nullptr, FALSE);
      ZUL_RestoreImage();
    }
  }
  DragFinish(drop);
  SetForegroundWindow(window);
}

}  // namespace zul
