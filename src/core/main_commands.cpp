// The main window's popup menu, its window-creating commands and dropped files.
#include "core/core.h"

void ShowMainPopupMenu(HWND) {}

void MainWindowCommand(HWND, int) {}

void HandleMainWindowDrop(HDROP drop) { DragFinish(drop); }
