// Shared helpers of the test programs: the application routines every
// program must define, one-time framework set-up for tests that use windows
// on their own thread, and whole-program scenarios that run the real start-up.
#pragma once

#include <functional>
#include <string>

#include "core/core.h"

// The application routines of a test program; a test sets the ones it needs.
// (Programs built with the real application use its AppSetup / AppMain.)
extern std::function<void()> test_app_setup;
extern std::function<void()> test_app_main;

// Runs start-up steps 1-8 once for this process so that image and text
// windows can be used on the calling thread without the main window.
void InitializeFrameworkForTests();

// Polls `condition` (pumping the calling thread's messages) until it holds or
// `timeout_ms` pass. Returns whether it held.
bool WaitUntil(const std::function<bool()>& condition, int timeout_ms = 5000);

// Pumps the calling thread's messages for `ms` milliseconds.
void PumpFor(int ms);

// Runs the whole program (start-up, main window, worker thread, message loop)
// on this thread with the given application routines, while `driver` runs on
// a thread of its own. When the driver returns and the program is still up,
// the driver thread chooses Exit. Returns the program's exit code.
int RunScenario(std::function<void()> app_setup, std::function<void()> app_main,
                std::function<void()> driver);

// Driver helpers (from the driver thread).
bool WaitForMainWindow(int timeout_ms = 10000);
void PostMainCommand(int id);
void PostMainKey(WPARAM key);
// The bytes of a 24-bit bottom-up BMP file whose pixel (x, y) is colour(x, y)
// (0xRRGGBB), and a writer for such bytes; it returns whether all were written.
std::string Bmp24Bytes(int width, int height, const std::function<uint32_t(int, int)>& colour);
bool WriteBytesToFile(const std::wstring& path, const std::string& bytes);

// Holds (down) or releases Ctrl in the key state that GetKeyState reads on
// the thread owning `window` (the calling thread when `window` is null): a
// posted or sent key message does not change that state by itself.
void HoldControlKey(bool down, HWND window = nullptr);

// Runs `work` on the main window thread (through a message to the main
// window) without waiting for it; the requesters must be called there.
void RunOnMainThread(std::function<void()> work);
// The same, and waits until `work` has returned.
void RunOnMainThreadAndWait(std::function<void()> work);
