// hello: the smallest ZULLIB experiment. Start draws a colour gradient into
// image window 0 with the pixel calls and prints into text window 0; the
// buttons of the button box brighten or darken it, "done" ends the run.
#include "zullib.h"

namespace {

constexpr int kWidth = 256, kHeight = 192;
int brightness = 255;  // worker thread

void DrawGradient() {
  ZUL_SelectImage(0);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      uint32_t red = static_cast<uint32_t>(x * brightness / 255);
      uint32_t green = static_cast<uint32_t>(y * 255 / (kHeight - 1) * brightness / 255);
      uint32_t blue = static_cast<uint32_t>((255 - x) * brightness / 255);
      ZUL_SetPixel(x, y, red << 16 | green << 8 | blue);
    }
  }
  ZUL_RedrawImage(0);
  ZUL_Printf("gradient drawn, brightness %d\n", brightness);
}

}  // namespace

void AppSetup() {
  ZUL_OpenTextWindow(0, 0, 0, 300, 200);
  ZUL_OpenButtonBox(310, 0, 3, 1);
  ZUL_SetButtonBoxTitle(0, "darker");
  ZUL_SetButtonBoxTitle(1, "brighter");
  ZUL_SetButtonBoxTitle(2, "done");
  ZUL_Printf("Hello! Choose Start.\n");
}

void AppMain() {
  ZUL_CreateImage(0, "hello", 0, 230, kWidth, kHeight, 100);
  DrawGradient();
  while (quit_state == 0 && stop_requested == 0) {
    if (ZUL_GetButtonBox(0) && brightness > 15) brightness -= 16, DrawGradient();
    if (ZUL_GetButtonBox(1) && brightness < 255) brightness += 16, DrawGradient();
    if (ZUL_GetButtonBox(2)) break;
    ZUL_PumpMessages();  // keeps the windows live while waiting
    Sleep(10);
  }
  ZUL_Printf("bye\n");
  ZUL_DestroyImage(0);
}
