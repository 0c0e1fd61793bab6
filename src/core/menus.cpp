// Popup menus and the menu bar: items inserted by position.
#include "core/core.h"

namespace zul {

void InsertMenuText(HMENU menu, UINT position, UINT state, UINT id, const char* caption) {
  wchar_t wide[kWindowTextUnits];
  AnsiToWide(caption, wide, kWindowTextUnits);
  MENUITEMINFOW item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
  item.fType = MFT_STRING;
  item.fState = state;
  item.wID = id;
  item.dwTypeData = wide;
  InsertMenuItemW(menu, position, TRUE, &item);
}

void InsertMenuSeparator(HMENU menu, UINT position) {
  MENUITEMINFOW item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_TYPE;
  item.fType = MFT_SEPARATOR;
  InsertMenuItemW(menu, position, TRUE, &item);
}

void InsertSubMenu(HMENU menu, HMENU submenu, UINT position, const char* caption) {
  wchar_t wide[kWindowTextUnits];
  AnsiToWide(caption, wide, kWindowTextUnits);
  MENUITEMINFOW item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_TYPE | MIIM_SUBMENU;
  item.fType = MFT_STRING;
  item.hSubMenu = submenu;
  item.dwTypeData = wide;
  InsertMenuItemW(menu, position, TRUE, &item);
}

}  // namespace zul
