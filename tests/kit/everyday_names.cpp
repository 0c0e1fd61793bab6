// An experiment written in the plain style users write: global names that
// the framework itself might have used. It must link against the library,
// start, draw, print and exit cleanly (exit code 0).
#include <cstdio>

#include "zullib.h"

uint32_t* pixels[4];
uint8_t* pixels8[4];
HWND main_window;
FILE* log_file;
wchar_t key_queue[16];
HANDLE worker_thread;
HWND status_label;
RECT snap_rects[2];
int text_windows = 1;
int image_windows = 1;
char input_box[8] = "box";
char button_box[8] = "buttons";

void CreateMainWindow() { main_window = ZUL_GetMainWindow(); }

void AppSetup() {
  CreateMainWindow();
  ZUL_OpenTextWindow(0, 0, 0, 200, 100);
  ZUL_CreateImage(0, "names", 0, 120, 4, 4, 100);
  ZUL_SetPixel(1, 1, 0x123456);
  pixels[0] = reinterpret_cast<uint32_t*>(image_surfaces[0].base);
  ZUL_Printf("%s %s %d %d %06x\n", input_box, button_box, text_windows, image_windows,
             pixels[0][4 + 1]);
  PostMessageW(main_window, WM_KEYDOWN, 'X', 0);  // Exit
}

void AppMain() {}
