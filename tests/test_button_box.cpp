// The button box on the test thread: grid layout, press counting, captions,
// resizing, refused opens and destroying.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "boxes/boxes.h"
#include "test_support.h"
#include "textwin_test_util.h"

namespace {

constexpr int kInitialButtonWidth = 98;
constexpr int kInitialButtonHeight = 26;

class ButtonBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    InitializeFrameworkForTests();
    ZUL_DestroyButtonBox();
    button_box.button_width = kInitialButtonWidth;
    button_box.button_height = kInitialButtonHeight;
  }
  void TearDown() override {
    ZUL_DestroyButtonBox();
    PumpFor(10);
  }
};

SIZE ClientSize(HWND window) {
  RECT rect;
  GetClientRect(window, &rect);
  return SIZE{rect.right, rect.bottom};
}

// A button's rectangle in the box's client coordinates.
RECT ButtonRect(int index) {
  RECT rect;
  GetWindowRect(button_box.buttons[index], &rect);
  MapWindowPoints(nullptr, ButtonBoxWindow(), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::wstring ButtonText(int index) {
  wchar_t text[600];
  text[0] = 0;
  GetWindowTextW(button_box.buttons[index], text, 600);
  return text;
}

int CountChildButtons(HWND box) {
  int count = 0;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t cls[32];
    GetClassNameW(child, cls, 32);
    if (lstrcmpiW(cls, L"Button") == 0) count++;
  }
  return count;
}

// Makes the box the active window again (another program's window may have
// taken the foreground meanwhile); the keyboard focus lives within it.
void ActivateBox() {
  SetForegroundWindow(ButtonBoxWindow());
  WaitUntil([] { return GetForegroundWindow() == ButtonBoxWindow(); }, 2000);
}

void Click(int index) {
  SendMessageW(button_box.buttons[index], BM_CLICK, 0, 0);
  PumpFor(5);
}

// Rows of the button's face that hold caption ink (pixels darker than the
// face), drawn by the button into a bitmap of its own, so that no other
// window on the screen can cover it.
int InkRows(int index) {
  HWND button = button_box.buttons[index];
  RECT rect;
  GetClientRect(button, &rect);
  HDC screen = GetDC(button);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, rect.right, rect.bottom);
  ReleaseDC(button, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  int rows = 0;
  for (int y = 3; y < rect.bottom - 3; ++y) {
    for (int x = 3; x < rect.right - 3; ++x) {
      COLORREF c = GetPixel(dc, x, y);
      if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) {
        rows++;
        break;
      }
    }
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return rows;
}

// From another thread: waits for the pending line input of text window
// `number` and types `answer` and Enter into it.
std::thread TypeAnswerLater(int number, std::string answer) {
  return std::thread([number, answer] {
    DWORD start = GetTickCount();
    while (text_input_pending != number + 1 && GetTickCount() - start < 5000) Sleep(1);
    HWND window = text_windows[number].window;
    for (char c : answer) PostMessageW(window, WM_CHAR, static_cast<WPARAM>(c), 1);
    PostMessageW(window, WM_CHAR, 13, 1);
  });
}

// The visible popup menu window of this process, or null.
HWND VisiblePopup() {
  for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
       w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// From another thread: waits for a popup menu and chooses its first item.
std::thread ChooseFirstMenuItemLater(std::atomic<int>* menu_items) {
  return std::thread([menu_items] {
    HWND popup = nullptr;
    DWORD start = GetTickCount();
    while (!(popup = VisiblePopup()) && GetTickCount() - start < 5000) Sleep(5);
    if (!popup) return;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    *menu_items = GetMenuItemCount(menu);
    PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
  });
}

}  // namespace

TEST_F(ButtonBoxTest, TwoByTenGridHasItsLayoutAndClientSize) {
  ZUL_OpenButtonBox(200, 0, 2, 10);
  HWND box = ButtonBoxWindow();
  ASSERT_NE(box, nullptr);
  PumpFor(20);
  SIZE client = ClientSize(box);
  EXPECT_EQ(client.cx, 208);
  EXPECT_EQ(client.cy, 304);
  RECT outer;
  GetWindowRect(box, &outer);
  EXPECT_EQ(outer.left, 200);
  EXPECT_EQ(outer.top, 0);

  wchar_t text[64];
  GetWindowTextW(box, text, 64);
  EXPECT_STREQ(text, L"ButtonBox");
  GetClassNameW(box, text, 64);
  EXPECT_STREQ(text, L"zul_bb");
  LONG style = GetWindowLongW(box, GWL_STYLE);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_EQ(GetMenu(box), nullptr);

  EXPECT_EQ(CountChildButtons(box), 20);
  for (int index = 0; index < 20; ++index) {
    RECT r = ButtonRect(index);
    int row = index / 2, column = index % 2;
    EXPECT_EQ(r.left, column * 102 + 4) << index;
    EXPECT_EQ(r.top, row * 30 + 4) << index;
    EXPECT_EQ(r.right - r.left, 98) << index;
    EXPECT_EQ(r.bottom - r.top, 26) << index;
    EXPECT_EQ(ButtonText(index), std::to_wstring(index));
    EXPECT_TRUE(GetWindowLongW(button_box.buttons[index], GWL_STYLE) & BS_MULTILINE);
    EXPECT_EQ(GetDlgCtrlID(button_box.buttons[index]), 0);
  }
  // Buttons 0 and 1 side by side in the top row.
  EXPECT_EQ(ButtonRect(0).top, ButtonRect(1).top);
  EXPECT_LT(ButtonRect(0).right, ButtonRect(1).left);
}

TEST_F(ButtonBoxTest, OtherGridsNumberRowByRow) {
  ZUL_OpenButtonBox(10, 20, 3, 2);
  ASSERT_NE(ButtonBoxWindow(), nullptr);
  SIZE client = ClientSize(ButtonBoxWindow());
  EXPECT_EQ(client.cx, 3 * 102 + 4);
  EXPECT_EQ(client.cy, 2 * 30 + 4);
  EXPECT_EQ(ButtonRect(3).left, 4);  // row 1 starts again at the left
  EXPECT_EQ(ButtonRect(3).top, 34);
  EXPECT_EQ(ButtonRect(5).left, 208);
  ZUL_DestroyButtonBox();

  ZUL_OpenButtonBox(0, 0, 16, 16);  // 256 buttons: the largest box
  ASSERT_NE(ButtonBoxWindow(), nullptr);
  EXPECT_EQ(CountChildButtons(ButtonBoxWindow()), 256);
  EXPECT_EQ(ButtonText(255), L"255");
}

TEST_F(ButtonBoxTest, RefusedOpensDoNothing) {
  ZUL_OpenButtonBox(0, 0, 17, 16);  // 272 buttons
  EXPECT_EQ(ButtonBoxWindow(), nullptr);
  ZUL_OpenButtonBox(0, 0, 0, 5);
  EXPECT_EQ(ButtonBoxWindow(), nullptr);
  ZUL_OpenButtonBox(0, 0, 5, 0);
  EXPECT_EQ(ButtonBoxWindow(), nullptr);
  ZUL_OpenButtonBox(0, 0, -2, -3);  // a positive product of two bad numbers
  EXPECT_EQ(ButtonBoxWindow(), nullptr);
  ZUL_OpenButtonBox(0, 0, 65536, 65536);  // a product that overflows
  EXPECT_EQ(ButtonBoxWindow(), nullptr);
  ZUL_OpenButtonBox(0, 0, 257, 1);
  EXPECT_EQ(ButtonBoxWindow(), nullptr);

  // A second open while a box is open leaves the first one alone.
  ZUL_OpenButtonBox(50, 60, 2, 3);
  HWND first = ButtonBoxWindow();
  ASSERT_NE(first, nullptr);
  ZUL_OpenButtonBox(0, 0, 4, 4);
  EXPECT_EQ(ButtonBoxWindow(), first);
  EXPECT_EQ(button_box.count, 6);
  EXPECT_EQ(CountChildButtons(first), 6);
}

TEST_F(ButtonBoxTest, ClicksAreCountedUntilRead) {
  ZUL_OpenButtonBox(200, 0, 2, 10);
  HWND box = ButtonBoxWindow();
  ASSERT_NE(box, nullptr);
  Click(5);
  Click(5);
  Click(5);
  Click(0);
  EXPECT_EQ(ZUL_GetButtonBox(5), 3);
  EXPECT_EQ(ZUL_GetButtonBox(5), 0);
  EXPECT_EQ(ZUL_GetButtonBox(0), 1);
  EXPECT_EQ(ZUL_GetButtonBox(1), 0);
  // After a click the keyboard focus is back on the box.
  ActivateBox();
  Click(6);
  EXPECT_EQ(GetFocus(), box);
  EXPECT_EQ(ZUL_GetButtonBox(6), 1);

  // Out-of-range numbers read 0.
  EXPECT_EQ(ZUL_GetButtonBox(-1), 0);
  EXPECT_EQ(ZUL_GetButtonBox(20), 0);
  EXPECT_EQ(ZUL_GetButtonBox(255), 0);
  EXPECT_EQ(ZUL_GetButtonBox(100000), 0);

  // The box's own menu commands are not presses.
  SendMessageW(box, WM_COMMAND, kCmdButtonBoxRename + 1000, 0);
  for (int index = 0; index < 20; ++index) EXPECT_EQ(ZUL_GetButtonBox(index), 0);

  // Once the box is gone every button reads 0, even an unread press.
  Click(19);
  ZUL_DestroyButtonBox();
  EXPECT_EQ(ZUL_GetButtonBox(19), 0);
}

TEST_F(ButtonBoxTest, DigitKeysPressButtonsZeroToNine) {
  ZUL_OpenButtonBox(200, 0, 2, 10);
  HWND box = ButtonBoxWindow();
  ASSERT_NE(box, nullptr);
  ActivateBox();
  Click(2);
  ASSERT_EQ(ZUL_GetButtonBox(2), 1);
  // A typed key goes to the focused window, which the click gave back to the box.
  HWND focus = GetFocus();
  ASSERT_EQ(focus, box);
  PostMessageW(focus, WM_KEYDOWN, '7', 0x00080001);
  PostMessageW(focus, WM_KEYUP, '7', 0xC0080001);
  PumpFor(20);
  EXPECT_EQ(ZUL_GetButtonBox(7), 1);
  SendMessageW(box, WM_CHAR, '0', 0);
  SendMessageW(box, WM_CHAR, '9', 0);
  SendMessageW(box, WM_CHAR, '9', 0);
  SendMessageW(box, WM_CHAR, 'a', 0);
  EXPECT_EQ(ZUL_GetButtonBox(0), 1);
  EXPECT_EQ(ZUL_GetButtonBox(9), 2);
  for (int index = 10; index < 20; ++index) EXPECT_EQ(ZUL_GetButtonBox(index), 0);
}

TEST_F(ButtonBoxTest, DigitsBeyondASmallBoxCountNothing) {
  ZUL_OpenButtonBox(0, 0, 3, 1);
  HWND box = ButtonBoxWindow();
  ASSERT_NE(box, nullptr);
  SendMessageW(box, WM_CHAR, '8', 0);
  SendMessageW(box, WM_CHAR, '2', 0);
  EXPECT_EQ(ZUL_GetButtonBox(8), 0);
  EXPECT_EQ(ZUL_GetButtonBox(2), 1);
  ZUL_DestroyButtonBox();
  // A bigger box opened afterwards starts with no presses.
  ZUL_OpenButtonBox(0, 0, 2, 10);
  EXPECT_EQ(ZUL_GetButtonBox(8), 0);
}

TEST_F(ButtonBoxTest, CaptionsAreSetOnlyOnButtonsOfTheBox) {
  ZUL_SetButtonBoxTitle(0, "no box");  // nothing open: nothing happens
  ZUL_OpenButtonBox(200, 0, 2, 10);
  ASSERT_NE(ButtonBoxWindow(), nullptr);
  ZUL_SetButtonBoxTitle(3, "pitch+");
  EXPECT_EQ(ButtonText(3), L"pitch+");
  EXPECT_EQ(ButtonText(0), L"0");
  ZUL_SetButtonBoxTitle(20, "twenty");
  ZUL_SetButtonBoxTitle(-1, "minus");
  for (int index = 0; index < 20; ++index) {
    if (index != 3) {
      EXPECT_EQ(ButtonText(index), std::to_wstring(index));
    }
  }
  ZUL_SetButtonBoxTitle(4, "view\n+");
  EXPECT_EQ(ButtonText(4), L"view\n+");
  ZUL_SetButtonBoxTitle(5, nullptr);
  EXPECT_EQ(ButtonText(5), L"");
  // Over-long text is cut at 255 characters.
  std::string longer(1000, 'q');
  ZUL_SetButtonBoxTitle(6, longer.c_str());
  EXPECT_EQ(ButtonText(6), std::wstring(255, L'q'));
}

TEST_F(ButtonBoxTest, NewLineStartsASecondCaptionLine) {
  button_box.button_height = 60;  // room for two lines
  ZUL_OpenButtonBox(200, 0, 2, 2);
  ASSERT_NE(ButtonBoxWindow(), nullptr);
  ZUL_SetButtonBoxTitle(0, "W");
  ZUL_SetButtonBoxTitle(1, "W\nW");
  int one = InkRows(0);
  int two = InkRows(1);
  ASSERT_GT(one, 0);
  EXPECT_GE(two, one * 2);
}

TEST_F(ButtonBoxTest, ResizingFitsTheGridAndIsKeptForTheNextBox) {
  ZUL_OpenButtonBox(200, 0, 2, 10);
  HWND box = ButtonBoxWindow();
  ASSERT_NE(box, nullptr);
  ZUL_ResizeButtonBox(300, 200);
  PumpFor(20);
  SIZE client = ClientSize(box);
  EXPECT_EQ(client.cx, 300);
  EXPECT_EQ(client.cy, 200);
  EXPECT_EQ(button_box.button_width, 144);
  EXPECT_EQ(button_box.button_height, 15);
  RECT r = ButtonRect(3);
  EXPECT_EQ(r.left, 148 + 4);
  EXPECT_EQ(r.top, 19 + 4);
  EXPECT_EQ(r.right - r.left, 144);
  EXPECT_EQ(r.bottom - r.top, 15);
  // The outer position stays.
  RECT outer;
  GetWindowRect(box, &outer);
  EXPECT_EQ(outer.left, 200);
  EXPECT_EQ(outer.top, 0);

  ZUL_DestroyButtonBox();
  ZUL_OpenButtonBox(200, 0, 2, 10);
  ASSERT_NE(ButtonBoxWindow(), nullptr);
  client = ClientSize(ButtonBoxWindow());
  EXPECT_EQ(client.cx, 2 * 148 + 4);
  EXPECT_EQ(client.cy, 10 * 19 + 4);
  EXPECT_EQ(ButtonRect(19).right - ButtonRect(19).left, 144);
}

TEST_F(ButtonBoxTest, DraggingTheFrameResizesTheButtons) {
  ZUL_OpenButtonBox(100, 100, 3, 2);
  HWND box = ButtonBoxWindow();
  ASSERT_NE(box, nullptr);
  RECT outer;
  GetWindowRect(box, &outer);
  SetWindowPos(box, nullptr, 0, 0, outer.right - outer.left + 31, outer.bottom - outer.top + 10,
               SWP_NOMOVE | SWP_NOZORDER);
  PumpFor(10);
  SIZE client = ClientSize(box);
  int width = (client.cx - 16) / 3;
  int height = (client.cy - 12) / 2;
  EXPECT_EQ(width, 98 + 10);  // 31 more pixels: 10 each, 1 left over at the right
  EXPECT_EQ(ButtonRect(5).right - ButtonRect(5).left, width);
  EXPECT_EQ(ButtonRect(5).bottom - ButtonRect(5).top, height);
  EXPECT_EQ(ButtonRect(5).left, 2 * (width + 4) + 4);
}

TEST_F(ButtonBoxTest, ATinyBoxKeepsButtonsOfAtLeastOnePixel) {
  ZUL_OpenButtonBox(100, 100, 4, 10);
  ASSERT_NE(ButtonBoxWindow(), nullptr);
  ZUL_ResizeButtonBox(0, 0);
  PumpFor(10);
  EXPECT_GE(button_box.button_width, 1);
  EXPECT_GE(button_box.button_height, 1);
  ZUL_ResizeButtonBox(-5, 1 << 30);  // nonsense sizes are bounded, never crash
  PumpFor(10);
  EXPECT_GE(button_box.button_width, 1);
  EXPECT_GE(button_box.button_height, 1);
  ZUL_DestroyButtonBox();
  ZUL_ResizeButtonBox(300, 200);  // no box: nothing
  EXPECT_EQ(ButtonBoxWindow(), nullptr);
}

TEST_F(ButtonBoxTest, DestroyingByCallCloseBoxMenuAndCtrlQ) {
  ZUL_OpenButtonBox(0, 0, 2, 2);
  HWND box = ButtonBoxWindow();
  ASSERT_NE(box, nullptr);
  ZUL_DestroyButtonBox();
  EXPECT_FALSE(IsWindow(box));
  EXPECT_EQ(ButtonBoxWindow(), nullptr);
  ZUL_DestroyButtonBox();  // nothing open: nothing happens

  ZUL_OpenButtonBox(0, 0, 2, 2);
  box = ButtonBoxWindow();
  PostMessageW(box, WM_CLOSE, 0, 0);
  PumpFor(10);
  EXPECT_FALSE(IsWindow(box));
  EXPECT_EQ(ButtonBoxWindow(), nullptr);

  ZUL_OpenButtonBox(0, 0, 2, 2);
  box = ButtonBoxWindow();
  PostMessageW(box, WM_COMMAND, kCmdButtonBoxDestroy, 0);
  PumpFor(10);
  EXPECT_FALSE(IsWindow(box));

  ZUL_OpenButtonBox(0, 0, 2, 2);
  box = ButtonBoxWindow();
  PostMessageW(box, WM_KEYDOWN, 'Q', 0);  // without Ctrl: nothing
  PumpFor(10);
  EXPECT_TRUE(IsWindow(box));
  HoldControlKey(true);
  SendMessageW(box, WM_KEYDOWN, 'Q', 0);
  HoldControlKey(false);
  PumpFor(10);
  EXPECT_FALSE(IsWindow(box));
  EXPECT_EQ(ButtonBoxWindow(), nullptr);

  // A new box can be opened after each way of closing.
  ZUL_OpenButtonBox(0, 0, 1, 1);
  EXPECT_NE(ButtonBoxWindow(), nullptr);
}

TEST_F(ButtonBoxTest, PopupMenusHoldOneItemEach) {
  HMENU frame = BuildButtonBoxFrameMenu();
  ASSERT_EQ(GetMenuItemCount(frame), 1);
  wchar_t caption[64];
  GetMenuStringW(frame, 0, caption, 64, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"&Destroy\tCtrl+Q");
  EXPECT_EQ(GetMenuItemID(frame, 0), 1050u);
  DestroyMenu(frame);
  HMENU client = BuildButtonBoxRenameMenu();
  ASSERT_EQ(GetMenuItemCount(client), 1);
  GetMenuStringW(client, 0, caption, 64, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"Rename");
  EXPECT_EQ(GetMenuItemID(client, 0), 1057u);
  DestroyMenu(client);
}

TEST_F(ButtonBoxTest, GridHitTestClampsToTheGrid) {
  ZUL_OpenButtonBox(0, 0, 2, 10);
  ASSERT_NE(ButtonBoxWindow(), nullptr);
  EXPECT_EQ(HitTestButtonGrid(1, 1), 0);
  EXPECT_EQ(HitTestButtonGrid(103, 2), 1);      // column 1, top row
  EXPECT_EQ(HitTestButtonGrid(101, 31), 2);     // left of column 1, row 1
  EXPECT_EQ(HitTestButtonGrid(207, 303), 19);   // the bottom-right corner
  EXPECT_EQ(HitTestButtonGrid(5000, 5000), 19); // clamped
  EXPECT_EQ(HitTestButtonGrid(-20, -20), 0);
}

// ---- renaming through a prompt in the current text window ---------------------------

class ButtonRenameTest : public ButtonBoxTest {
 protected:
  void SetUp() override {
    ButtonBoxTest::SetUp();
    OpenFreshTextWindow(0, 400, 200, 600, 0);
    ZUL_OpenButtonBox(200, 0, 2, 10);
    ASSERT_NE(ButtonBoxWindow(), nullptr);
  }
  void TearDown() override {
    ZUL_DestroyButtonBox();
    for (int n = 0; n < kTextSlots; ++n) {
      if (text_windows[n].in_use) ZUL_CloseTextWindow(n);
    }
    ButtonBoxTest::TearDown();
  }
};

TEST_F(ButtonRenameTest, DoubleClickBetweenButtonsRenamesTheOneUnderTheGrid) {
  ZUL_SetButtonBoxTitle(5, "old");
  // (105, 62): the gap left of button 5 (column 1 starts at 106, row 2 at 64)
  // belongs to column 1 and row 2 by the grid rule: x / 102, y / 30.
  std::thread typist = TypeAnswerLater(0, "pitch+");
  SendMessageW(ButtonBoxWindow(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(105, 62));
  typist.join();
  EXPECT_EQ(ButtonText(5), L"pitch+");
  EXPECT_EQ(ButtonText(4), L"4");

  // The prompt as printed: compare with the same text printed in a twin window.
  TextWindow& shown = text_windows[0];
  BufferCopy a = CopyBackBuffer(shown);
  ASSERT_EQ(ZUL_OpenTextWindow(1, 600, 400, shown.width, shown.height), 0);
  ZUL_Printf("5 'old' ->pitch+\n");
  BufferCopy b = CopyBackBuffer(text_windows[1]);
  for (int row = 0; row < 2 * shown.char_height; ++row) EXPECT_TRUE(RowsEqual(a, row, b, row)) << row;
  EXPECT_TRUE(AreaHasInk(a, 0, 0, a.width, shown.char_height));
}

TEST_F(ButtonRenameTest, RightClickMenuRenameAndEmptyAnswerKeepsTheCaption) {
  std::atomic<int> items{0};
  std::thread chooser = ChooseFirstMenuItemLater(&items);
  std::thread typist = TypeAnswerLater(0, "view-");
  // Right-click at the bottom-right corner: button 19.
  SendMessageW(ButtonBoxWindow(), WM_RBUTTONDOWN, 0, MAKELPARAM(207, 303));
  chooser.join();
  EXPECT_EQ(items, 1);
  EXPECT_TRUE(WaitUntil([] { return ButtonText(19) != L"19"; }));
  typist.join();
  EXPECT_EQ(ButtonText(19), L"view-");

  std::thread empty = TypeAnswerLater(0, "");
  ZUL_RenameButton(19);
  empty.join();
  EXPECT_EQ(ButtonText(19), L"view-");
}

TEST_F(ButtonRenameTest, BoxClosedWhileTheAnswerIsTypedIsLeftAlone) {
  std::thread closer([] {
    DWORD start = GetTickCount();
    while (text_input_pending == 0 && GetTickCount() - start < 5000) Sleep(1);
    PostMessageW(ButtonBoxWindow(), WM_CLOSE, 0, 0);
    Sleep(100);
    HWND window = text_windows[0].window;
    PostMessageW(window, WM_CHAR, 'x', 1);
    PostMessageW(window, WM_CHAR, 13, 1);
  });
  ZUL_RenameButton(3);
  closer.join();
  EXPECT_EQ(ButtonBoxWindow(), nullptr);
  EXPECT_EQ(ZUL_GetButtonBox(3), 0);
}

TEST_F(ButtonRenameTest, NoSecondPromptWhileALineIsAwaited) {
  std::thread typist([] {
    DWORD start = GetTickCount();
    while (text_input_pending == 0 && GetTickCount() - start < 5000) Sleep(1);
    // A double-click on the box while the first prompt waits starts nothing.
    SendMessageW(ButtonBoxWindow(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(1, 1));
    HWND window = text_windows[0].window;
    PostMessageW(window, WM_CHAR, 'A', 1);
    PostMessageW(window, WM_CHAR, 13, 1);
  });
  ZUL_RenameButton(2);
  typist.join();
  EXPECT_EQ(ButtonText(2), L"A");
  EXPECT_EQ(ButtonText(0), L"0");
}

TEST_F(ButtonBoxTest, CaptionBarMenuDestroysTheBox) {
  ZUL_OpenButtonBox(0, 0, 2, 2);
  HWND box = ButtonBoxWindow();
  ASSERT_NE(box, nullptr);
  Click(1);
  std::atomic<int> items{0};
  std::thread chooser = ChooseFirstMenuItemLater(&items);
  SendMessageW(box, WM_NCRBUTTONDOWN, HTCAPTION, 0);
  chooser.join();
  EXPECT_EQ(items, 1);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  EXPECT_EQ(ButtonBoxWindow(), nullptr);
  EXPECT_EQ(ZUL_GetButtonBox(1), 0);  // presses of a destroyed box are gone
}
