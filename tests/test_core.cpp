// The framework core's utilities: status field, log directory, text
// conversion, menus, clock and the snapping geometry.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "test_support.h"

namespace {

int StatusColumn(const char* text) {
  char field[kStatusFieldBytes];
  FormatStatusField(text, field);
  EXPECT_EQ(std::strlen(field), std::strspn(field, " ") + std::strlen(text));
  EXPECT_STREQ(field + std::strspn(field, " "), text);
  return static_cast<int>(std::strspn(field, " "));
}

}  // namespace

TEST(StatusText, CentresAroundColumn18) {
  EXPECT_EQ(StatusColumn("0123456789012345678901234567890123456789"), 0);  // 40 bytes
  EXPECT_EQ(StatusColumn("abcd"), 16);
  EXPECT_EQ(StatusColumn("24-bit color"), 12);
  EXPECT_EQ(StatusColumn(""), 18);
  EXPECT_EQ(StatusColumn("Input text"), 13);
}

TEST(StatusText, LongTextIsCutAtTheField) {
  std::string longer(100, 'x');
  char field[kStatusFieldBytes];
  std::memset(field, '#', sizeof field);
  FormatStatusField(longer.c_str(), field);
  EXPECT_EQ(std::strlen(field), 63u);
  EXPECT_EQ(std::string(field), std::string(63, 'x'));
}

TEST(LogDirectory, OneTrailingBackslash) {
  wchar_t out[kPathUnits];
  MakeLogDirectory(L"C:\\", out, kPathUnits);
  EXPECT_STREQ(out, L"C:\\");
  MakeLogDirectory(L"C:\\work\\bench", out, kPathUnits);
  EXPECT_STREQ(out, L"C:\\work\\bench\\");
  // A directory that fills the buffer is cut, never overrun.
  std::wstring full(300, L'd');
  MakeLogDirectory(full.c_str(), out, kPathUnits);
  EXPECT_EQ(std::wcslen(out), static_cast<size_t>(kPathUnits - 1));
}

TEST(TextConversion, RoundTripAndCutting) {
  wchar_t wide[kWindowTextUnits];
  EXPECT_EQ(AnsiToWide("Hello", wide, kWindowTextUnits), 5);
  EXPECT_STREQ(wide, L"Hello");
  char back[kWindowTextUnits];
  EXPECT_EQ(WideToAnsi(wide, back, kWindowTextUnits), 5);
  EXPECT_STREQ(back, "Hello");

  std::string longer(1000, 'a');
  EXPECT_EQ(AnsiToWide(longer.c_str(), wide, kWindowTextUnits), kWindowTextUnits - 1);
  EXPECT_EQ(std::wcslen(wide), static_cast<size_t>(kWindowTextUnits - 1));
  std::wstring wlonger(1000, L'b');
  EXPECT_EQ(WideToAnsi(wlonger.c_str(), back, 10), 9);
  EXPECT_STREQ(back, "bbbbbbbbb");

  // Code page 932 text becomes Japanese whatever the ANSI code page is.
  const char sjis[] = "\x83\x65\x83\x58\x83\x67";  // テスト
  EXPECT_EQ(CodePageToWide(932, sjis, wide, kWindowTextUnits), 3);
  EXPECT_STREQ(wide, L"\x30C6\x30B9\x30C8");
  EXPECT_EQ(AnsiToWide(nullptr, wide, kWindowTextUnits), 0);
  EXPECT_STREQ(wide, L"");
}

TEST(Menus, HelpersInsertByPosition) {
  HMENU menu = CreatePopupMenu();
  HMENU sub = CreatePopupMenu();
  InsertMenuText(menu, 0, kMenuEnabled, 1001, "Start(&S)");
  InsertMenuText(menu, 1, kMenuGreyed, 1003, "Stop(&C)");
  InsertMenuSeparator(menu, 1);
  InsertSubMenu(menu, sub, 3, "More");
  ASSERT_EQ(GetMenuItemCount(menu), 4);

  wchar_t caption[64];
  GetMenuStringW(menu, 0, caption, 64, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"Start(&S)");
  EXPECT_EQ(GetMenuItemID(menu, 0), 1001u);
  EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED), 0u);

  EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR);

  EXPECT_EQ(GetMenuItemID(menu, 2), 1003u);
  EXPECT_EQ(GetMenuState(menu, 2, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED),
            static_cast<UINT>(MF_GRAYED | MF_DISABLED));

  EXPECT_EQ(GetSubMenu(menu, 3), sub);
  GetMenuStringW(menu, 3, caption, 64, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"More");
  DestroyMenu(menu);
}

TEST(Clock, CountsMilliseconds) {
  InitializeFrameworkForTests();
  int t0 = ZUL_GetTime();
  Sleep(100);
  int elapsed = ZUL_GetTime() - t0;
  EXPECT_GE(elapsed, 95);
  EXPECT_LT(elapsed, 1000);
}

// ---- snapping geometry -----------------------------------------------------

namespace {

constexpr int kScreenW = 1280;
constexpr int kScreenH = 1054;

SnapList ListWith(std::initializer_list<RECT> windows) {
  SnapList list;
  ClearSnapList(&list);
  AddScreenStrips(&list, kScreenW, kScreenH);
  for (const RECT& r : windows) AddSnapRect(&list, r);
  return list;
}

RECT Moved(const SnapList& list, RECT present, RECT proposed, bool ctrl = true) {
  SnapRectAgainst(list, present, &proposed, ctrl);
  return proposed;
}

void ExpectRect(const RECT& r, int l, int t, int rr, int b) {
  EXPECT_EQ(r.left, l);
  EXPECT_EQ(r.top, t);
  EXPECT_EQ(r.right, rr);
  EXPECT_EQ(r.bottom, b);
}

}  // namespace

TEST(Snapping, SideBySideWithinSevenPixels) {
  const RECT other{100, 100, 300, 300};
  const RECT me{500, 150, 600, 250};
  SnapList list = ListWith({other, me});
  // 7 pixels right of the other window's right edge: flush against it.
  ExpectRect(Moved(list, me, RECT{307, 150, 407, 250}), 300, 150, 400, 250);
  // 8 pixels: no snap.
  ExpectRect(Moved(list, me, RECT{308, 150, 408, 250}), 308, 150, 408, 250);
  // Approaching from the left: right edge meets the other's left edge.
  ExpectRect(Moved(list, me, RECT{-5, 150, 95, 250}), 0, 150, 100, 250);
  ExpectRect(Moved(list, me, RECT{10, 150, 96, 250}), 14, 150, 100, 250);
}

TEST(Snapping, NothingWithoutCtrl) {
  const RECT other{100, 100, 300, 300};
  const RECT me{500, 150, 600, 250};
  SnapList list = ListWith({other, me});
  ExpectRect(Moved(list, me, RECT{303, 150, 403, 250}, false), 303, 150, 403, 250);
  ExpectRect(Moved(list, me, RECT{3, 3, 103, 103}, false), 3, 3, 103, 103);
}

TEST(Snapping, ScreenEdges) {
  const RECT me{500, 150, 600, 250};
  SnapList list = ListWith({me});
  ExpectRect(Moved(list, me, RECT{5, 400, 105, 500}), 0, 400, 100, 500);
  ExpectRect(Moved(list, me, RECT{-6, 400, 94, 500}), 0, 400, 100, 500);
  ExpectRect(Moved(list, me, RECT{400, 4, 500, 104}), 400, 0, 500, 100);
  ExpectRect(Moved(list, me, RECT{1176, 400, 1276, 500}), 1180, 400, 1280, 500);
  ExpectRect(Moved(list, me, RECT{400, 950, 500, 1050}), 400, 954, 500, 1054);
  // Into a corner: both axes snap.
  ExpectRect(Moved(list, me, RECT{3, 2, 103, 102}), 0, 0, 100, 100);
}

TEST(Snapping, AlignedEdgesAfterSideBySideSnap) {
  const RECT other{100, 100, 300, 300};
  const RECT me{500, 500, 600, 600};
  SnapList list = ListWith({other, me});
  // Dragged 3 pixels into the other window's right edge with its top 5 pixels
  // lower: flush beside it, and the tops line up too.
  ExpectRect(Moved(list, me, RECT{297, 105, 397, 205}), 300, 100, 400, 200);
  // Bottoms within reach instead.
  ExpectRect(Moved(list, me, RECT{297, 196, 397, 303}), 300, 193, 400, 300);
  // Overlap is judged on the rectangle as proposed: from a gap, only the side snaps.
  ExpectRect(Moved(list, me, RECT{304, 105, 404, 205}), 300, 105, 400, 205);
}

TEST(Snapping, StackedAndAlignedAfterStackedSnap) {
  const RECT other{100, 100, 300, 300};
  const RECT me{500, 500, 600, 600};
  SnapList list = ListWith({other, me});
  // Dragged 3 pixels into the other window's bottom edge with the left edges 6
  // apart: stacked below it and aligned.
  ExpectRect(Moved(list, me, RECT{106, 297, 206, 397}), 100, 300, 200, 400);
  // From a gap, only the stacking snaps.
  ExpectRect(Moved(list, me, RECT{106, 305, 206, 405}), 106, 300, 206, 400);
  // Near the top of the screen: stacked under the screen's top strip, then the
  // right edge lines up with the other window's.
  ExpectRect(Moved(list, me, RECT{197, 3, 297, 103}), 200, 0, 300, 100);
}

TEST(Snapping, TheMovingWindowIsSkipped) {
  const RECT me{300, 100, 400, 200};
  SnapList list = ListWith({me});
  // Its own old rectangle is 4 pixels away but does not attract it.
  ExpectRect(Moved(list, me, RECT{304, 100, 404, 200}), 304, 100, 404, 200);
}

TEST(Snapping, ListNeverOverflows) {
  SnapList list;
  ClearSnapList(&list);
  for (int i = 0; i < kSnapCapacity + 50; ++i) AddSnapRect(&list, RECT{i, i, i + 10, i + 10});
  EXPECT_EQ(list.count, kSnapCapacity);
  EXPECT_EQ(list.left[kSnapCapacity - 1], kSnapCapacity - 1);
  // Room for every framework window at once plus the strips and the main window.
  EXPECT_GE(kSnapCapacity, 4 + 256 + 256 + 2 + 1);
}
