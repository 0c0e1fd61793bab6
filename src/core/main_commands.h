// The main window's popup menu, its window-creating commands, the clipboard
// paste and dropped files; all run on the main window thread.
#pragma once

#include "core/core.h"

enum MainPopupCommand : int {
  kCmdPaste = 1026,
  kCmdImageWindow = 1027,
  kCmdTextWindow = 1028,
  kCmdInputBox = 1044,
  kCmdWindowInfo = 1045,
  kCmdButtonBox = 1051,
};
constexpr int kMainPopupItems = 12;

// Whether the commands that need the worker thread are greyed now: while the
// application runs or a text window waits for a line.
bool MainCommandsBusy();
// The popup menu as it is shown now (greyed items while busy); the caller
// destroys it.
HMENU BuildMainPopupMenu();

void PasteClipboardPicture();
void CreateImageWindowByPrompt();
void OpenNextTextWindow();
void OpenInputBoxByPrompt();
void OpenButtonBoxByPrompt();
void ShowWindowInfo();
