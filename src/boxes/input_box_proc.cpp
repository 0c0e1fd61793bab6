// The input box's window procedure: taking over values, focus, widening by
// either edge, popup menus and renaming a label through a typed line.
#include <algorithm>

#include "boxes/boxes.h"
#include "textwin/textwin.h"

namespace zul {

namespace {

constexpr char kBlankLabel[] = "                    ";  // clears a longer old label first

// The item row under a client y, or -1 when the row holds no item.
int HitTestRow(LPARAM lparam) {
  int y = static_cast<short>(HIWORD(lparam));
  if (y < 0) return -1;
  int row = y / kInputRowPitch;
  return row < input_box.items ? row : -1;
}

// Only the width may change: the proposed top and bottom become the present ones.
void KeepHeight(HWND window, WPARAM edge, RECT* proposed) {
  RECT present;
  GetWindowRect(window, &present);
  proposed->top = present.top;
  proposed->bottom = present.bottom;
  input_box.sizing_edge = static_cast<int32_t>(edge);
}

bool LeftEdgeDragged() {
  return input_box.sizing_edge == WMSZ_LEFT || input_box.sizing_edge == WMSZ_TOPLEFT ||
         input_box.sizing_edge == WMSZ_BOTTOMLEFT;
}

// The left edge widens the labels, any other the fields.
void FollowClientWidth(int client_width) {
  if (LeftEdgeDragged()) {
    input_box.label_width = std::max(1, client_width - input_box.edit_width - 12);
  } else {
    input_box.edit_width = std::max(1, client_width - input_box.label_width - 12);
  }
  LayOutInputItems();
}

void FocusLastField() {
  if (!input_box.window || !input_box.edits[0]) return;
  if (!input_box.focus_field) input_box.focus_field = input_box.edits[0];
  SetFocus(input_box.focus_field);
  int length = GetWindowTextLengthW(input_box.edits[0]);
  PostMessageW(input_box.edits[0], EM_SETSEL, 0, static_cast<LPARAM>(length));
}

void FieldNotification(HWND control, int code) {
  int index = InputFieldIndexOf(control);
  if (index < 0) return;  // not one of the fields
  if (code == EN_SETFOCUS) input_box.focus_field = control;
  if (code == EN_KILLFOCUS) TakeInputFieldValue(index);
}

const BoxBehaviour kInputBoxBehaviour = {
    kCmdInputBoxDestroy,   "Destroy",           kCmdInputBoxRename,    HitTestRow,
    &input_box.rename_row, ZUL_DestroyInputBox, ZUL_RenameInputBoxItem};

}  // namespace

LRESULT CALLBACK InputBoxProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (HandleBoxMessage(window, message, wparam, lparam, kInputBoxBehaviour, &result)) {
    return result;
  }
  switch (message) {
    case WM_SIZING: KeepHeight(window, wparam, reinterpret_cast<RECT*>(lparam)); return TRUE;
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) FollowClientWidth(LOWORD(lparam));
      return 0;
    case WM_ACTIVATE:
      // Only on activation: a box that loses it leaves the focus where it went.
      if (LOWORD(wparam) != WA_INACTIVE) FocusLastField();
      return 0;
    case WM_COMMAND:
      if (lparam != 0) {
        FieldNotification(reinterpret_cast<HWND>(lparam), HIWORD(wparam));
      } else if (LOWORD(wparam) == IDOK) {  // Enter in a field
        TakeInputFieldValue(InputFieldIndexOf(input_box.focus_field));
      }
      return 0;
    default: return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace zul

using namespace zul;

void ZUL_RenameInputBoxItem(int index) {
  if (!IsItemOfOpenInputBox(index)) return;
  char line[kPromptLineBytes];
  if (!PromptNewCaption(input_box.labels[index], index, line)) return;
  // The box may have been closed or opened anew while the line was typed.
  if (IsItemOfOpenInputBox(index)) {
    ZUL_SetInputBoxTitle(index, kBlankLabel);
    ZUL_SetInputBoxTitle(index, line);
  }
}
