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

// When an item of the menu is checked.
enum MenuCheck { kNeverChecked, kCheckedWhenCurrent, kCheckedWhenLogging, kCheckedWhenPaused };

struct MenuItem {
  const char* caption;  // null for a separator; may hold the window's number as %d
  int id;
  MenuCheck check;
};

constexpr MenuItem kTextMenu[] = {
    {"&Select\tCtrl+S", kTextCmdSelect, kCheckedWhenCurrent},
    {"&Window Info.\tCtrl+W", kCmdWindowInfo, kNeverChecked},
    {"Command", kTextCmdConsole, kNeverChecked},
    {nullptr, 0, kNeverChecked},
    {"Start Log", kTextCmdStartLog, kCheckedWhenLogging},
    {"Stop Log", kTextCmdStopLog, kCheckedWhenPaused},
    {"&Copy ZULLIB%d.LOG\tCtrl+C", kTextCmdCopyLog, kNeverChecked},
    {nullptr, 0, kNeverChecked},
    {"&About ZULLIB\tCtrl+A", kTextCmdAbout, kNeverChecked},
    {nullptr, 0, kNeverChecked},
    {"&Destroy\tCtrl+Q", kTextCmdDestroy, kNeverChecked},
};

bool MenuItemChecked(MenuCheck check, int number) {
  switch (check) {
    case kCheckedWhenCurrent: return current_text_window == number;
    case kCheckedWhenLogging: return log_state[number] == 1;
    case kCheckedWhenPaused: return log_state[number] == 2;
    default: return false;
  }
}

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
  if (text_input_pending != 0 || point_tool_active != 0 || !TextWindowLive(number)) return nullptr;
  HMENU menu = CreatePopupMenu();
  UINT position = 0;
  for (const MenuItem& item : kTextMenu) {
    if (!item.caption) {
      InsertMenuSeparator(menu, position++);
      continue;
    }
    char caption[512];
    snprintf(caption, sizeof caption, item.caption, number);
    UINT state = MenuItemChecked(item.check, number) ? MFS_CHECKED : kMenuEnabled;
    InsertMenuText(menu, position++, state, static_cast<UINT>(item.id), caption);
  }
  return menu;
}

void ShowTextWindowMenu(HWND window, int number) {
  TrackMenuAtCursor(window, BuildTextWindowMenu(number));
}

// Commands that print or read input pump messages: this window may be closed
// meanwhile, so nothing here uses `number` after them.
void TextWindowCommand(HWND, int number, int id) {
  switch (id) {
    case kTextCmdDestroy:
      ZUL_CloseTextWindow(number);
      break;
    case kTextCmdSelect:
      ZUL_SelectTextWindow(number);
      break;
    case kTextCmdAbout:
      ShowAbout(number);
      break;
    case kTextCmdStartLog:
      ZUL_StartLog(number);
      break;
    case kTextCmdStopLog:
      ZUL_StopLog(number);
      break;
    case kTextCmdCopyLog:
      ZUL_CopyLog(number);
      break;
    case kTextCmdConsole:
      ZUL_RunCommandConsole();  // in the current text window, not necessarily this one
      break;
    case kCmdWindowInfo:
      PrintWindowInformation(number);
      break;
    default:
      break;
  }
}

}  // namespace zul
