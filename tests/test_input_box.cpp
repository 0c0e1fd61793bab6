// The input box on the test thread, pumped as the worker pumps it (with the
// dialog keys): layout, values, focus, sizing, renaming and destroying.
#include "text_test_helpers.h"

namespace {

// Each case starts with no box and the first columns' widths.
class InputBoxTest : public testing::Test {
  void SetUp() override {
    OpenFreshTextWindow(0, -1, -1, 400, 300);
    ZUL_DestroyInputBox();
    input_box.label_width = 80, input_box.edit_width = 70, input_box.sizing_edge = 0;
  }
};

std::string Text(HWND w) {
  char t[512];
  GetWindowTextAnsi(w, t, 512);
  return t;
}
std::string Value(int i) {
  char v[256] = "junk";
  return ZUL_GetInputBox(i, v) == 0 ? v : "none:" + std::string(v);
}
void Key(WPARAM key) {
  PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
  PumpAsWorker();
}

using Longs = std::vector<LONG>;

Longs Place(HWND control) {
  RECT r = OuterRect(control);
  MapWindowPoints(nullptr, InputBoxWindow(), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

void ExpectLayout(int label, int edit) {  // widths of the two columns
  EXPECT_EQ(ClientRect(InputBoxWindow()).right, label + edit + 12);
  for (int i = 0, y = 0; i < input_box.items; ++i, y += 28) {
    EXPECT_EQ(Place(input_box.labels[i]), Longs({4, 7 + y, 4 + label, 31 + y})) << i;
    EXPECT_EQ(Place(input_box.edits[i]), Longs({label + 8, 4 + y, label + 8 + edit, 28 + y})) << i;
  }
}

}  // namespace

TEST_F(InputBoxTest, OpensItsRowsTakesValuesOnFocusLossAndEnterAndForgetsThemOnDestroy) {
  const int counts[][2] = {{0, 1}, {45, 30}, {-5, 1}, {3, 3}};  // asked, opened
  for (const auto& c : counts) {
    ZUL_DestroyInputBox();
    ZUL_OpenInputBox(40, 50, c[0]);
    EXPECT_TRUE(InputBoxItemCount() == c[1] && ClientRect(InputBoxWindow()).bottom == 28 * c[1] + 2)
        << c[0];
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

  SetFocus(input_box.edits[1]);
  SendMessageW(input_box.edits[1], EM_SETSEL, 0, -1);
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

  SetForegroundWindow(text_windows[0].window);  // leaving the box leaves the focus where it went
  PumpAsWorker();
  EXPECT_EQ(GetFocus(), text_windows[0].window);
  SetForegroundWindow(box);  // coming back gives it to the last field
  PumpAsWorker();
  EXPECT_EQ(GetFocus(), input_box.edits[2]);

  SendMessageW(box, WM_COMMAND, kCmdInputBoxDestroy, 0);
  EXPECT_TRUE(InputBoxWindow() == nullptr && Value(0) == "none:");
  ZUL_OpenInputBox(0, 0, 3);
  EXPECT_EQ(Value(1), "0");
}

TEST_F(InputBoxTest, LongDoubleByteValueIsCutAtAWholeCharacter) {
  CPINFO info;
  if (GetCPInfo(CP_ACP, &info) && info.MaxCharSize < 2)
    GTEST_SKIP() << "single-byte ANSI code page";
  ZUL_OpenInputBox(0, 0, 1);
  SetWindowTextW(input_box.edits[0], std::wstring(200, L'\x3042').c_str());
  SendMessageW(input_box.edits[0], WM_KILLFOCUS, 0, 0);
  EXPECT_TRUE(Value(0).size() <= 255 && Value(0).size() % 2 == 0);
}

TEST_F(InputBoxTest, EitherEdgeWidensItsColumnAndTheWidthsOutliveTheBox) {
  ZUL_OpenInputBox(100, 100, 3);
  RECT outer = OuterRect(InputBoxWindow());
  RECT proposed = {outer.left, outer.top - 20, outer.right, outer.bottom + 30};
  SendMessageW(InputBoxWindow(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposed));
  EXPECT_TRUE(proposed.top == outer.top && proposed.bottom == outer.bottom);
  const struct {
    WPARAM edge;
    int wider, label, edit;
  } drags[] = {{WMSZ_RIGHT, 50, 80, 120}, {WMSZ_BOTTOMLEFT, 80, 110, 120}};
  for (const auto& d : drags) {
    SendMessageW(InputBoxWindow(), WM_SIZING, d.edge, reinterpret_cast<LPARAM>(&proposed));
    int width = outer.right - outer.left + d.wider, height = outer.bottom - outer.top;
    SetWindowPos(InputBoxWindow(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    ExpectLayout(d.label, d.edit);
  }
  ZUL_DestroyInputBox();
  ZUL_OpenInputBox(0, 0, 2);
  ExpectLayout(110, 120);
  ZUL_ResizeInputBox(100, 50);
  ExpectLayout(100, 50);
  ZUL_SetInputBoxTitle(1, "gain");
  ZUL_SetInputBoxTitle(2, "none");
  EXPECT_TRUE(Text(input_box.labels[1]) == "gain" && Text(input_box.labels[0]) == "Item 0");
}

TEST_F(InputBoxTest, RenameAsksInTheTextWindow) {
  ZUL_OpenInputBox(0, 0, 3);
  HWND box = InputBoxWindow();
  auto click_row = [](int y) {
    return [y] { SendMessageW(InputBoxWindow(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, y)); };
  };
  const struct {
    std::function<void()> act;
    const char* answer;
    int wait_ms;
    bool close_box;
  } cases[] = {
      {click_row(10), "gain", 5000, false},
      {[] { ZUL_RenameInputBoxItem(0); }, "", 5000, false},  // an empty answer keeps the label
      {click_row(84), "x", 300, false},                      // below the last row: nothing
      {[] {
         ZUL_RenameInputBoxItem(99);
         ZUL_RenameInputBoxItem(-1);
       },
       "y", 300, false},
      {[] { ZUL_RenameInputBoxItem(1); }, "late", 5000, true},
  };
  std::string logged = LoggedWhile(0, [&] {
    for (const auto& c : cases) {
      std::thread typist = AnswerLater(c.answer, c.wait_ms, [&] {
        if (c.close_box) PostMessageW(box, WM_CLOSE, 0, 0), Sleep(50);
      });
      c.act();
      typist.join();
      PumpAsWorker();
      if (!c.close_box) {
        EXPECT_EQ(Text(input_box.labels[0]), "gain") << c.answer;
      }
    }
  });
  EXPECT_EQ(logged, "0 'Item 0' ->gain\n0 'gain' ->\n1 'Item 1' ->late\n");
  EXPECT_EQ(InputBoxWindow(), nullptr);
  ZUL_OpenInputBox(0, 0, 3);
  EXPECT_EQ(Text(input_box.labels[0]), "Item 0");
}
