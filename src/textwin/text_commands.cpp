// Keys and commands of a text window while no input is pending.
#include "textwin/textwin.h"

#include "core/core.h"

namespace {

enum TextCommand : int {
  kTextCmdDestroy = 1006,
  kTextCmdAbout = 1020,
  kTextCmdStartLog = 1024,
  kTextCmdStopLog = 1025,
  kTextCmdConsole = 1029,
  kTextCmdCopyLog = 1030,
  kTextCmdWindowInfo = 1045,
  kTextCmdSelect = 1069,
};

int CommandOfCtrlKey(WPARAM key) {
  switch (key) {
    case 'A': return kTextCmdAbout;
    case 'C': return kTextCmdCopyLog;
    case 'W': return kTextCmdWindowInfo;
    case 'Q': return kTextCmdDestroy;
    case 'S': return kTextCmdSelect;
    default: return 0;
  }
}

bool IsMainWindowKey(WPARAM key) { return key == 'X' || key == VK_ESCAPE || key == 'S' || key == 'C'; }

}  // namespace

void TextWindowKey(HWND window, int, WPARAM key) {
  if (GetKeyState(VK_CONTROL) < 0) {
    int id = CommandOfCtrlKey(key);
    if (id != 0) PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    return;
  }
  if (IsMainWindowKey(key)) {
    if (main_window) PostMessageW(main_window, WM_KEYDOWN, key, 0);
  } else if (key == VK_SPACE) {
    ZUL_Printf("caputure\n");
  }
}

// The context menu comes with the log and console commands.
void ShowTextWindowMenu(HWND, int) {}

void TextWindowCommand(HWND, int number, int id) {
  switch (id) {
    case kTextCmdDestroy:
      ZUL_CloseTextWindow(number);
      break;
    case kTextCmdSelect:
      ZUL_SelectTextWindow(number);
      break;
    // About, the log commands, the console and the window information report
    // are served here once they exist.
    case kTextCmdAbout:
    case kTextCmdStartLog:
    case kTextCmdStopLog:
    case kTextCmdConsole:
    case kTextCmdCopyLog:
    case kTextCmdWindowInfo:
    default:
      break;
  }
}
