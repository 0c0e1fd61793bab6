// The main window's popup menu, item by item, idle and busy.
#include <gtest/gtest.h>

#include <string>

#include "mainwin/mainwin.h"
#include "test_support.h"

namespace {

struct Item {
  const wchar_t* caption;  // null for a separator
  UINT id;
  bool greyed_when_busy;
};

const Item kItems[kMainPopupItems] = {
    {L"Paste\tCtrl+V", 1026, true},
    {nullptr, 0, false},
    {L"Start", 1001, true},
    {L"Stop", 1003, false},
    {L"E&xit", 1002, false},
    {nullptr, 0, false},
    {L"Image Window", 1027, true},
    {L"Text Window", 1028, true},
    {L"Input Box", 1044, true},
    {L"Button Box", 1051, true},
    {nullptr, 0, false},
    {L"&Window Info.\tCtrl+W", 1045, true},
};

void ExpectMenu(HMENU menu, bool busy) {
  ASSERT_EQ(GetMenuItemCount(menu), kMainPopupItems);
  for (int pos = 0; pos < kMainPopupItems; ++pos) {
    const Item& item = kItems[pos];
    UINT state = GetMenuState(menu, pos, MF_BYPOSITION);
    if (!item.caption) {
      EXPECT_TRUE(state & MF_SEPARATOR) << pos;
      continue;
    }
    wchar_t caption[64];
    GetMenuStringW(menu, pos, caption, 64, MF_BYPOSITION);
    EXPECT_STREQ(caption, item.caption) << pos;
    EXPECT_EQ(GetMenuItemID(menu, pos), item.id) << pos;
    UINT expected = busy && item.greyed_when_busy ? (MF_GRAYED | MF_DISABLED) : 0;
    EXPECT_EQ(state & (MF_GRAYED | MF_DISABLED), expected) << pos;
  }
}

}  // namespace

TEST(MainPopupMenu, IdleEveryItemEnabled) {
  running = 0;
  text_input_pending = 0;
  HMENU menu = BuildMainPopupMenu();
  ExpectMenu(menu, false);
  DestroyMenu(menu);
}

TEST(MainPopupMenu, WhileTheApplicationRunsOnlyStopAndExit) {
  running = 1;
  text_input_pending = 0;
  HMENU menu = BuildMainPopupMenu();
  running = 0;
  ExpectMenu(menu, true);
  DestroyMenu(menu);
}

TEST(MainPopupMenu, WhileALineIsAwaitedOnlyStopAndExit) {
  running = 0;
  text_input_pending = 3;
  HMENU menu = BuildMainPopupMenu();
  text_input_pending = 0;
  ExpectMenu(menu, true);
  DestroyMenu(menu);
}
