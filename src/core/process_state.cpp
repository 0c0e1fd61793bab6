// The process-wide words both threads poll, and the handles every window
// uses: the program's instance and the main window with its status label.
#include "core/core.h"

namespace zul {

// Set by whichever thread waits for a line (the worker, or the main window
// thread in its prompts) or for a point (the worker); both threads read them.
std::atomic<int32_t> text_input_pending{0};
std::atomic<int32_t> point_tool_active{0};

// Written by start-up and the main window's creation before the worker
// thread starts, read by both threads afterwards.
HINSTANCE zul_instance;
HWND main_window;
HWND status_label;
int bits_per_pixel;

}  // namespace zul

using namespace zul;

// Written by the main window thread (Start, Stop, Exit) and by the worker
// (running, and quit_state kQuitWorkerGone when it has left its loop).
std::atomic<int32_t> start_requested{0};
std::atomic<int32_t> running{0};
std::atomic<int32_t> stop_requested{0};
std::atomic<int32_t> quit_state{0};
