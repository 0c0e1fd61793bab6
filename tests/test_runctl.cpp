// Whole-program scenarios of the framework spine: the main window, run control
// with Start / Stop / Exit, and window requests from the main window thread.
#include "test_support.h"

namespace {

std::atomic<int> main_calls{0}, setup_calls{0}, saw_stop{0};

// Runs the program with `app`; the driver (after `start` when given) chooses Exit by
// `key`. Expects the worker's exit code and an ending within [min_ms, max_ms).
void ExpectExit(std::function<void()> app, bool start, WPARAM key, DWORD code, DWORD min_ms,
                DWORD max_ms) {
  DWORD worker_code = 99, took = 0;
  ExpectCleanExit(Nothing, app, [&] {
    ASSERT_TRUE(WaitUntil([] { return worker_thread != nullptr; }));
    if (start) PostMainCommand(kCmdStart);
    ASSERT_TRUE(WaitUntil([&] { return running == static_cast<int>(start); }));
    HANDLE worker = nullptr, self = GetCurrentProcess();
    DuplicateHandle(self, worker_thread, self, &worker, 0, FALSE, DUPLICATE_SAME_ACCESS);
    DWORD begin = GetTickCount();
    PostMainKey(key), WaitForSingleObject(worker, 15000);
    took = GetTickCount() - begin;
    GetExitCodeThread(worker, &worker_code), CloseHandle(worker);
  });
  EXPECT_EQ(worker_code, code);
  EXPECT_TRUE(took >= min_ms && took < max_ms) << took;
}

}  // namespace

TEST(MainWindow, PlacedAtTheBottomCentreWithTheDisplayDepth) {
  RECT rect{}, work{};
  std::wstring status;
  ExpectCleanExit(Nothing, Nothing, [&] {
    WaitUntil([] { return MainStatusText().find(L"bit color") != std::wstring::npos; });
    rect = OuterRect(main_window), status = MainStatusText();
  });
  // Dropped in at the bottom centre of the screen, then kept inside the work area.
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_TRUE(rect.left == (GetSystemMetrics(SM_CXFULLSCREEN) - 240) / 2 &&
              rect.right - rect.left == 240);
  EXPECT_TRUE(rect.top > (work.top + work.bottom) / 2 && rect.bottom <= work.bottom);
  HDC screen = GetDC(nullptr);
  std::wstring depth = std::to_wstring(GetDeviceCaps(screen, BITSPIXEL)) + L"-bit color";
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(status.substr(status.find_first_not_of(L' ')), depth);
}

// Start by menu and by key S runs AppMain once each (Start while running is
// ignored); Stop by key C and by menu is seen and cleared after AppMain returns.
TEST(RunControl, StartRunsAppMainOnceAndStopIsSeen) {
  auto app = [] {
    ++main_calls;
    while (!stop_requested) Sleep(1);
    saw_stop = 1;
  };
  auto driver = [] {
    for (bool by_key : {true, false}) {
      saw_stop = 0;
      by_key ? PostMainKey('S') : PostMainCommand(kCmdStart);
      ASSERT_TRUE(WaitUntil([] { return running == 1; }));
      PostMainCommand(kCmdStart), PostMainKey('S');
      PumpFor(200);
      EXPECT_EQ(start_requested, 0);
      by_key ? PostMainKey('C') : PostMainCommand(kCmdStop);
      ASSERT_TRUE(WaitUntil([] { return saw_stop == 1 && !running; }));
      EXPECT_EQ(stop_requested, 0);
    }
    PumpFor(200);
  };
  ExpectCleanExit([] { ++setup_calls; }, app, driver);
  EXPECT_EQ(setup_calls, 1);
  EXPECT_EQ(main_calls, 2);
}

TEST(RunControl, ExitFromIdleEndsTheWorkerWithoutForce) {  // well inside the 2-second grace period
  ExpectExit(Nothing, false, VK_ESCAPE, 0, 0, 1500);
  EXPECT_EQ(quit_state, 2);
}

TEST(RunControl, ExitEndsAnApplicationThatNeverPollsByForce) {  // after the grace period
  ExpectExit([] { Sleep(INFINITE); }, true, 'X', 1, 1900, 6000);
}

// While the first request waits for AppMain, the main window still answers and
// handles a message that makes a second one, which waits for the first to complete.
TEST(Requests, RequestsWaitForAppMainInTurnKeepingTheirResultsAndTheMainWindowAnswers) {
  std::atomic<int> outer{-1}, inner{-1}, inner_started{0}, outer_pending{0};
  ExpectCleanExit(
      Nothing,
      [] {
        while (!release_app) Sleep(1);
      },
      [&] {
        StartHeldApplication();
        RunOnMainThread([&] {
          RunOnMainThread([&] {
            outer_pending = window_request.code != 0;
            inner_started = 1;
            inner = RequestCreateImage(300, "inner", 10, 10, 32);
          });
          outer = RequestCreateImage(10, "outer", 10, 10, 7);  // bad depth: 3
        });
        ASSERT_TRUE(WaitUntil([&] { return inner_started == 1; }));
        PumpFor(300);
        DWORD_PTR answer = 0;
        EXPECT_NE(SendMessageTimeoutW(main_window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer),
                  0);
        EXPECT_EQ(outer + inner, -2);  // neither is done while AppMain runs
        release_app = 1;
        WaitUntil([&] { return inner != -1 && outer != -1; });
      });
  EXPECT_EQ(std::vector<int>({outer_pending, outer, inner}), std::vector<int>({1, 3, 4}));
}

TEST(StartUp, AClassThatCannotBeRegisteredEndsWithCodeOneAndNoWindow) {
  WNDCLASSW taken = {};
  taken.lpfnWndProc = DefWindowProcW, taken.hInstance = GetModuleHandleW(nullptr);
  taken.lpszClassName = L"zul_bb";  // the button box's class name, taken first
  ASSERT_NE(RegisterClassW(&taken), 0);
  EXPECT_EQ(ZulMain(GetModuleHandleW(nullptr)), 1);
  EXPECT_EQ(FindWindowW(L"zul_mw", nullptr), nullptr);
}
