// The main window's popup commands: paste a clipboard picture, create image
// windows, text windows, an input box or a button box by prompts in text
// window 0, and the window information report.
#include "mainwin/mainwin.h"

#include <cstdio>

#include "surfaces/surfaces.h"
#include "textwin/textwin.h"

namespace zul {

namespace {

constexpr int kNumberTitleBytes = 8;  // "%03d"

int FirstFreeImageSlot() {
  for (int n = 0; n < kImageSlots; ++n) {
    if (!image_windows[n].in_use) return n;
  }
  return -1;
}

int FirstFreeTextSlot() {
  for (int n = 0; n < kTextSlots; ++n) {
    if (!text_windows[n].in_use) return n;
  }
  return -1;
}

void FormatNumberTitle(int number, char title[kNumberTitleBytes]) {
  snprintf(title, kNumberTitleBytes, "%03d", number);
}

// A prompt reads from the text windows' one input; a second one would cut
// into the line the first is waiting for.
bool PromptAllowed() { return text_input_pending == kNoInputPending && quit_state == kQuitNone; }

}  // namespace

void PasteClipboardPicture() {
  if (running != 0) return;
  RGBQUAD colors[kPaletteEntries];
  int color_count = 0;
  HBITMAP bitmap = GetClipboardBitmap(colors, &color_count);
  if (!bitmap) return;
  BITMAP info = {};
  GetObjectW(bitmap, sizeof info, &info);
  int width = info.bmWidth;
  int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  for (int n = 0; n < kImageSlots && quit_state == kQuitNone; ++n) {
    char title[kNumberTitleBytes];
    FormatNumberTitle(n, title);
    if (RequestCreateImage(n, title, width, height, 32) == 0) {
      // Exit chosen meanwhile: the worker serves no more requests.
      if (quit_state != kQuitNone) break;
      RequestPasteBitmap(bitmap);  // the worker deletes it
      if (quit_state == kQuitNone) RequestRedrawImage(n);
      ZUL_RestoreImage();
      return;
    }
  }
  DeleteObject(bitmap);
}

void CreateImageWindowByPrompt() {
  if (!PromptAllowed()) return;
  RequestOpenTextWindow(0);
  ZUL_Printf("Creating ImageWindow...\n");
  int width = 0, height = 0, bits = 0;
  if (!PromptNumber(&width, " Width=")) return;
  if (!PromptNumber(&height, "Height=")) return;
  if (!PromptNumber(&bits, "Bit[32 or 8]=")) return;
  if (bits != 32 && bits != 8) return;
  int n = FirstFreeImageSlot();
  if (n < 0) return;
  char title[kNumberTitleBytes];
  FormatNumberTitle(n, title);
  RequestCreateImage(n, title, width, height, bits);
}

void OpenNextTextWindow() {
  int n = FirstFreeTextSlot();
  if (n >= 0) RequestOpenTextWindow(n);
}

void OpenInputBoxByPrompt() {
  if (!PromptAllowed()) return;
  RequestOpenTextWindow(0);
  ZUL_Printf("Creating InpuxBox...\n");
  int items = 0;
  if (!PromptNumber(&items, "How many items? >")) return;
  RequestOpenInputBox(items);
}

void OpenButtonBoxByPrompt() {
  if (!PromptAllowed()) return;
  RequestOpenTextWindow(0);
  ZUL_Printf("Creating ButtonBox...\n");
  int columns = 0, rows = 0;
  if (!PromptNumber(&columns, "Number[X]=>")) return;
  if (!PromptNumber(&rows, "Number[Y]=>")) return;
  RequestOpenButtonBox(columns, rows);
}

void ShowWindowInfo() {
  if (!TextWindowLive(current_text_window)) RequestOpenTextWindow(0);
  if (TextWindowLive(current_text_window)) {
    PostCommandToWindow(text_windows[current_text_window].window, kCmdWindowInfo);
  }
}

void MainWindowCommand(HWND, int id) {
  switch (id) {
    case kCmdPaste: PasteClipboardPicture(); break;
    case kCmdImageWindow: CreateImageWindowByPrompt(); break;
    case kCmdTextWindow: OpenNextTextWindow(); break;
    case kCmdInputBox: OpenInputBoxByPrompt(); break;
    case kCmdWindowInfo: ShowWindowInfo(); break;
    case kCmdButtonBox: OpenButtonBoxByPrompt(); break;
    default: break;
  }
}

}  // namespace zul
