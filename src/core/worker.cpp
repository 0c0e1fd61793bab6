// The worker thread: it owns every framework window but the main window,
// serves the window requests and runs the application.
#include "core/core.h"

#include "boxes/boxes.h"

std::atomic<int32_t> start_requested{0};
std::atomic<int32_t> running{0};
std::atomic<int32_t> stop_requested{0};
std::atomic<int32_t> quit_state{0};

namespace {

// A pump nested in a wait (a request, a typed line) can take the quit message
// that Exit posts; it belongs to the thread's outermost loop, so it is put back.
void LeaveQuitForOuterLoop(const MSG& message) {
  if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));
}

// Processes every waiting message of the calling thread; on the worker the
// open input box's messages get its dialog keys (Tab, Enter) first.
void PumpThreadMessages(bool with_input_box) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      LeaveQuitForOuterLoop(message);
      return;
    }
    HWND dialog = with_input_box ? InputBoxWindow() : nullptr;
    if (dialog && IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

void PumpWorkerMessages() { PumpThreadMessages(true); }

void ZUL_PumpMessages() { PumpWorkerMessages(); }

void PumpMainMessages() { PumpThreadMessages(false); }

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
  while (quit_state == 0) {
    Sleep(1);
    PumpWorkerMessages();
    if (window_request.code != 0) DispatchWindowRequest();
    if (start_requested && !running) {
      RunApplicationOnce();
      if (quit_state != 0) break;
      ApplicationReturned();
    }
  }
  quit_state = 2;
  PumpWorkerMessages();
  return 0;
}
