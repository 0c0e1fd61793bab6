// The main window's menus: the right-button popup menu, built afresh for each
// click, and the menu bar.
#include "mainwin/mainwin.h"

namespace zul {

namespace {

bool Busy(int) { return MainCommandsBusy(); }

constexpr MenuRow kPopupMenu[] = {
    Item(kCmdPaste, "Paste\tCtrl+V", nullptr, Busy),
    Separator(),
    Item(kCmdStart, "Start", nullptr, Busy),
    Item(kCmdStop, "Stop"),
    Item(kCmdExit, "E&xit"),
    Separator(),
    Item(kCmdImageWindow, "Image Window", nullptr, Busy),
    Item(kCmdTextWindow, "Text Window", nullptr, Busy),
    Item(kCmdInputBox, "Input Box", nullptr, Busy),
    Item(kCmdButtonBox, "Button Box", nullptr, Busy),
    Separator(),
    Item(kCmdWindowInfo, "&Window Info.\tCtrl+W", nullptr, Busy),
};

constexpr MenuRow kMenuBar[] = {
    Item(kCmdStart, "Start(&S)"),
    Item(kCmdStop, "Stop(&C)"),
    Item(kCmdExit, "Exit(&X)"),
};

}  // namespace

bool MainCommandsBusy() { return running != 0 || text_input_pending != kNoInputPending; }

HMENU BuildMainPopupMenu() { return BuildMenu(Rows(kPopupMenu), 0); }

HMENU BuildMainMenuBar() { return BuildMenu(Rows(kMenuBar), 0, MenuKind::kBar); }

void ShowMainPopupMenu(HWND window) { TrackMenuAtCursor(window, BuildMainPopupMenu()); }

}  // namespace zul
