// The worker thread: it owns every framework window but the main window,
// serves the window requests and runs the application.
#include "runtime/runtime.h"

namespace zul {

// Written by the main window's creation (the thread starts) and by the Exit
// sequence (it ends); both on the main window thread.
HANDLE worker_thread;

namespace {

void RunApplicationOnce() {
  DragAcceptFiles(main_window, FALSE);
  running = 1;
  start_requested = 0;
  stop_requested = 0;
  AppMain();
}

void ApplicationReturned() {
  running = 0;
  stop_requested = 0;
  DragAcceptFiles(main_window, TRUE);
}

}  // namespace

DWORD WINAPI WorkerThreadMain(LPVOID) {
  AppSetup();
  RebuildSnapRects();
  while (quit_state == kQuitNone) {
    Sleep(1);
    PumpWorkerMessages();
    if (window_request.code != 0) DispatchWindowRequest();
    if (start_requested && !running) {
      RunApplicationOnce();
      if (quit_state != kQuitNone) break;
      ApplicationReturned();
    }
  }
  quit_state = kQuitWorkerGone;
  PumpWorkerMessages();
  return 0;
}

}  // namespace zul
