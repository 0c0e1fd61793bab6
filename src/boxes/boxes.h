// The input box (labelled fields) and the button box (a grid of buttons).
#pragma once

#include "core/core.h"

namespace zul {

// The open box's window, or none.
HWND InputBoxWindow();
HWND ButtonBoxWindow();

LRESULT CALLBACK InputBoxProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK ButtonBoxProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// ---- both boxes (box_window.cpp) -----------------------------------------------------
// Makes a box's window (owned by the main window) at (x, y) around `client`.
HWND CreateBoxWindow(const wchar_t* window_class, const wchar_t* title, int x, int y, SIZE client);
// Brings a box to the outer size of `client`, its position kept.
void ResizeBoxWindow(HWND window, SIZE client);
// Destroys a box's window and forgets it; a failure is shown in a message box
// with the box's own text and caption. False when there was no window.
bool DestroyBoxWindow(HWND* window, const wchar_t* error_text, const wchar_t* error_caption);

// What differs between the boxes in the messages they handle alike.
struct BoxBehaviour {
  UINT destroy_id;  // the frame menu's one item
  const char* destroy_caption;
  UINT rename_id;                 // the client area menu's one item, "Rename"
  int (*item_at)(LPARAM lparam);  // the item under a client position
  int32_t* rename_item;           // the item the rename menu was opened on
  void (*destroy)();
  void (*rename)(int item);
};
// Snapping, WM_CLOSE (destroys the box), the frame menu (Destroy) on a right
// click of the caption bar, the rename menu on one of the client area and
// renaming on a double click (neither while a context menu may not open),
// and the two menu commands. True when `message` was handled, with the
// procedure's result in `result`.
bool HandleBoxMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                      const BoxBehaviour& box, LRESULT* result);

// ---- input box ------------------------------------------------------------------
constexpr int kMaxInputItems = 30;
constexpr int kInputValueBytes = 256;  // a value, terminator included
constexpr int kInputRowPitch = 28;     // rows of the box are this far apart
constexpr int kInputControlHeight = 24;

// The one input box, owned by the worker thread (created, read and written
// there only). The widths outlive the window: the next box opens with them.
struct InputBox {
  HWND window;
  int32_t items;
  HWND labels[kMaxInputItems];
  HWND edits[kMaxInputItems];
  char values[kMaxInputItems][kInputValueBytes];  // "" while no box is open
  int32_t label_width, edit_width;
  HWND focus_field;     // the field that last had the keyboard focus
  int32_t sizing_edge;  // the WMSZ_ edge last dragged, 0 none
  int32_t rename_row;   // the row of the last right click
};
extern InputBox input_box;

// Read accessors for the window information report: the item count (0 when
// no box is open), the two widths and an item's label control (null when the
// box is closed or the index is no item).
int InputBoxItemCount();
int InputBoxLabelWidth();
int InputBoxEditWidth();
HWND InputBoxLabelControl(int index);

// Whether `index` is an item of the open box.
bool IsItemOfOpenInputBox(int index);
// The edit field index of a control of the box, or -1.
int InputFieldIndexOf(HWND control);
// Copies field `index`'s text into its value (cut at a whole character).
void TakeInputFieldValue(int index);
// Sizes every label and moves and sizes every field to the present widths.
void LayOutInputItems();

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

}  // namespace zul
