// The input box on the test thread, pumped as the worker pumps (with the
// dialog keys): layout, values, sizing, renaming and destroying.
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "boxes/boxes.h"
#include "typed_answer_util.h"

namespace {

void Pump(int ms = 30) { PumpAsWorker(ms); }

class InputBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    InitializeFrameworkForTests();
    ZUL_DestroyInputBox();
    input_box.label_width = 80;
    input_box.edit_width = 70;
    input_box.sizing_edge = 0;
  }
  void TearDown() override { ZUL_DestroyInputBox(); Pump(10); }
};

RECT ChildRect(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, InputBoxWindow(), reinterpret_cast<POINT*>(&r), 2);
  return r;
}
std::string Text(HWND w) { char t[512]; GetWindowTextAnsi(w, t, 512); return t; }
std::string Value(int i) { char v[256]; ZUL_GetInputBox(i, v); return v; }
SIZE Client() { RECT r; GetClientRect(InputBoxWindow(), &r); return SIZE{r.right, r.bottom}; }

void Type(HWND field, const std::string& text) {
  for (char c : text) PostMessageW(field, WM_CHAR, static_cast<WPARAM>(c), 1);
  Pump();
}
void Key(WPARAM key) { PostMessageW(GetFocus(), WM_KEYDOWN, key, 1); Pump(); }

// Every item's label and field where the widths put them.
void ExpectLayout(int label_width, int edit_width) {
  EXPECT_EQ(Client().cx, label_width + edit_width + 12);
  for (int i = 0; i < input_box.items; ++i) {
    RECT l = ChildRect(input_box.labels[i]), f = ChildRect(input_box.edits[i]);
    EXPECT_EQ(l.left, 4); EXPECT_EQ(l.top, 7 + 28 * i);
    EXPECT_EQ(l.right - l.left, label_width); EXPECT_EQ(l.bottom - l.top, 24);
    EXPECT_EQ(f.left, label_width + 8); EXPECT_EQ(f.top, 4 + 28 * i);
    EXPECT_EQ(f.right - f.left, edit_width); EXPECT_EQ(f.bottom - f.top, 24);
  }
}

}  // namespace

TEST_F(InputBoxTest, OpensItsRowsAndClampsTheItemCount) {
  ZUL_OpenInputBox(40, 50, 3);
  HWND box = InputBoxWindow();
  ASSERT_NE(box, nullptr);
  Pump();
  RECT outer;
  GetWindowRect(box, &outer);
  EXPECT_EQ(outer.left, 40); EXPECT_EQ(outer.top, 50);
  EXPECT_EQ(Client().cy, 86);
  EXPECT_EQ(Text(box), "InputBox");
  EXPECT_EQ(GetWindowLongW(box, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME),
            WS_CAPTION | WS_SYSMENU | WS_THICKFRAME);
  ExpectLayout(80, 70);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Text(input_box.labels[i]), "Item " + std::to_string(i));
    EXPECT_EQ(Text(input_box.edits[i]), "0");
    EXPECT_EQ(Value(i), "0");
  }
  EXPECT_EQ(GetFocus(), input_box.edits[0]);
  ZUL_OpenInputBox(0, 0, 5);  // one box at a time
  EXPECT_EQ(InputBoxWindow(), box);
  EXPECT_EQ(InputBoxItemCount(), 3);

  const int counts[][2] = {{0, 1}, {45, 30}, {-5, 1}, {30, 30}};
  for (const auto& c : counts) {
    ZUL_DestroyInputBox();
    ZUL_OpenInputBox(0, 0, c[0]);
    EXPECT_EQ(InputBoxItemCount(), c[1]) << c[0];
    EXPECT_EQ(Client().cy, 28 * c[1] + 2) << c[0];
  }
}

TEST_F(InputBoxTest, ValuesAreTakenOnFocusLossAndEnterOnly) {
  ZUL_OpenInputBox(0, 0, 3);
  SetForegroundWindow(InputBoxWindow());
  SetFocus(input_box.edits[1]);
  SendMessageW(input_box.edits[1], EM_SETSEL, 0, -1);
  Type(input_box.edits[1], "12");
  EXPECT_EQ(Value(1), "0");
  Key(VK_TAB);
  EXPECT_EQ(Value(1), "12");
  EXPECT_EQ(GetFocus(), input_box.edits[2]);
  SetWindowTextW(input_box.edits[2], std::wstring(300, L'x').c_str());
  EXPECT_EQ(Value(2), "0");
  Key(VK_RETURN);
  EXPECT_EQ(Value(2), std::string(255, 'x'));
  EXPECT_EQ(GetFocus(), input_box.edits[2]);

  // Notifications that are not a field's change nothing; 1023 from a control is no Destroy.
  SetWindowTextW(input_box.edits[0], L"7");
  SendMessageW(InputBoxWindow(), WM_COMMAND, MAKEWPARAM(0, EN_KILLFOCUS), (LPARAM)input_box.labels[0]);
  SendMessageW(InputBoxWindow(), WM_COMMAND, MAKEWPARAM(kCmdInputBoxDestroy, 0), (LPARAM)input_box.edits[0]);
  EXPECT_EQ(Value(0), "0");
  ASSERT_NE(InputBoxWindow(), nullptr);

  char buffer[256] = "junk";
  const int bad[] = {-1, 3, 30};
  for (int index : bad) {
    EXPECT_EQ(ZUL_GetInputBox(index, buffer), 1);
    EXPECT_STREQ(buffer, "");
  }
  SendMessageW(InputBoxWindow(), WM_COMMAND, kCmdInputBoxDestroy, 0);
  EXPECT_EQ(InputBoxWindow(), nullptr);
  std::strcpy(buffer, "junk");
  EXPECT_EQ(ZUL_GetInputBox(0, buffer), 1);
  EXPECT_STREQ(buffer, "");
  ZUL_OpenInputBox(0, 0, 3);
  EXPECT_EQ(Value(1), "0");
}

TEST_F(InputBoxTest, ActivationGivesTheFocusBackToTheLastField) {
  OpenFreshTextWindow(0);
  ZUL_OpenInputBox(300, 0, 3);
  SetFocus(input_box.edits[2]);
  SetForegroundWindow(text_windows[0].window);
  Pump();
  EXPECT_EQ(GetFocus(), text_windows[0].window);
  SetForegroundWindow(InputBoxWindow());
  Pump();
  EXPECT_EQ(GetFocus(), input_box.edits[2]);
}

TEST_F(InputBoxTest, LongDoubleByteValueIsCutAtAWholeCharacter) {
  CPINFO info;
  GetCPInfo(CP_ACP, &info);
  if (info.MaxCharSize < 2) GTEST_SKIP() << "single-byte ANSI code page";
  ZUL_OpenInputBox(0, 0, 1);
  SetWindowTextW(input_box.edits[0], std::wstring(200, L'\x3042').c_str());
  SendMessageW(input_box.edits[0], WM_KILLFOCUS, 0, 0);
  std::string v = Value(0);
  EXPECT_LE(v.size(), 255u);
  EXPECT_EQ(v.size() % 2, 0u);
}

TEST_F(InputBoxTest, EitherEdgeWidensItsColumnAndTheWidthsOutliveTheBox) {
  ZUL_OpenInputBox(100, 100, 3);
  RECT outer, proposed;
  GetWindowRect(InputBoxWindow(), &outer);
  proposed = outer;
  proposed.top -= 20; proposed.bottom += 30;
  SendMessageW(InputBoxWindow(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposed));
  EXPECT_EQ(proposed.top, outer.top); EXPECT_EQ(proposed.bottom, outer.bottom);
  SetWindowPos(InputBoxWindow(), nullptr, 0, 0, outer.right - outer.left + 50, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER);
  ExpectLayout(80, 120);
  SendMessageW(InputBoxWindow(), WM_SIZING, WMSZ_BOTTOMLEFT, reinterpret_cast<LPARAM>(&proposed));
  SetWindowPos(InputBoxWindow(), nullptr, 0, 0, outer.right - outer.left + 80, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER);
  ExpectLayout(110, 120);
  ZUL_DestroyInputBox();
  ZUL_OpenInputBox(0, 0, 2);
  ExpectLayout(110, 120);
  ZUL_ResizeInputBox(100, 50);
  ExpectLayout(100, 50);

  ZUL_SetInputBoxTitle(1, "gain");
  ZUL_SetInputBoxTitle(2, "none");
  ZUL_SetInputBoxTitle(-1, "none");
  EXPECT_EQ(Text(input_box.labels[1]), "gain");
  EXPECT_EQ(Text(input_box.labels[0]), "Item 0");
}

TEST_F(InputBoxTest, RenameAsksInTheTextWindow) {
  OpenFreshTextWindow(0);
  StartTestLog(0, "input_box_rename.log");
  ZUL_OpenInputBox(0, 0, 3);
  HWND box = InputBoxWindow();
  auto nothing = [] {};
  auto close_box = [box] { PostMessageW(box, WM_CLOSE, 0, 0); Sleep(50); };
  struct Case { std::function<void()> act; const char* answer; int wait_ms; std::function<void()> meanwhile; const char* label0; };
  const Case cases[] = {
      {[] { SendMessageW(InputBoxWindow(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 10)); }, "gain", 5000, nothing, "gain"},
      {[] { ZUL_RenameInputBoxItem(0); }, "", 5000, nothing, "gain"},
      {[] { SendMessageW(InputBoxWindow(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 84)); }, "x", 300, nothing, "gain"},
      {[] { ZUL_RenameInputBoxItem(99); ZUL_RenameInputBoxItem(-1); }, "y", 300, nothing, "gain"},
      {[] { ZUL_RenameInputBoxItem(1); }, "late", 5000, close_box, nullptr},
  };
  for (const Case& c : cases) {
    std::thread typist = AnswerLater(c.answer, c.wait_ms, c.meanwhile);
    c.act();
    typist.join();
    Pump();
    if (c.label0) { EXPECT_EQ(Text(input_box.labels[0]), c.label0) << c.answer; }
  }
  EXPECT_EQ(InputBoxWindow(), nullptr);
  EXPECT_EQ(StopTestLog(0, "input_box_rename.log"), "0 'Item 0' ->gain\n0 'gain' ->\n1 'Item 1' ->late\n");
  ZUL_OpenInputBox(0, 0, 3);  // a fresh box has fresh labels and values
  EXPECT_EQ(Text(input_box.labels[0]), "Item 0");
}
