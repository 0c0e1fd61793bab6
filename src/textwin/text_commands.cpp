// Keys and commands of a text window while no input is pending.
#include "textwin/textwin.h"

#include "core/core.h"
#include "core/command_ids.h"

namespace {


int CommandOfCtrlKey(WPARAM key) {
  switch (key) {
    case 'A': return kTextCmdAbout;
    case 'C': return kTextCmdCopyLog;
    case 'W': return kCmdWindowInfo;
    case 'Q': return kTextCmdDestroy;
    case 'S': return kTextCmdSelect;
    default: return 0;
  }
}

}  // namespace

void TextWindowKey(HWND window, int, WPARAM key) {
  if (ControlHeld()) {
    int id = CommandOfCtrlKey(key);
    if (id != 0) PostCommandToWindow(window, id);
    return;
  }
  if (!ForwardKeyToMainWindow(key, 0) && key == VK_SPACE) {
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
    case kCmdWindowInfo:
    default:
      break;
  }
}
