// The input box: opening, destroying, the item values, labels and widths.
#include "boxes/boxes.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace zul {

InputBox input_box = {nullptr, 0, {}, {}, {}, 80, 70, nullptr, 0, 0};

namespace {

constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP;
constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr int kLabelUnits = 10;  // "Item %d"
// Widths from the generated source are taken as they are, within reason:
// their sum must stay a valid client width.
constexpr int kLargestWidth = 16000;

int RowTop(int index) { return 4 + kInputRowPitch * index; }

SIZE InputBoxClientSize(int items) {
  return SIZE{input_box.label_width + input_box.edit_width + 12, kInputRowPitch * items + 2};
}

void CreateItem(int index) {
  wchar_t label[kLabelUnits];
  swprintf(label, kLabelUnits, L"Item %d", index);
  int top = RowTop(index);
  input_box.labels[index] =
      CreateWindowExW(0, L"STATIC", label, kLabelStyle, 4, top + 3, input_box.label_width,
                      kInputControlHeight, input_box.window, nullptr, zul_instance, nullptr);
  std::strcpy(input_box.values[index], "0");
  input_box.edits[index] = CreateWindowExW(
      WS_EX_CLIENTEDGE, L"EDIT", L"0", kFieldStyle, input_box.label_width + 8, top,
      input_box.edit_width, kInputControlHeight, input_box.window, nullptr, zul_instance, nullptr);
}

void ForgetItems() {
  for (int index = 0; index < kMaxInputItems; ++index) {
    input_box.values[index][0] = 0;
    input_box.labels[index] = nullptr;
    input_box.edits[index] = nullptr;
  }
  input_box.focus_field = nullptr;
}

int ClampWidth(int width) { return std::clamp(width, 1, kLargestWidth); }

}  // namespace

HWND InputBoxWindow() { return input_box.window; }

int InputBoxItemCount() { return input_box.window ? input_box.items : 0; }
int InputBoxLabelWidth() { return input_box.label_width; }
int InputBoxEditWidth() { return input_box.edit_width; }

HWND InputBoxLabelControl(int index) {
  return IsItemOfOpenInputBox(index) ? input_box.labels[index] : nullptr;
}

bool IsItemOfOpenInputBox(int index) {
  return input_box.window != nullptr && index >= 0 && index < input_box.items;
}

int InputFieldIndexOf(HWND control) {
  if (!control || !input_box.window) return -1;
  for (int index = 0; index < input_box.items; ++index) {
    if (input_box.edits[index] == control) return index;
  }
  return -1;
}

void TakeInputFieldValue(int index) {
  if (!IsItemOfOpenInputBox(index)) return;
  GetWindowTextAnsi(input_box.edits[index], input_box.values[index], kInputValueBytes);
}

void LayOutInputItems() {
  for (int index = 0; index < input_box.items; ++index) {
    if (input_box.labels[index]) {
      SetWindowPos(input_box.labels[index], nullptr, 0, 0, input_box.label_width,
                   kInputControlHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (input_box.edits[index]) {
      SetWindowPos(input_box.edits[index], nullptr, input_box.label_width + 8, RowTop(index),
                   input_box.edit_width, kInputControlHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

}  // namespace zul

using namespace zul;

void ZUL_OpenInputBox(int x, int y, int items) {
  if (input_box.window) return;
  items = std::clamp(items, 1, kMaxInputItems);
  ForgetItems();
  input_box.items = items;
  input_box.window = CreateBoxWindow(L"zul_ib", L"InputBox", x, y, InputBoxClientSize(items));
  if (!input_box.window) return;
  worker_dialog = input_box.window;
  for (int index = 0; index < items; ++index) CreateItem(index);
  UpdateWindow(input_box.window);
  SetForegroundWindow(input_box.window);
  SetFocus(input_box.edits[0]);
}

void ZUL_DestroyInputBox() {
  if (DestroyBoxWindow(&input_box.window, L"DestroyWindow[IB] Error", L"ZULLIB Error!")) {
    worker_dialog = nullptr;
    ForgetItems();
  }
}

void ZUL_ResizeInputBox(int label_width, int edit_width) {
  input_box.label_width = ClampWidth(label_width);
  input_box.edit_width = ClampWidth(edit_width);
  if (!input_box.window) return;
  ResizeBoxWindow(input_box.window, InputBoxClientSize(input_box.items));
  LayOutInputItems();
}

void ZUL_SetInputBoxTitle(int index, const char* text) {
  if (IsItemOfOpenInputBox(index)) SetWindowTextAnsi(input_box.labels[index], text ? text : "");
}

int ZUL_SetInputBox(int index, const char* text) {
  if (!IsItemOfOpenInputBox(index)) return 1;
  SetWindowTextAnsi(input_box.edits[index], text ? text : "");
  TakeInputFieldValue(index);  // the value as the field holds it: cut like a typed one
  return 0;
}

int ZUL_GetInputBox(int index, char* buffer) {
  if (!buffer) return 1;
  buffer[0] = 0;
  if (!IsItemOfOpenInputBox(index)) return 1;
  std::memcpy(buffer, input_box.values[index], kInputValueBytes);
  buffer[kInputValueBytes - 1] = 0;
  return 0;
}
