#include "test_support.h"

#include <thread>
#include <utility>

std::function<void()> test_app_setup;
std::function<void()> test_app_main;

void InitializeFrameworkForTests() {
  static bool done = false;
  if (std::exchange(done, true)) return;
  ASSERT_EQ(ZulInitialize(GetModuleHandleW(nullptr)), 0);
}

bool WaitUntil(const std::function<bool()>& condition, int timeout_ms) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (static_cast<int>(GetTickCount() - start) > timeout_ms) return condition();
    for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);)
      TranslateMessage(&m), DispatchMessageW(&m);
    Sleep(1);
  }
  return true;
}

void PumpFor(int ms) {
  DWORD start = GetTickCount();
  WaitUntil([&] { return static_cast<int>(GetTickCount() - start) >= ms; }, ms + 1000);
}

std::wstring MainStatusText() {
  wchar_t text[128] = {};
  return GetWindowTextW(GetDlgItem(main_window, kStatusLabelId), text, 128), text;
}

bool KeyEndsTheProgram(const std::function<HWND()>& window, WPARAM key) {
  if (!WaitUntil([&] { return window() != nullptr; })) return false;
  HWND main = main_window;
  PostMessageW(window(), WM_KEYDOWN, key, 1);
  return WaitUntil([&] { return !IsWindow(main); });
}

bool WriteBytesToFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  return CloseHandle(file), ok && written == bytes.size();
}

void HoldControlKey(bool down, HWND window) {
  DWORD owner = window ? GetWindowThreadProcessId(window, nullptr) : GetCurrentThreadId();
  bool other_thread = owner != GetCurrentThreadId();
  if (other_thread) AttachThreadInput(GetCurrentThreadId(), owner, TRUE);
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = keys[VK_LCONTROL] = down ? 0x80 : 0;
  SetKeyboardState(keys);
  if (other_thread) AttachThreadInput(GetCurrentThreadId(), owner, FALSE);
}

void SendControlKey(HWND window, WPARAM key) {
  HoldControlKey(true, window);
  SendMessageW(window, WM_KEYDOWN, key, 1);
  HoldControlKey(false, window);
}

namespace {

constexpr UINT kRunOnMainMessage = WM_APP + 77;
WNDPROC original_main_proc;

LRESULT CALLBACK TestMainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != kRunOnMainMessage)
    return CallWindowProcW(original_main_proc, window, message, wparam, lparam);
  auto* work = reinterpret_cast<std::function<void()>*>(lparam);
  (*work)();
  delete work;
  return 0;
}

}  // namespace

void RunOnMainThread(std::function<void()> work) {
  if (!original_main_proc) {
    original_main_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        main_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TestMainWindowProc)));
  }
  PostMessageW(main_window, kRunOnMainMessage, 0,
               reinterpret_cast<LPARAM>(new std::function<void()>(std::move(work))));
}

void RunOnMainThreadAndWait(std::function<void()> work) {
  std::atomic<int> finished{0};
  RunOnMainThread([&] { work(), finished = 1; });
  while (!finished) Sleep(1);
}

int RunScenario(std::function<void()> app_setup, std::function<void()> app_main,
                std::function<void()> driver) {
  test_app_setup = std::move(app_setup);
  test_app_main = std::move(app_main);
  std::thread driver_thread([&] {
    ASSERT_TRUE(WaitUntil([] { return main_window != nullptr && IsWindow(main_window); }, 10000))
        << "the main window did not appear";
    driver();
    HWND window = main_window;
    if (IsWindow(window)) PostMessageW(window, WM_COMMAND, kCmdExit, 0);
  });
  int code = ZulMain(GetModuleHandleW(nullptr));
  driver_thread.join();
  return code;
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
