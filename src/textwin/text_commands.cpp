// Keys, context menu and commands of a text window while no input is pending.
#include "textwin/textwin.h"

#include <cstdio>

namespace zul {

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

constexpr char kAboutBanner[] = "ZULLIB 7.0  2006/12/25\n";

constexpr MenuRow kTextMenu[] = {
    Item(kTextCmdSelect, "&Select\tCtrl+S", [](int n) { return current_text_window == n; }),
    Item(kCmdWindowInfo, "&Window Info.\tCtrl+W"),
    Item(kTextCmdConsole, "Command"),
    Separator(),
    Item(kTextCmdStartLog, "Start Log", [](int n) { return log_state[n] == kLogging; }),
    Item(kTextCmdStopLog, "Stop Log", [](int n) { return log_state[n] == kLogPaused; }),
    Item(kTextCmdCopyLog, "&Copy ZULLIB%d.LOG\tCtrl+C"),
    Separator(),
    Item(kTextCmdAbout, "&About ZULLIB\tCtrl+A"),
    Separator(),
    Item(kTextCmdDestroy, "&Destroy\tCtrl+Q"),
};

void ShowAbout(int number) {
  ZUL_SelectTextWindow(number);
  ZUL_Printf("%s", kAboutBanner);
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

HMENU BuildTextWindowMenu(int number) {
  if (!ContextMenuMayOpen() || !TextWindowLive(number)) return nullptr;
  return BuildMenu(Rows(kTextMenu), number);
}

void ShowTextWindowMenu(HWND window, int number) {
  TrackMenuAtCursor(window, BuildTextWindowMenu(number));
}

// Commands that print or read input pump messages: this window may be closed
// meanwhile, so nothing here uses `number` after them.
void TextWindowCommand(HWND, int number, int id) {
  switch (id) {
    case kTextCmdDestroy: ZUL_CloseTextWindow(number); break;
    case kTextCmdSelect: ZUL_SelectTextWindow(number); break;
    case kTextCmdAbout: ShowAbout(number); break;
    case kTextCmdStartLog: ZUL_StartLog(number); break;
    case kTextCmdStopLog: ZUL_StopLog(number); break;
    case kTextCmdCopyLog: ZUL_CopyLog(number); break;
    case kTextCmdConsole:
      ZUL_RunCommandConsole();  // in the current text window, not necessarily this one
      break;
    case kCmdWindowInfo: PrintWindowInformation(number); break;
    default: break;
  }
}

}  // namespace zul
