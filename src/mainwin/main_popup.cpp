// The main window's right-button popup menu, built afresh for each click.
#include "mainwin/mainwin.h"

namespace zul {

bool MainCommandsBusy() { return running != 0 || text_input_pending != 0; }

HMENU BuildMainPopupMenu() {
  UINT g = MainCommandsBusy() ? kMenuGreyed : kMenuEnabled;
  HMENU menu = CreatePopupMenu();
  InsertMenuText(menu, 0, g, kCmdPaste, "Paste\tCtrl+V");
  InsertMenuSeparator(menu, 1);
  InsertMenuText(menu, 2, g, kCmdStart, "Start");
  InsertMenuText(menu, 3, kMenuEnabled, kCmdStop, "Stop");
  InsertMenuText(menu, 4, kMenuEnabled, kCmdExit, "E&xit");
  InsertMenuSeparator(menu, 5);
  InsertMenuText(menu, 6, g, kCmdImageWindow, "Image Window");
  InsertMenuText(menu, 7, g, kCmdTextWindow, "Text Window");
  InsertMenuText(menu, 8, g, kCmdInputBox, "Input Box");
  InsertMenuText(menu, 9, g, kCmdButtonBox, "Button Box");
  InsertMenuSeparator(menu, 10);
  InsertMenuText(menu, 11, g, kCmdWindowInfo, "&Window Info.\tCtrl+W");
  return menu;
}

void ShowMainPopupMenu(HWND window) { TrackMenuAtCursor(window, BuildMainPopupMenu()); }

}  // namespace zul
