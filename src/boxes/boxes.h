// The input box (labelled fields) and the button box (a grid of buttons).
#pragma once

#include "zullib.h"

#include "core/command_ids.h"

// The open box's window, or none.
HWND InputBoxWindow();
HWND ButtonBoxWindow();

void ZUL_OpenInputBox(int x, int y, int items);
void ZUL_DestroyInputBox();

// The open input box as the window information report reads it: its number
// of items, the widths of all labels and of all edit fields, and the label
// control of one item (null for an index outside the open box).
int InputBoxItemCount();
int InputBoxLabelWidth();
int InputBoxEditWidth();
HWND InputBoxLabel(int index);

LRESULT CALLBACK InputBoxProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK ButtonBoxProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// ---- button box ------------------------------------------------------------------
constexpr int kMaxButtons = 256;
constexpr int kButtonGap = 4;
constexpr int kButtonCaptionUnits = 512;  // a caption as read back for renaming

// The one button box. Counts and the button size outlive the window: the
// next box opens with the last button size.
struct ButtonBox {
  HWND window;
  int32_t nx, ny, count;
  HWND buttons[kMaxButtons];
  int32_t press_count[kMaxButtons];
  int32_t button_width, button_height;
  int32_t rename_index;
};
extern ButtonBox button_box;

// The client size that holds the grid with the present button size.
SIZE ButtonBoxClientSize(int nx, int ny);
// Lays every button out at its grid position with the present button size.
void LayOutButtons();
// The button under a client point between or around the buttons.
int HitTestButtonGrid(int x, int y);
// The index of a button control of the box, or -1.
int ButtonIndexOf(HWND control);
// Sets a button's caption; the index must be a button of the open box.
void SetButtonCaption(int index, const char* text);
// The popup menus of the caption bar ("&Destroy\tCtrl+Q") and the client area
// ("Rename"), built for each right click; the caller destroys them.
HMENU BuildButtonBoxFrameMenu();
HMENU BuildButtonBoxRenameMenu();
