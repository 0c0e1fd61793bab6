// Text windows: the table of 256 console-like text windows and their output.
#pragma once

#include "zullib.h"

constexpr int kTextSlots = 256;

struct TextWindow {
  int32_t in_use;
  int32_t width, height;
  int32_t cursor_x, cursor_y;
  int32_t char_width, char_height;
  uint32_t text_colour, back_colour;
  uint32_t text_colour_stack[8];
  uint32_t back_colour_stack[8];
  HWND window;
  HDC memory_dc;
  HDC window_dc;
  HBITMAP bitmap;
  HGDIOBJ previous_bitmap;
};

extern TextWindow text_windows[kTextSlots];

// Start-up: every slot free, the history cleared.
void ClearTextTable();

// Closes the log file of every live text window that is logging.
void ZUL_CloseAllLogs();

LRESULT CALLBACK TextWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
