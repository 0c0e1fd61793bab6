// The button box on the test thread: grid layout, press counting, captions,
// resizing, refused opens, destroying and renaming through a prompt.
#include "text_test_helpers.h"

namespace {

using Longs = std::vector<LONG>;

class ButtonBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    InitializeFrameworkForTests();
    ZUL_DestroyButtonBox();
    button_box.button_width = 98, button_box.button_height = 26;  // the size a first box gets
  }
  void TearDown() override { ZUL_DestroyButtonBox(), CloseAllTextWindows(), PumpFor(10); }
};

LONG ClientWidth() { return ClientRect(ButtonBoxWindow()).right; }
LONG ClientHeight() { return ClientRect(ButtonBoxWindow()).bottom; }

// A button's left, top, width and height in the box's client coordinates.
Longs ButtonPlace(int index) {
  RECT r;
  GetWindowRect(button_box.buttons[index], &r);
  MapWindowPoints(nullptr, ButtonBoxWindow(), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::wstring ButtonText(int index) {
  wchar_t text[600] = {};
  GetWindowTextW(button_box.buttons[index], text, 600);
  return text;
}

// Sends `message` to the box at `where` and chooses the first item of the popup
// it opens; returns the number of items the popup had.
int ChooseFirstOfPopup(UINT message, WPARAM hit, LPARAM where) {
  std::atomic<int> items{0};
  std::thread chooser(ChooseFirstMenuItem, &items);
  SendMessageW(ButtonBoxWindow(), message, hit, where);
  chooser.join();
  return items;
}

void Click(int index) {
  SendMessageW(button_box.buttons[index], BM_CLICK, 0, 0);
  PumpFor(5);
}

// Rows of the button's face holding caption ink, drawn by the button into a
// bitmap of its own so that no other window can cover it.
int InkRows(int index) {
  HWND button = button_box.buttons[index];
  RECT rect = ClientRect(button);
  HDC screen = GetDC(button), dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, rect.right, rect.bottom);
  ReleaseDC(button, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  auto dark = [dc](int x, int y) {
    COLORREF c = GetPixel(dc, x, y);
    return c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
  };
  int rows = 0;
  for (int y = 3; y < rect.bottom - 3; ++y) {
    int x = 3;
    while (x < rect.right - 3 && !dark(x, y)) ++x;
    rows += x < rect.right - 3;
  }
  SelectObject(dc, old), DeleteObject(bitmap), DeleteDC(dc);
  return rows;
}

}  // namespace

TEST_F(ButtonBoxTest, GridsAreLaidOutRowByRow) {
  for (auto [columns, rows] : {std::pair{2, 10}, {3, 2}}) {
    ZUL_OpenButtonBox(200, 10, columns, rows);
    ASSERT_NE(ButtonBoxWindow(), nullptr);
    PumpFor(20);
    RECT outer = OuterRect(ButtonBoxWindow());
    EXPECT_EQ(Longs({outer.left, outer.top, ClientWidth(), ClientHeight()}),
              Longs({200, 10, columns * 102 + 4, rows * 30 + 4}));
    for (int index = 0; index < columns * rows; ++index) {
      EXPECT_EQ(ButtonPlace(index),
                Longs({index % columns * 102 + 4, index / columns * 30 + 4, 98, 26}))
          << index;
      EXPECT_EQ(ButtonText(index), std::to_wstring(index));
    }
    ZUL_DestroyButtonBox();
  }
  for (auto [columns, rows] :
       {std::pair{17, 16}, {0, 5}, {5, 0}, {-2, -3}, {65536, 65536}, {257, 1}}) {
    ZUL_OpenButtonBox(0, 0, columns, rows);  // refused
    EXPECT_EQ(ButtonBoxWindow(), nullptr) << columns << "x" << rows;
  }
  ZUL_OpenButtonBox(50, 60, 2, 3);
  HWND first = ButtonBoxWindow();
  ZUL_OpenButtonBox(0, 0, 4, 4);  // a second open leaves the first box alone
  EXPECT_TRUE(ButtonBoxWindow() == first && button_box.count == 6);
  ZUL_DestroyButtonBox();
  ZUL_OpenButtonBox(0, 0, 16, 16);  // the largest box
  EXPECT_EQ(ButtonText(255), L"255");
}

TEST_F(ButtonBoxTest, PressesAreCountedUntilRead) {
  ZUL_OpenButtonBox(200, 0, 2, 10);
  HWND box = ButtonBoxWindow();
  for (int index : {5, 5, 5, 0}) Click(index);
  EXPECT_EQ(std::vector<int>({ZUL_GetButtonBox(5), ZUL_GetButtonBox(5), ZUL_GetButtonBox(0)}),
            std::vector<int>({3, 0, 1}));  // read in this order: a second read finds none
  for (int bad : {-1, 20, 255, 100000}) EXPECT_EQ(ZUL_GetButtonBox(bad), 0);
  SetForegroundWindow(box);
  WaitUntil([&] { return GetForegroundWindow() == box; }, 2000);
  Click(2);
  ASSERT_EQ(GetFocus(), box);  // after a click the keyboard focus is back on the box
  PostMessageW(box, WM_KEYDOWN, '7', 0x00080001);  // digit keys press buttons 0-9
  PostMessageW(box, WM_KEYUP, '7', 0xC0080001);
  PumpFor(20);
  for (WPARAM c : {'0', '9', '9', 'a'}) SendMessageW(box, WM_CHAR, c, 0);
  SendMessageW(box, WM_COMMAND, kCmdButtonBoxRename + 1000,
               0);  // the box's own commands are no presses
  std::vector<int> counts;
  for (int index = 0; index < 20; ++index) counts.push_back(ZUL_GetButtonBox(index));
  EXPECT_EQ(counts, (std::vector<int>{1, 0, 1, 0, 0, 0, 0, 1, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  Click(19);
  ZUL_DestroyButtonBox();
  EXPECT_EQ(ZUL_GetButtonBox(19), 0);  // an unread press of a closed box is gone
  ZUL_OpenButtonBox(0, 0, 3, 1);
  SendMessageW(ButtonBoxWindow(), WM_CHAR, '8', 0);  // beyond a small box: nothing
  ZUL_DestroyButtonBox();
  ZUL_OpenButtonBox(0, 0, 2, 10);
  EXPECT_EQ(ZUL_GetButtonBox(8), 0);
}

TEST_F(ButtonBoxTest, CaptionsOnlyOnButtonsOfTheBoxCutAt255) {
  ZUL_SetButtonBoxTitle(0, "no box");  // nothing open: nothing happens
  button_box.button_height = 60;       // room for two lines
  ZUL_OpenButtonBox(200, 0, 2, 10);
  std::string long_caption(1000, 'q');
  for (auto [index, caption] : {std::pair{3, "pitch+"},
                                {20, "twenty"},
                                {-1, "minus"},
                                {5, nullptr},
                                {6, long_caption.c_str()}})
    ZUL_SetButtonBoxTitle(index, caption);
  for (int index = 0; index < 20; ++index)
    EXPECT_EQ(ButtonText(index), index == 3   ? L"pitch+"
                                 : index == 5 ? L""
                                 : index == 6 ? std::wstring(255, L'q')
                                              : std::to_wstring(index));
  ZUL_SetButtonBoxTitle(0, "W");
  ZUL_SetButtonBoxTitle(1, "W\nW");  // a new line starts a second caption line
  ASSERT_GT(InkRows(0), 0);
  EXPECT_GE(InkRows(1), InkRows(0) * 2);
}

TEST_F(ButtonBoxTest, ResizingFitsTheGridAndIsKeptForTheNextBox) {
  ZUL_OpenButtonBox(200, 0, 2, 10);
  ZUL_ResizeButtonBox(300, 200);
  PumpFor(20);
  EXPECT_EQ(Longs({OuterRect(ButtonBoxWindow()).left, ClientWidth(), ClientHeight()}),
            Longs({200, 300, 200}));  // the outer position stays
  EXPECT_EQ(ButtonPlace(3), Longs({152, 23, 144, 15}));
  ZUL_DestroyButtonBox();
  ZUL_OpenButtonBox(200, 0, 2, 10);
  EXPECT_EQ(Longs({ClientWidth(), ClientHeight()}), Longs({2 * 148 + 4, 10 * 19 + 4}));
  ZUL_DestroyButtonBox();
  button_box.button_width = 98, button_box.button_height = 26;
  ZUL_OpenButtonBox(100, 100, 3, 2);  // dragging the frame resizes the buttons
  RECT outer = OuterRect(ButtonBoxWindow());
  SetWindowPos(ButtonBoxWindow(), nullptr, 0, 0, outer.right - outer.left + 31,
               outer.bottom - outer.top + 10, SWP_NOMOVE | SWP_NOZORDER);
  PumpFor(10);
  int width = (ClientWidth() - 16) / 3, height = (ClientHeight() - 12) / 2;
  EXPECT_EQ(width, 98 + 10);  // 31 more pixels: 10 each, 1 left over
  EXPECT_EQ(ButtonPlace(5), Longs({2 * (width + 4) + 4, height + 8, width, height}));
  for (auto [w, h] : {std::pair{0, 0}, {-5, 1 << 30}}) {  // nonsense sizes are bounded
    ZUL_ResizeButtonBox(w, h);
    PumpFor(10);
    EXPECT_TRUE(button_box.button_width >= 1 && button_box.button_height >= 1) << w;
  }
  ZUL_DestroyButtonBox();
  ZUL_ResizeButtonBox(300, 200);  // no box: nothing
  EXPECT_EQ(ButtonBoxWindow(), nullptr);
}

TEST_F(ButtonBoxTest, DestroyedByCallCloseBoxCaptionMenuAndCtrlQ) {
  const std::function<void(HWND)> ways[] = {
      [](HWND) { ZUL_DestroyButtonBox(); }, [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); },
      [](HWND box) { SendControlKey(box, 'Q'); },
      [](HWND) {
        EXPECT_EQ(ChooseFirstOfPopup(WM_NCRBUTTONDOWN, HTCAPTION, 0), 1);
      }};  // caption bar menu
  for (const auto& destroy : ways) {
    ZUL_OpenButtonBox(0, 0, 2, 2);
    HWND box = ButtonBoxWindow();
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_KEYDOWN, 'Q', 0);  // without Ctrl: nothing
    PumpFor(10);
    ASSERT_TRUE(IsWindow(box));
    destroy(box);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) && ButtonBoxWindow() == nullptr; }));
  }
  ZUL_DestroyButtonBox();  // nothing open: nothing happens
}

TEST_F(ButtonBoxTest, RenamingThroughAPromptInTextWindowZero) {
  OpenFreshTextWindow(0, 400, 200, 600, 0);
  ZUL_OpenButtonBox(200, 0, 2, 10);
  ZUL_SetButtonBoxTitle(5, "old");
  // (105, 62) lies in the gap left of button 5; by the grid rule x / 102,
  // y / 30 it belongs to column 1, row 2. A second double click asks nothing.
  auto double_click = [](int x, int y) {
    SendMessageW(ButtonBoxWindow(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(x, y));
  };
  AnsweredWhile(
      "pitch+", [&] { double_click(105, 62); }, [&] { double_click(1, 1); });
  EXPECT_TRUE(ButtonText(5) == L"pitch+" && ButtonText(0) == L"0");
  EXPECT_TRUE(ShowsPrinted(0, "5 'old' ->pitch+\n", 2));
  AnsweredWhile("view-", [&] {
    // Past the last column and row: clamped to button 19; its Rename.
    EXPECT_EQ(ChooseFirstOfPopup(WM_RBUTTONDOWN, 0, MAKELPARAM(207, 303)), 1);
    EXPECT_TRUE(WaitUntil([] { return ButtonText(19) == L"view-"; }));
  });
  AnsweredWhile("", [] { ZUL_RenameButton(19); });  // an empty answer keeps the caption
  EXPECT_EQ(ButtonText(19), L"view-");
  AnsweredWhile(
      "x", [] { ZUL_RenameButton(3); },
      [] {
        PostMessageW(ButtonBoxWindow(), WM_CLOSE, 0,
                     0);  // the box closes while the answer is typed
        Sleep(100);
      });
  EXPECT_EQ(ButtonBoxWindow(), nullptr);
}
