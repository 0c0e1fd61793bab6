// Popup menus and the menu bar: items inserted by position, and whole menus
// built from their tables.
#include "core/core.h"

#include <cstdio>
#include <cstring>

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

namespace {

// The caption with its "%d", if any, replaced by the number; every other
// character (a "%" of "Zoom: 50%" too) stays as it is.
void FillInNumber(const char* caption, int number, char out[kWindowTextUnits]) {
  const char* mark = std::strstr(caption, "%d");
  if (!mark) {
    snprintf(out, kWindowTextUnits, "%s", caption);
    return;
  }
  snprintf(out, kWindowTextUnits, "%.*s%d%s", static_cast<int>(mark - caption), caption, number,
           mark + 2);
}

}  // namespace

HMENU BuildMenu(const MenuTable& table, int number, MenuKind kind) {
  HMENU menu = kind == MenuKind::kBar ? CreateMenu() : CreatePopupMenu();
  UINT position = 0;
  for (int i = 0; i < table.count; ++i) {
    const MenuRow& row = table.rows[i];
    if (row.shown && !row.shown(number)) continue;
    if (!row.caption) {
      InsertMenuSeparator(menu, position++);
      continue;
    }
    char caption[kWindowTextUnits];
    FillInNumber(row.caption, number, caption);
    if (row.submenu) {
      InsertSubMenu(menu, BuildMenu(*row.submenu, number), position++, caption);
      continue;
    }
    UINT state = kMenuEnabled;
    if (row.checked && row.checked(number)) state |= MFS_CHECKED;
    if (row.greyed && row.greyed(number)) state |= kMenuGreyed;
    InsertMenuText(menu, position++, state, row.id, caption);
  }
  return menu;
}

}  // namespace zul
