// A whole-program scenario of the drawing commands: Stop and Exit pressed in
// the main window while a line's rubber band is shown, and a line drawn with
// the real mouse.
#include "test_support.h"

namespace {

std::atomic<bool> picture_made{false};
void MakePicture() {
  ZUL_CreateImage(0, "pic", 0, 0, 200, 150, 100);
  FillImage(200, 150, [](int x, int y) { return static_cast<uint32_t>(x * 977 + y * 7919); });
  picture_made = true;
}

bool StatusIs(const wchar_t* text) { return MainStatusText().find(text) != std::wstring::npos; }

// Posts command `id` to the picture's window and waits for its tool's prompt.
void StartCommand(int id, const wchar_t* prompt) {
  PostMessageW(image_windows[0].window, WM_COMMAND, id, 0);
  EXPECT_TRUE(WaitUntil([=] { return StatusIs(prompt); }));
}

// Starts "Draw Line > Normal" and shows its band from (10, 10) to (60, 40);
// returns the picture as it was before.
std::vector<uint8_t> StartLineWithBand() {
  EXPECT_TRUE(WaitUntil([] { return picture_made.load(); }));
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  std::vector<uint8_t> before = SurfaceBytesOf(0);
  StartCommand(kIwDrawLine, L"Click the first point");
  PostMessageW(image_windows[0].window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_TRUE(WaitUntil([] { return StatusIs(L"Click the second point"); }));
  PostMessageW(image_windows[0].window, WM_MOUSEMOVE, 0, MAKELPARAM(60, 40));
  EXPECT_TRUE(WaitUntil([&] { return SurfaceBytesOf(0) != before; }));  // the band is shown
  return before;
}

}  // namespace

// Stop, a line drawn with the real mouse, then Exit: one program run.
TEST(DrawingScenario, StopDuringABandDrawsNothingTheRealMouseDrawsExitEndsAtOnce) {
  DWORD pressed = 0, gone = 0;
  ExpectCleanExit(MakePicture, Nothing, [&] {
    std::vector<uint8_t> before = StartLineWithBand();
    PostMainKey('C');
    EXPECT_TRUE(WaitUntil([] { return StatusIs(L"-bit color"); }));
    EXPECT_TRUE(WaitUntil([&] { return SurfaceBytesOf(0) == before; }));
    EXPECT_TRUE(
        WaitUntil([] { return GetWindowLongW(main_window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES; }));

    StartCommand(kIwDrawRow, L"Click a point");
    POINT p = {30, 77};
    ClientToScreen(image_windows[0].window, &p);
    SetCursorPos(p.x, p.y);
    INPUT press[2] = {{INPUT_MOUSE, {{0, 0, 0, MOUSEEVENTF_LEFTDOWN, 0, 0}}},
                      {INPUT_MOUSE, {{0, 0, 0, MOUSEEVENTF_LEFTUP, 0, 0}}}};
    SendInput(2, press, sizeof(INPUT));
    EXPECT_TRUE(WaitUntil([] { return StatusIs(L"-bit color"); }));
    EXPECT_TRUE(WaitUntil([] {
      for (int x = 0; x < 200; ++x)
        if (ZUL_GetPixel(x, 77) != draw_color) return false;
      return true;
    }));

    StartLineWithBand();
    HWND main = main_window;
    pressed = GetTickCount();
    PostMainKey(VK_ESCAPE);
    WaitUntil([&] { return !IsWindow(main); }, 5000);
    gone = GetTickCount();
  });
  EXPECT_LT(gone - pressed, 1500u) << "Exit took the 2 s forced end";
}
