// Image window commands on files and the clipboard: load, save as, cut, copy,
// paste and dropped files. The operations themselves are not built yet; the
// commands reach them here and do nothing meanwhile.
#include "imagewin/imagewin.h"

void LoadImageCommand(HWND, int) {}

void SaveImageCommand(HWND, int) {}

void CutImageCommand(HWND, int) {}

void CopyImageCommand(HWND, int) {}

void PasteImageCommand(HWND, int, bool) {}

// The drop is released so that nothing of it is kept.
void DropFilesCommand(HWND, HDROP drop) { DragFinish(drop); }
