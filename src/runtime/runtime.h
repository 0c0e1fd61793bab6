// The runtime, on top of every subsystem: start-up and shutdown, the worker
// thread, the window requests by which the main window thread has the worker
// make windows, and the process entry.
#pragma once

#include "core/core.h"

namespace zul {

// ---- start-up (startup.cpp) -------------------------------------------------------
// Start-up steps 1-8: GDI+, clock, tables, directories, window classes.
// Returns 0, or 1 when a window class could not be registered. A test program
// calls it to use the framework's windows without the main window.
int ZulInitialize(HINSTANCE instance);
// The whole run of the process: start-up, main window, message loop, shutdown.
// Returns the process exit code.
int ZulMain(HINSTANCE instance);
// Adds every live framework window to a snap list (snap_windows.cpp).
void GatherSnapWindows(SnapList* list);

// ---- worker thread (worker.cpp) ----------------------------------------------------
extern HANDLE worker_thread;
DWORD WINAPI WorkerThreadMain(LPVOID);

// ---- window requests (requests.cpp) ------------------------------------------------
// The codes 9001-9007, in this order.
enum RequestCode : int32_t {
  kRequestCreateImage = 9001,
  kRequestRedrawImage,
  kRequestLoadImageFile,
  kRequestPasteBitmap,
  kRequestOpenTextWindow,
  kRequestOpenInputBox,
  kRequestOpenButtonBox,
};

// The single cross-thread request record. `code` and `done` are the
// synchronising words: the requester writes the arguments, then `done` = 0,
// then `code`; the worker writes `result`, then `done` = 1, then `code` = 0.
struct WindowRequest {
  std::atomic<int32_t> code;
  std::atomic<int32_t> done;
  int32_t number;
  const char* title;
  int32_t x, y;
  int32_t width, height;
  int32_t zoom;
  int32_t bits;
  const char* file_name;
  HBITMAP bitmap;
  int32_t result;
  // Where the worker also writes `result`: the requester's own variable, so a
  // request made while another one waits cannot hand its result to the other.
  int32_t* result_out;
};
extern WindowRequest window_request;

// Carries out the pending request on the worker thread.
void DispatchWindowRequest();

// The requesters (main window thread) wait until the worker has carried the
// request out; when the program ends first (Exit), they stop waiting and
// RequestCreateImage and RequestLoadImageFile return 1 (not carried out).
int RequestCreateImage(int number, const char* title, int width, int height, int bits);
void RequestRedrawImage(int number);
int RequestLoadImageFile(int number, const char* file_name);
void RequestPasteBitmap(HBITMAP bitmap);
void RequestOpenTextWindow(int number);
void RequestOpenInputBox(int items);
void RequestOpenButtonBox(int columns, int rows);

}  // namespace zul
