// Window Info.: lists every live framework window in a text window and puts
// source lines that recreate the layout on the clipboard.
//
// Runs on the worker thread inside the text window procedure. Every print
// pumps the worker's messages, so windows may move, close or be destroyed
// meanwhile: each window's values (title included) are read once, before the
// prints that show them, and a window gone by then is skipped. The report
// writes only into the window that received the command, and only while that
// one is still live and current.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "boxes/boxes.h"
#include "surfaces/surfaces.h"
#include "textwin/textwin.h"

namespace zul {

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kYellow = 0xFFFF00;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kFlagColour = 0x0080FF;
constexpr uint32_t kNavy = 0x000080;
constexpr int kReadBackBytes = 256;  // a label or caption read back, terminator included
constexpr int kEscapedCaptionBytes = 512;

// "The layout source list has been saved to the clipboard.", code page 932.
constexpr char kSavedToClipboard932[] =
    "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xC9\x83\x8C\x83\x43\x83\x41"
    "\x83\x45\x83\x67\x8D\xEC\x90\xAC\x83\x5C\x81\x5B\x83\x58\x83\x8A\x83\x58\x83\x67\x82\xF0"
    "\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x44\n";

bool Receiving(int number) { return current_text_window == number && TextWindowLive(number); }

void ReportPrint(int receiving, const char* format, ...) __attribute__((format(printf, 2, 3)));
void ReportPrint(int receiving, const char* format, ...) {
  if (!Receiving(receiving)) return;
  va_list arguments;
  va_start(arguments, format);
  PrintFormatted(format, arguments);
  va_end(arguments);
}

// Pushes a colour pair onto the receiving window; false when it is no longer
// receiving (then there is nothing to pop).
bool ReportPush(int receiving, uint32_t text, uint32_t back) {
  if (!Receiving(receiving)) return false;
  ZUL_PushTextColor(text, back);
  return true;
}

void ReportPop(int receiving, bool pushed) {
  if (pushed && Receiving(receiving)) ZUL_PopTextColor();
}

void PrintInColour(int receiving, uint32_t text, uint32_t back, const char* words) {
  bool pushed = ReportPush(receiving, text, back);
  ReportPrint(receiving, "%s", words);
  ReportPop(receiving, pushed);
}

void PrintSectionHeading(int receiving, const char* name) {
  char heading[32];
  snprintf(heading, sizeof heading, "[%s]\n", name);
  PrintInColour(receiving, kGreen, kBlack, heading);
}

void AppendSectionComment(SourceFragment* fragment, const char* name) {
  AppendFragmentLine(fragment, "\t// [%s]\n", name);
}

void StartSection(int receiving, SourceFragment* fragment, const char* name) {
  PrintSectionHeading(receiving, name);
  AppendSectionComment(fragment, name);
}

struct TopLeft {
  int x, y;
};

// The outer rectangle's corner, as the creating calls take it.
TopLeft WindowTopLeft(HWND window) {
  RECT outer = {};
  GetWindowRect(window, &outer);
  return TopLeft{static_cast<int>(outer.left), static_cast<int>(outer.top)};
}

bool AnyImageWindowLive() {
  for (const ImageWindow& w : image_windows) {
    if (w.in_use) return true;
  }
  return false;
}

void ReportImageWindow(int receiving, SourceFragment* fragment, int number) {
  const ImageWindow& w = image_windows[number];
  std::string title = w.title ? w.title : "";
  TopLeft at = WindowTopLeft(w.window);
  int width = w.width, height = w.height, zoom = w.zoom;
  bool full_colour = w.bits == 32;
  AppendFragmentLine(fragment, "\t%s(%d,\"%s\",%d,%d,%d,%d,%d);\n",
                     full_colour ? "ZUL_CreateImage" : "ZUL_CreateImage8", number, title.c_str(),
                     at.x, at.y, width, height, zoom);
  ReportPrint(receiving, " %d ", number);
  PrintInColour(receiving, kFlagColour, kBlack, full_colour ? "F" : "8");
  ReportPrint(receiving, " '%s' X:%d Y:%d W:%d H:%d ZM:%d%%\n", title.c_str(), at.x, at.y, width,
              height, zoom);
}

void ReportImageWindows(int receiving, SourceFragment* fragment) {
  if (!AnyImageWindowLive()) return;
  StartSection(receiving, fragment, "Image Window");
  for (int i = 0; i < kImageSlots; ++i) {
    if (image_windows[i].in_use) ReportImageWindow(receiving, fragment, i);
  }
}

void ReportTextWindows(int receiving, SourceFragment* fragment) {
  StartSection(receiving, fragment, "Text Window");
  for (int n = 0; n < kTextSlots; ++n) {
    const TextWindow& t = text_windows[n];
    if (!t.in_use) continue;
    TopLeft at = WindowTopLeft(t.window);
    int width = t.width, height = t.height;
    AppendFragmentLine(fragment, "\tZUL_OpenTextWindow(%d,%d,%d,%d,%d);\n", n, at.x, at.y, width,
                       height);
    ReportPrint(receiving, " %d X:%d Y:%d W:%d H:%d\n", n, at.x, at.y, width, height);
  }
}

void ReportInputBox(int receiving, SourceFragment* fragment) {
  // Everything is read and written to the fragment before the prints.
  HWND box = InputBoxWindow();
  if (!box) return;
  TopLeft at = WindowTopLeft(box);
  int items = InputBoxItemCount();
  int label_width = InputBoxLabelWidth(), edit_width = InputBoxEditWidth();
  AppendSectionComment(fragment, "Input Box");
  AppendFragmentLine(fragment, "\tZUL_OpenInputBox(%d,%d,%d);\n", at.x, at.y, items);
  AppendFragmentLine(fragment, "\tZUL_ResizeInputBox(%d,%d);\n", label_width, edit_width);
  for (int i = 0; i < items; ++i) {
    char label[kReadBackBytes] = {};
    if (HWND control = InputBoxLabelControl(i)) GetWindowTextAnsi(control, label, kReadBackBytes);
    AppendFragmentLine(fragment, "\tZUL_SetInputBoxTitle(%d,\"%s\");\n", i, label);
  }
  PrintSectionHeading(receiving, "Input Box");
  ReportPrint(receiving, " X:%d Y:%d ITEM:%d ", at.x, at.y, items);
  ReportPrint(receiving, "ISIZE:%d ESIZE:%d\n", label_width, edit_width);
}

void ReportButtonBox(int receiving, SourceFragment* fragment) {
  HWND box = ButtonBoxWindow();
  if (!box) return;
  TopLeft at = WindowTopLeft(box);
  RECT client = {};
  GetClientRect(box, &client);
  int width = client.right, height = client.bottom;
  int nx = button_box.nx, ny = button_box.ny;
  AppendSectionComment(fragment, "Button Box");
  AppendFragmentLine(fragment, "\tZUL_OpenButtonBox(%d,%d,%d,%d);\n", at.x, at.y, nx, ny);
  AppendFragmentLine(fragment, "\tZUL_ResizeButtonBox(%d,%d);\n", width, height);
  for (int i = 0; i < button_box.count; ++i) {
    char caption[kReadBackBytes] = {};
    if (button_box.buttons[i]) GetWindowTextAnsi(button_box.buttons[i], caption, kReadBackBytes);
    char escaped[kEscapedCaptionBytes];
    EscapeLineFeeds(caption, escaped, kEscapedCaptionBytes);
    AppendFragmentLine(fragment, "\tZUL_SetButtonBoxTitle(%d,\"%s\");\n", i, escaped);
  }
  PrintSectionHeading(receiving, "Button Box");
  ReportPrint(receiving, " X:%d Y:%d NX:%d NY:%d ", at.x, at.y, nx, ny);
  ReportPrint(receiving, "SIZE:%dx%d\n", width, height);
}

// Hands the fragment to the clipboard. Returns whether the clipboard took it.
bool PutFragmentOnClipboard(const SourceFragment& fragment) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, fragment.length + 1);
  char* bytes = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
  if (!bytes) {
    if (block) GlobalFree(block);
    CloseClipboard();
    MessageBoxW(nullptr, L"GlobalAlloc() failed. (ID_INFO)", L"Pause", MB_OK);
    return false;
  }
  std::memcpy(bytes, fragment.text, fragment.length + 1);
  GlobalUnlock(block);
  bool taken = SetClipboardData(CF_TEXT, block) != nullptr;
  if (!taken) GlobalFree(block);
  CloseClipboard();
  return taken;
}

}  // namespace

void PrintWindowInformation(int number) {
  if (ZUL_SelectTextWindow(number) != 0) return;
  SourceFragment fragment;
  StartFragment(&fragment);
  bool base_pushed = ReportPush(number, kWhite, kBlack);
  PrintInColour(number, kYellow, kBlack, "******* Window information *******\n");
  AppendFragmentLine(&fragment, "\t// ZULLIB --- Automatic Source Generator\n");
  ReportImageWindows(number, &fragment);
  ReportTextWindows(number, &fragment);
  ReportInputBox(number, &fragment);
  ReportButtonBox(number, &fragment);
  PrintInColour(number, kYellow, kBlack, "**********************************\n");
  AppendFragmentLine(&fragment, "\tZUL_SetForeground(ZULMAINWINDOW);\n");
  // Without the text (no memory) the report is all there is.
  if (fragment.text && PutFragmentOnClipboard(fragment)) {
    bool pushed = ReportPush(number, kYellow, kNavy);
    if (Receiving(number)) PrintCodePageText(932, kSavedToClipboard932);
    ReportPop(number, pushed);
  }
  FreeFragment(&fragment);
  ReportPop(number, base_pushed);
}

}  // namespace zul
