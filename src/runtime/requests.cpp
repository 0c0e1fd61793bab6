// The single window request by which the main window thread asks the worker
// thread to create or change the windows the worker owns.
#include "runtime/runtime.h"

#include "boxes/boxes.h"
#include "surfaces/surfaces.h"
#include "textwin/textwin.h"

namespace zul {

WindowRequest window_request;

namespace {

// Waits, keeping the main window's messages flowing, until `ready` holds.
// Returns false, without waiting further, once the worker thread has left its
// loop at Exit (kQuitWorkerGone): it serves no request any more.
template <typename Ready>
bool PumpMainUntil(Ready ready) {
  while (!ready()) {
    if (quit_state == kQuitWorkerGone) return false;
    PumpMainMessages();
    if (ready()) break;
    MsgWaitForMultipleObjectsEx(0, nullptr, 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
  return true;
}

void WaitForNoPendingRequest() {
  PumpMainUntil([] { return window_request.code == 0; });
}

// Publishes the request (arguments are already filled in), waits for it and
// returns its result.
int32_t PostRequestAndWait(int32_t code) {
  int32_t result = 0;
  window_request.result_out = &result;
  window_request.done = 0;
  window_request.code = code;
  if (!PumpMainUntil([] { return window_request.done != 0; })) return 1;  // not carried out
  return result;
}

}  // namespace

void DispatchWindowRequest() {
  WindowRequest& r = window_request;
  switch (r.code) {
    case kRequestCreateImage:
      r.result =
          r.number >= kImageSlots || r.number < 0
              ? 4
              : CreateImageWindow(r.number, r.title, r.x, r.y, r.width, r.height, r.zoom, r.bits);
      break;
    case kRequestRedrawImage: ZUL_RedrawImage(r.number); break;
    case kRequestLoadImageFile:
      // A free or bad number loads nothing (rather than into whichever window
      // is current) and leaves the history alone.
      if (ZUL_SelectImage(r.number) != 0) {
        r.result = 2;
        break;
      }
      r.result = ZUL_LoadImageFile(r.file_name, r.x, r.y);
      ZUL_RestoreImage();
      break;
    case kRequestPasteBitmap: PasteBitmapToImage(r.bitmap); break;
    case kRequestOpenTextWindow:
      if (r.number >= 0 && r.number < kTextSlots) ZUL_OpenTextWindow(r.number, -1, -1, -1, -1);
      break;
    case kRequestOpenInputBox:
      ZUL_DestroyInputBox();
      ZUL_OpenInputBox(r.x, r.y, r.number);
      break;
    case kRequestOpenButtonBox:
      ZUL_DestroyButtonBox();
      ZUL_OpenButtonBox(r.x, r.y, r.width, r.height);
      break;
    default: break;
  }
  if (r.result_out) *r.result_out = r.result;
  r.result_out = nullptr;
  r.done = 1;
  r.code = 0;
}

int RequestCreateImage(int number, const char* title, int width, int height, int bits) {
  WaitForNoPendingRequest();
  WindowRequest& r = window_request;
  r.number = number;
  r.title = title;
  r.width = width;
  r.height = height;
  r.bits = bits;
  r.x = r.y = -1;
  r.zoom = 100;
  return PostRequestAndWait(kRequestCreateImage);
}

void RequestRedrawImage(int number) {
  WaitForNoPendingRequest();
  window_request.number = number;
  PostRequestAndWait(kRequestRedrawImage);
}

int RequestLoadImageFile(int number, const char* file_name) {
  WaitForNoPendingRequest();
  WindowRequest& r = window_request;
  r.number = number;
  r.file_name = file_name;
  r.x = r.y = 0;
  return PostRequestAndWait(kRequestLoadImageFile);
}

void RequestPasteBitmap(HBITMAP bitmap) {
  WaitForNoPendingRequest();
  window_request.bitmap = bitmap;
  PostRequestAndWait(kRequestPasteBitmap);
}

void RequestOpenTextWindow(int number) {
  if (number >= 0 && number < kTextSlots && text_windows[number].in_use) {
    SetForegroundWindow(text_windows[number].window);
    return;
  }
  WaitForNoPendingRequest();
  WindowRequest& r = window_request;
  r.number = number;
  r.x = r.y = r.width = r.height = -1;
  PostRequestAndWait(kRequestOpenTextWindow);
}

void RequestOpenInputBox(int items) {
  WaitForNoPendingRequest();
  WindowRequest& r = window_request;
  r.number = items;
  r.x = r.y = 0;
  PostRequestAndWait(kRequestOpenInputBox);
}

void RequestOpenButtonBox(int columns, int rows) {
  WaitForNoPendingRequest();
  WindowRequest& r = window_request;
  r.width = columns;
  r.height = rows;
  r.x = r.y = 0;
  PostRequestAndWait(kRequestOpenButtonBox);
}

}  // namespace zul
