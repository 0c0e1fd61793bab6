// The main window: the small control panel with Start, Stop and Exit.
#include "mainwin/mainwin.h"

#include "textwin/textwin.h"

namespace zul {

namespace {

// Main window thread: made with the window, destroyed after its loop ends.
HMENU main_menu_bar;

// The drop animation: the window falls 55 pixels with two bounces.
constexpr int kDropOffsets[28] = {1,  2,  3, 4, 5, 6, 7, 8, 9,  10, -6, -5, -4, -3,
                                  -2, -1, 1, 2, 3, 4, 5, 6, -3, -2, -1, 1,  2,  3};
constexpr int kDropStepMs = 20;
constexpr int kDropRestMs = 500;
constexpr int kExitWaitMs = 2000;

void WaitUntilElapsed(int t0, int ms) {
  while (ZUL_GetTime() - t0 < ms) {
  }
}

void PlayDropAnimation(HWND window) {
  int t0 = ZUL_GetTime();
  for (int offset : kDropOffsets) {
    RECT rect;
    GetWindowRect(window, &rect);
    SetWindowPos(window, nullptr, rect.left, rect.top + offset, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    WaitUntilElapsed(t0, kDropStepMs);
    t0 = ZUL_GetTime();
  }
  WaitUntilElapsed(t0, kDropRestMs);
}

int ReadBitsPerPixel(HWND window) {
  HDC dc = GetDC(window);
  int bits = GetDeviceCaps(dc, BITSPIXEL);
  ReleaseDC(window, dc);
  return bits;
}

void CreateMainWindowContents(HWND window) {
  main_window = window;
  status_label =
      CreateWindowExW(0, L"STATIC", L"Ready", WS_CHILD | WS_VISIBLE, 0, 6, 234, 20, window,
                      reinterpret_cast<HMENU>(kStatusLabelId), zul_instance, nullptr);
  PlayDropAnimation(window);
  MoveWindowIntoWorkArea(window);
  bits_per_pixel = ReadBitsPerPixel(window);
  worker_thread = CreateThread(nullptr, 0, WorkerThreadMain, nullptr, 0, nullptr);
}

bool WorkerStillActive() {
  DWORD code = 0;
  return GetExitCodeThread(worker_thread, &code) && code == STILL_ACTIVE;
}

void MainWindowKey(HWND window, WPARAM key) {
  if (ControlHeld()) {
    if (key == 'V') PostCommandToWindow(window, kCmdPaste);
    if (key == 'W') PostCommandToWindow(window, kCmdWindowInfo);
    return;
  }
  switch (key) {
    case 'X':
    case VK_ESCAPE: RunExitSequence(); break;
    case 'S': StartCommand(); break;
    case 'C': StopCommand(); break;
    default: break;
  }
}

void MainWindowMenuCommand(HWND window, int id) {
  switch (id) {
    case kCmdStart: StartCommand(); break;
    case kCmdExit: RunExitSequence(); break;
    case kCmdStop: StopCommand(); break;
    default: MainWindowCommand(window, id); break;
  }
}

}  // namespace

RECT MainWindowStartRect() {
  int height = GetSystemMetrics(SM_CYCAPTION) + 58;
  int x = (GetSystemMetrics(SM_CXFULLSCREEN) - kMainWindowWidth) / 2;
  int y = GetSystemMetrics(SM_CYFULLSCREEN) - 113;
  return RECT{x, y, x + kMainWindowWidth, y + height};
}

void CreateMainWindow() {
  main_menu_bar = BuildMainMenuBar();
  RECT start = MainWindowStartRect();
  CreateWindowExW(0, L"zul_mw", L"ZULLIB 7.0", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, start.left,
                  start.top, start.right - start.left, start.bottom - start.top, nullptr,
                  main_menu_bar, zul_instance, nullptr);
  ShowDisplayDepth();
  DragAcceptFiles(main_window, TRUE);
  UpdateWindow(main_window);
}

void DestroyMainMenuBar() {
  DestroyMenu(main_menu_bar);
  main_menu_bar = nullptr;
}

void StartCommand() {
  if (running == 0) start_requested = 1;
}

void StopCommand() { stop_requested = 1; }

void RunExitSequence() {
  text_input_pending = kNoInputPending;
  stop_requested = 1;
  quit_state = kQuitting;
  ZUL_CloseAllLogs();
  int t0 = ZUL_GetTime();
  while (WorkerStillActive()) {
    if (ZUL_GetTime() - t0 > kExitWaitMs) break;
    // Messages that other threads send to this one are answered meanwhile: a
    // thread that is ending may wait for such an answer.
    MSG sent;
    PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    Sleep(0);
  }
  if (WorkerStillActive()) TerminateThread(worker_thread, 1);
  int32_t ending = kQuitting;
  quit_state.compare_exchange_strong(ending, kQuitWorkerGone);
  CloseHandle(worker_thread);
  worker_thread = nullptr;
  DestroyWindow(main_window);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (HandleSnapMessage(window, message, lparam, &result)) return result;
  switch (message) {
    case WM_CREATE: CreateMainWindowContents(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_RBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
      if (ContextMenuMayOpen(MenuOwner::kMainWindow)) ShowMainPopupMenu(window);
      return 0;
    case WM_KEYDOWN: MainWindowKey(window, wparam); return 0;
    case WM_COMMAND: MainWindowMenuCommand(window, LOWORD(wparam)); return 0;
    case WM_DROPFILES: HandleMainWindowDrop(reinterpret_cast<HDROP>(wparam)); return 0;
    default: return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace zul
