// Whole-program scenarios of the drawing commands: Stop and Exit pressed in
// the main window while a line's rubber band is shown, and a line drawn
// with the real mouse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imagewin/imagewin.h"
#include "surfaces/surfaces.h"
#include "test_support.h"

namespace {

void MakePicture() {
  ZUL_CreateImage(0, "pic", 0, 0, 200, 150, 100);
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) ZUL_SetPixel(x, y, static_cast<uint32_t>(x * 977 + y * 7919));
}

std::vector<uint8_t> Picture() {
  const ImageSurface& s = image_surfaces[0];
  return std::vector<uint8_t>(s.base, s.base + s.stride * s.height);
}

bool StatusIs(const std::string& text) {
  char field[80] = {};
  GetWindowTextA(status_label, field, sizeof field);
  return std::string(field).find(text) != std::string::npos;
}

void PostToImage(UINT message, int x, int y) {
  PostMessageW(image_windows[0].window, message, message == WM_LBUTTONDOWN, MAKELPARAM(x, y));
}

// Starts "Draw Line > Normal" and shows its band from (10, 10) to (60, 40);
// returns the picture as it was before.
std::vector<uint8_t> StartLineWithBand() {
  EXPECT_TRUE(WaitUntil([] { return image_windows[0].in_use != 0; }));
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  Sleep(100);  // the picture is filled
  std::vector<uint8_t> before = Picture();
  PostMessageW(image_windows[0].window, WM_COMMAND, kIwDrawLine, 0);
  EXPECT_TRUE(WaitUntil([] { return StatusIs("Click the first point"); }));
  PostToImage(WM_LBUTTONDOWN, 10, 10);
  EXPECT_TRUE(WaitUntil([] { return StatusIs("Click the second point"); }));
  PostToImage(WM_MOUSEMOVE, 60, 40);
  EXPECT_TRUE(WaitUntil([&] { return Picture() != before; }));  // the band is shown
  return before;
}

}  // namespace

TEST(DrawingScenario, StopDuringABandDrawsNothing) {
  bool restored = false, status = false, drops = false;
  int code = RunScenario(MakePicture, [] {}, [&] {
    std::vector<uint8_t> before = StartLineWithBand();
    PostMainKey('C');
    status = WaitUntil([] { return StatusIs("-bit color"); });
    Sleep(100);
    restored = Picture() == before;
    drops = (GetWindowLongW(main_window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
  });
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(status);
  EXPECT_TRUE(restored);
  EXPECT_TRUE(drops);
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
    EXPECT_TRUE(WaitUntil([] { return image_windows[0].in_use != 0; }));
    Sleep(100);
    PostMessageW(image_windows[0].window, WM_COMMAND, kIwDrawRow, 0);
    EXPECT_TRUE(WaitUntil([] { return StatusIs("Click a point"); }));
    POINT p = {30, 77};
    ClientToScreen(image_windows[0].window, &p);
    SetCursorPos(p.x, p.y);
    Sleep(100);
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, press, sizeof(INPUT));
    EXPECT_TRUE(WaitUntil([] { return StatusIs("-bit color"); }));
    Sleep(100);
    drawn = true;
    for (int x = 0; x < 200; ++x) drawn = drawn && ZUL_GetPixel(x, 77) == draw_color;
  });
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(drawn);
}
