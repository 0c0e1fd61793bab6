// Processing a thread's waiting messages: the nested pumps of every wait.
#include "core/core.h"

namespace zul {

// Worker thread: the open input box, whose messages get its dialog keys.
HWND worker_dialog;

namespace {

// A pump nested in a wait (a request, a typed line) can take the quit message
// that Exit posts; it belongs to the thread's outermost loop, so it is put back.
void LeaveQuitForOuterLoop(const MSG& message) {
  if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));
}

// Processes every waiting message of the calling thread; `dialog` (if any)
// gets its dialog keys (Tab, Enter) first.
void PumpThreadMessages(HWND dialog) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      LeaveQuitForOuterLoop(message);
      return;
    }
    if (dialog && IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

void PumpWorkerMessages() { PumpThreadMessages(worker_dialog); }

void PumpMainMessages() { PumpThreadMessages(nullptr); }

}  // namespace zul

using namespace zul;

void ZUL_PumpMessages() { PumpWorkerMessages(); }
