// Whole-program scenarios of the drawing commands: Stop and Exit pressed in
// the main window while a line's rubber band is shown, and a line drawn
// with the real mouse.
#include "test_support.h"

namespace {

std::atomic<bool> picture_made{false};
void MakePicture() {
  ZUL_CreateImage(0, "pic", 0, 0, 200, 150, 100);
  FillImage(200, 150, [](int x, int y) { return static_cast<uint32_t>(x * 977 + y * 7919); });
  picture_made = true;
}

bool StatusIs(const wchar_t* text) { return MainStatusText().find(text) != std::wstring::npos; }

// Starts "Draw Line > Normal" and shows its band from (10, 10) to (60, 40);
// returns the picture as it was before.
std::vector<uint8_t> StartLineWithBand() {
  EXPECT_TRUE(WaitUntil([] { return picture_made.load(); }));
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  std::vector<uint8_t> before = SurfaceBytesOf(0);
  HWND window = image_windows[0].window;
  PostMessageW(window, WM_COMMAND, kIwDrawLine, 0);
  EXPECT_TRUE(WaitUntil([] { return StatusIs(L"Click the first point"); }));
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_TRUE(WaitUntil([] { return StatusIs(L"Click the second point"); }));
  PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(60, 40));
  EXPECT_TRUE(WaitUntil([&] { return SurfaceBytesOf(0) != before; }));  // the band is shown
  return before;
}

}  // namespace

TEST(DrawingScenario, StopDuringABandDrawsNothing) {
  bool status = false, restored = false, drops = false;
  int code = RunScenario(MakePicture, [] {}, [&] {
    std::vector<uint8_t> before = StartLineWithBand();
    PostMainKey('C');
    status = WaitUntil([] { return StatusIs(L"-bit color"); });
    restored = WaitUntil([&] { return SurfaceBytesOf(0) == before; });
    drops = WaitUntil([] { return (GetWindowLongW(main_window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; });
  });
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(status && restored && drops);
}

TEST(DrawingScenario, ExitDuringABandEndsTheProgramAtOnce) {
  DWORD pressed = 0, gone = 0;
  int code = RunScenario(MakePicture, [] {}, [&] {
    StartLineWithBand();
    HWND main = main_window;
    pressed = GetTickCount();
    PostMainKey(VK_ESCAPE);
    WaitUntil([&] { return !IsWindow(main); }, 5000);
    gone = GetTickCount();
  });
  EXPECT_EQ(code, 0);
  EXPECT_LT(gone - pressed, 1500u) << "not the 2 s forced end";
}

TEST(DrawingScenario, RealMouseDrawsAHorizontalLine) {
  bool drawn = false;
  int code = RunScenario(MakePicture, [] {}, [&] {
    EXPECT_TRUE(WaitUntil([] { return picture_made.load(); }));
    PostMessageW(image_windows[0].window, WM_COMMAND, kIwDrawRow, 0);
    EXPECT_TRUE(WaitUntil([] { return StatusIs(L"Click a point"); }));
    POINT p = {30, 77};
    ClientToScreen(image_windows[0].window, &p);
    SetCursorPos(p.x, p.y);
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, press, sizeof(INPUT));
    EXPECT_TRUE(WaitUntil([] { return StatusIs(L"-bit color"); }));
    drawn = WaitUntil([] {
      for (int x = 0; x < 200; ++x)
        if (ZUL_GetPixel(x, 77) != draw_color) return false;
      return true;
    });
  });
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(drawn);
}
