// The button box and the input box on the test thread, pumped as the worker pumps them (with the
// dialog keys): layout, presses and values, captions, sizing, focus, refused opens, destroying
// and renaming through a prompt.
#include "text_test_helpers.h"

namespace {

using Longs = std::vector<LONG>;

// Each case starts with text window 0, no box, and the sizes a first box gets.
class BoxTest : public testing::Test {
 protected:
  void SetUp() override {
    OpenFreshTextWindow(0, -1, -1, 400, 300);
    ZUL_DestroyButtonBox(), ZUL_DestroyInputBox();
    button_box.button_width = 98, button_box.button_height = 26;
    input_box.label_width = 80, input_box.edit_width = 70, input_box.sizing_edge = 0;
  }
  void TearDown() override {
    ZUL_DestroyButtonBox(), ZUL_DestroyInputBox(), CloseAllTextWindows(), PumpFor(10);
  }
};

// A control's left, top, width and height in its box's client area.
Longs Place(HWND control) {
  RECT r = OuterRect(control);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}
Longs Button(int index) { return Place(button_box.buttons[index]); }
Longs ClientSize(HWND box) { return {ClientRect(box).right, ClientRect(box).bottom}; }

std::string Text(HWND w) {
  char text[600];
  return GetWindowTextAnsi(w, text, 600), text;
}
std::string Caption(int index) { return Text(button_box.buttons[index]); }

// Sends `message` to the button box at `where` and, from another thread, chooses
// the first item of the popup it opens; returns the number of items it had.
int ChooseFirstOfPopup(UINT message, WPARAM hit, LPARAM where) {
  std::atomic<int> items{0};
  std::thread chooser([&] {
    HWND popup = nullptr;
    for (int i = 0; i < 1000 && !(popup = VisiblePopupMenu()); ++i) Sleep(5);
    if (!popup) return;
    items = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)));
    PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0), PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
  });
  SendMessageW(ButtonBoxWindow(), message, hit, where);
  chooser.join();
  return items;
}

void Click(int index) { SendMessageW(button_box.buttons[index], BM_CLICK, 0, 0), PumpFor(5); }

// Rows of button `index`'s face that hold caption ink, drawn by the button into
// a bitmap of its own so that no other window can cover it.
int InkRows(int index) {
  HWND button = button_box.buttons[index];
  RECT r = ClientRect(button);
  HDC screen = GetDC(button), dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  int rows = 0;
  for (int y = 3; y < r.bottom - 3; ++y)
    for (int x = 3; x < r.right - 3; ++x) {
      COLORREF c = GetPixel(dc, x, y);
      if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 200 && ++rows) break;
    }
  SelectObject(dc, old), DeleteObject(bitmap), DeleteDC(dc), ReleaseDC(button, screen);
  return rows;
}

std::string Value(int i) {
  char v[256] = "junk";
  return ZUL_GetInputBox(i, v) == 0 ? v : "none:" + std::string(v);
}
void Key(WPARAM key) { PostMessageW(GetFocus(), WM_KEYDOWN, key, 1), PumpAsWorker(); }

// Labels from x 4 and fields 4 pixels past them, 24 high, in rows 28 apart.
void ExpectLayout(int label, int edit) {
  EXPECT_EQ(ClientRect(InputBoxWindow()).right, label + edit + 12);
  for (int i = 0; i < input_box.items; ++i) {
    EXPECT_EQ(Place(input_box.labels[i]), Longs({4, 7 + 28 * i, label, 24})) << i;
    EXPECT_EQ(Place(input_box.edits[i]), Longs({label + 8, 4 + 28 * i, edit, 24})) << i;
  }
}

}  // namespace

TEST_F(BoxTest, ButtonGridsAreLaidOutRowByRow) {
  ZUL_OpenButtonBox(200, 10, 3, 2);
  ASSERT_NE(ButtonBoxWindow(), nullptr);
  PumpFor(20);
  EXPECT_TRUE(OuterRect(ButtonBoxWindow()).left == 200 && OuterRect(ButtonBoxWindow()).top == 10);
  // 98 x 26 buttons 4 apart within a 4-pixel margin: 3 * 102 + 4 by 2 * 30 + 4.
  EXPECT_EQ(ClientSize(ButtonBoxWindow()), Longs({310, 64}));
  for (auto [index, x, y] : {std::tuple{0, 4, 4}, {2, 208, 4}, {4, 106, 34}})
    EXPECT_EQ(Button(index), Longs({x, y, 98, 26})) << index;
  for (int index = 0; index < 6; ++index) EXPECT_EQ(Caption(index), std::to_string(index));
  ZUL_DestroyButtonBox();
  for (auto [columns, rows] :
       {std::pair{17, 16}, {0, 5}, {5, 0}, {-2, -3}, {65536, 65536}, {257, 1}}) {
    ZUL_OpenButtonBox(0, 0, columns, rows);  // refused
    EXPECT_EQ(ButtonBoxWindow(), nullptr) << columns << "x" << rows;
  }
  ZUL_OpenButtonBox(50, 60, 2, 3);
  HWND first = ButtonBoxWindow();
  ZUL_OpenButtonBox(0, 0, 4, 4);  // a second open leaves the first box alone
  EXPECT_TRUE(ButtonBoxWindow() == first && button_box.count == 6);
  ZUL_DestroyButtonBox(), ZUL_OpenButtonBox(0, 0, 16, 16);  // the largest box
  EXPECT_EQ(Caption(255), "255");
}

TEST_F(BoxTest, ButtonPressesAreCountedUntilRead) {
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
  SendMessageW(box, WM_COMMAND, kCmdButtonBoxRename + 1000, 0);  // the box's own: no press
  std::vector<int> counts;
  for (int index = 0; index < 20; ++index) counts.push_back(ZUL_GetButtonBox(index));
  EXPECT_EQ(counts, (std::vector<int>{1, 0, 1, 0, 0, 0, 0, 1, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  Click(19);  // an unread press of a closed box is gone
  ZUL_DestroyButtonBox(), ZUL_OpenButtonBox(0, 0, 3, 1);
  SendMessageW(ButtonBoxWindow(), WM_CHAR, '8', 0);  // beyond a small box: nothing
  ZUL_DestroyButtonBox(), ZUL_OpenButtonBox(0, 0, 2, 10);
  EXPECT_TRUE(ZUL_GetButtonBox(19) == 0 && ZUL_GetButtonBox(8) == 0);
}

TEST_F(BoxTest, ButtonCaptionsOnlyOnButtonsOfTheBoxCutAt255) {
  ZUL_SetButtonBoxTitle(0, "no box");  // nothing open: nothing happens
  button_box.button_height = 60;       // room for two lines
  ZUL_OpenButtonBox(200, 0, 2, 10);
  std::string long_caption(1000, 'q');
  // clang-format off
  for (auto [index, caption] : {std::pair{3, "pitch+"}, {20, "twenty"}, {-1, "minus"}, {5, nullptr},
                                {6, long_caption.c_str()}, {7, "W"}, {8, "W\nW"}})
    ZUL_SetButtonBoxTitle(index, caption);
  // clang-format on
  const std::string shown[] = {"0", "1",   "2", "pitch+", "4", "", std::string(255, 'q'),
                               "W", "W\nW"};
  for (int index = 0; index < 20; ++index)  // 9 and on keep their numbers
    EXPECT_EQ(Caption(index), index < 9 ? shown[index] : std::to_string(index)) << index;
  ASSERT_GT(InkRows(7), 0);
  EXPECT_GE(InkRows(8), InkRows(7) * 2);  // a new line starts a second caption line
}

TEST_F(BoxTest, ButtonResizingFitsTheGridAndIsKeptForTheNextBox) {
  ZUL_OpenButtonBox(200, 0, 2, 10);
  ZUL_ResizeButtonBox(300, 200);
  PumpFor(20);
  EXPECT_EQ(OuterRect(ButtonBoxWindow()).left, 200);  // the outer position stays
  EXPECT_EQ(ClientSize(ButtonBoxWindow()), Longs({300, 200}));
  // (300 - 4) / 2 - 4 = 144 by (200 - 4) / 10 - 4 = 15 (the 6 left over unused).
  EXPECT_EQ(Button(3), Longs({152, 23, 144, 15}));
  ZUL_DestroyButtonBox(), ZUL_OpenButtonBox(200, 0, 2, 10);
  EXPECT_EQ(ClientSize(ButtonBoxWindow()), Longs({300, 194}));
  ZUL_DestroyButtonBox(), button_box.button_width = 98, button_box.button_height = 26;
  ZUL_OpenButtonBox(100, 100, 3, 2);  // dragging the frame resizes the buttons
  ResizeBy(ButtonBoxWindow(), 31, 10);
  // 31 more pixels: 10 for each of 3 columns, 1 left over; 10 more: 5 for each of 2 rows.
  EXPECT_EQ(Button(5), Longs({2 * 112 + 4, 4 + 35, 108, 31}));
  for (auto [w, h] : {std::pair{0, 0}, {-5, 1 << 30}}) {  // nonsense sizes are bounded
    ZUL_ResizeButtonBox(w, h);
    PumpFor(10);
    EXPECT_TRUE(button_box.button_width >= 1 && button_box.button_height >= 1) << w;
  }
  ZUL_DestroyButtonBox(), ZUL_ResizeButtonBox(300, 200);  // no box: nothing
  EXPECT_EQ(ButtonBoxWindow(), nullptr);
}

// The routes by key and by menu; the call and the close box close boxes in the other cases.
TEST_F(BoxTest, ButtonBoxDestroyedByCtrlQAndTheCaptionMenu) {
  const std::function<void(HWND)> ways[] = {
      [](HWND box) { SendControlKey(box, 'Q'); },
      [](HWND) { EXPECT_EQ(ChooseFirstOfPopup(WM_NCRBUTTONDOWN, HTCAPTION, 0), 1); }};
  for (const auto& destroy : ways) {
    ZUL_OpenButtonBox(0, 0, 2, 2);
    HWND box = ButtonBoxWindow();
    PostMessageW(box, WM_KEYDOWN, 'Q', 0);  // without Ctrl: nothing
    PumpFor(10);
    ASSERT_TRUE(box && IsWindow(box));
    destroy(box);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) && ButtonBoxWindow() == nullptr; }));
  }
}

TEST_F(BoxTest, ButtonRenamingThroughAPromptInTextWindowZero) {
  OpenFreshTextWindow(0, 400, 200, 600, 0);
  ZUL_OpenButtonBox(200, 0, 2, 10), ZUL_SetButtonBoxTitle(5, "old");
  // (105, 62) lies in the gap left of button 5 (at 106, 64); it belongs to
  // column 105 / 102 = 1, row 62 / 30 = 2. A second double click asks nothing.
  auto double_click = [](int x, int y) {
    return [=] { SendMessageW(ButtonBoxWindow(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(x, y)); };
  };
  AnsweredWhile("pitch+", double_click(105, 62), double_click(1, 1));
  EXPECT_TRUE(Caption(5) == "pitch+" && Caption(0) == "0");
  EXPECT_TRUE(ShowsPrinted(0, "5 'old' ->pitch+\n", 2));
  AnsweredWhile("view-", [&] {
    // Past the last column and row: clamped to button 19; its Rename.
    EXPECT_EQ(ChooseFirstOfPopup(WM_RBUTTONDOWN, 0, MAKELPARAM(207, 303)), 1);
    EXPECT_TRUE(WaitUntil([] { return Caption(19) == "view-"; }));
  });
  AnsweredWhile("", [] { ZUL_RenameButton(19); });  // an empty answer keeps the caption
  EXPECT_EQ(Caption(19), "view-");
  // The box closes while the answer is typed.
  auto close_box = [] { PostMessageW(ButtonBoxWindow(), WM_CLOSE, 0, 0), Sleep(100); };
  AnsweredWhile("x", std::bind(ZUL_RenameButton, 3), close_box);
  EXPECT_EQ(ButtonBoxWindow(), nullptr);
}

TEST_F(BoxTest, InputBoxOpensItsRowsTakesValuesOnFocusLossAndEnterAndForgetsThemOnDestroy) {
  for (auto [asked, opened] : {std::pair{0, 1}, {45, 30}, {-5, 1}, {3, 3}}) {
    ZUL_DestroyInputBox(), ZUL_OpenInputBox(40, 50, asked);
    EXPECT_TRUE(InputBoxItemCount() == opened &&
                ClientRect(InputBoxWindow()).bottom == 28 * opened + 2)
        << asked;
  }
  HWND box = InputBoxWindow();
  EXPECT_TRUE(OuterRect(box).left == 40 && OuterRect(box).top == 50 && Text(box) == "InputBox");
  ExpectLayout(80, 70);
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(Text(input_box.labels[i]) == "Item " + std::to_string(i) &&
                Text(input_box.edits[i]) == "0" && Value(i) == "0");
  EXPECT_EQ(GetFocus(), input_box.edits[0]);
  ZUL_OpenInputBox(0, 0, 5);  // one box at a time
  EXPECT_EQ(InputBoxWindow(), box);
  SetFocus(input_box.edits[1]), SendMessageW(input_box.edits[1], EM_SETSEL, 0, -1);
  for (char c : std::string("12")) PostMessageW(input_box.edits[1], WM_CHAR, c, 1);
  PumpAsWorker();
  EXPECT_EQ(Value(1), "0");
  Key(VK_TAB);
  EXPECT_TRUE(Value(1) == "12" && GetFocus() == input_box.edits[2]);
  SetWindowTextW(input_box.edits[2], std::wstring(300, L'x').c_str());
  EXPECT_EQ(Value(2), "0");
  Key(VK_RETURN);
  EXPECT_TRUE(Value(2) == std::string(255, 'x') && GetFocus() == input_box.edits[2]);
  // Notifications from other controls change nothing; 1023 from a control is no Destroy.
  SetWindowTextW(input_box.edits[0], L"7");
  SendMessageW(box, WM_COMMAND, MAKEWPARAM(0, EN_KILLFOCUS), (LPARAM)input_box.labels[0]);
  SendMessageW(box, WM_COMMAND, kCmdInputBoxDestroy, (LPARAM)input_box.edits[0]);
  EXPECT_TRUE(Value(0) == "0" && Value(-1) == "none:" && Value(3) == "none:");
  SetForegroundWindow(text_windows[0].window), PumpAsWorker();  // the focus stays where it went
  EXPECT_EQ(GetFocus(), text_windows[0].window);
  SetForegroundWindow(box), PumpAsWorker();  // coming back gives it to the last field
  EXPECT_EQ(GetFocus(), input_box.edits[2]);
  SendMessageW(box, WM_COMMAND, kCmdInputBoxDestroy, 0);
  EXPECT_TRUE(InputBoxWindow() == nullptr && Value(0) == "none:");
  ZUL_OpenInputBox(0, 0, 3);
  EXPECT_EQ(Value(1), "0");
}

TEST_F(BoxTest, InputBoxLongDoubleByteValueIsCutAtAWholeCharacter) {
  CPINFO info;
  if (GetCPInfo(CP_ACP, &info) && info.MaxCharSize < 2)
    GTEST_SKIP() << "single-byte ANSI code page";
  ZUL_OpenInputBox(0, 0, 1);
  SetWindowTextW(input_box.edits[0], std::wstring(200, L'\x3042').c_str());
  SendMessageW(input_box.edits[0], WM_KILLFOCUS, 0, 0);
  EXPECT_TRUE(Value(0).size() <= 255 && Value(0).size() % 2 == 0);
}

TEST_F(BoxTest, InputBoxEitherEdgeWidensItsColumnAndTheWidthsOutliveTheBox) {
  ZUL_OpenInputBox(100, 100, 3);
  RECT outer = OuterRect(InputBoxWindow());
  RECT proposed = {outer.left, outer.top - 20, outer.right, outer.bottom + 30};
  SendMessageW(InputBoxWindow(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposed));
  EXPECT_TRUE(proposed.top == outer.top && proposed.bottom == outer.bottom);
  // 50 more pixels by the right edge widen the fields, then 30 more by the left the labels.
  for (auto [edge, wider, label, edit] :
       {std::tuple{WMSZ_RIGHT, 50, 80, 120}, {WMSZ_BOTTOMLEFT, 80, 110, 120}}) {
    SendMessageW(InputBoxWindow(), WM_SIZING, edge, reinterpret_cast<LPARAM>(&proposed));
    SetWindowPos(InputBoxWindow(), nullptr, 0, 0, outer.right - outer.left + wider,
                 outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER);
    ExpectLayout(label, edit);
  }
  ZUL_DestroyInputBox(), ZUL_OpenInputBox(0, 0, 2);
  ExpectLayout(110, 120);
  ZUL_ResizeInputBox(100, 50);
  ExpectLayout(100, 50);
  ZUL_SetInputBoxTitle(1, "gain"), ZUL_SetInputBoxTitle(2, "none");  // no row 2: nothing
  EXPECT_TRUE(Text(input_box.labels[1]) == "gain" && Text(input_box.labels[0]) == "Item 0");
}

TEST_F(BoxTest, InputBoxRenameAsksInTheTextWindow) {
  ZUL_OpenInputBox(0, 0, 3);
  HWND box = InputBoxWindow();
  auto click_row = [](int y) {
    return [y] { SendMessageW(InputBoxWindow(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, y)); };
  };
  // clang-format off
  const struct { std::function<void()> act; const char* answer; int wait_ms; bool close; } cases[] {
      {click_row(10), "gain", 5000, false},
      {[] { ZUL_RenameInputBoxItem(0); }, "", 5000, false},  // an empty answer keeps the label
      {click_row(84), "x", 300, false},                      // below the last row: nothing
      {[] { ZUL_RenameInputBoxItem(99), ZUL_RenameInputBoxItem(-1); }, "y", 300, false},
      {[] { ZUL_RenameInputBoxItem(1); }, "late", 5000, true}};
  // clang-format on
  std::string logged = LoggedWhile(0, [&] {
    for (const auto& c : cases) {
      std::thread typist = AnswerLater(c.answer, c.wait_ms, [&] {
        if (c.close) PostMessageW(box, WM_CLOSE, 0, 0), Sleep(50);
      });
      c.act();
      typist.join();
      PumpAsWorker();
      EXPECT_TRUE(c.close || Text(input_box.labels[0]) == "gain") << c.answer;
    }
  });
  EXPECT_EQ(logged, "0 'Item 0' ->gain\n0 'gain' ->\n1 'Item 1' ->late\n");
  EXPECT_EQ(InputBoxWindow(), nullptr);
  ZUL_OpenInputBox(0, 0, 3);
  EXPECT_EQ(Text(input_box.labels[0]), "Item 0");
}
