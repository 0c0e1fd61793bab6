// Whole-program scenarios of the framework spine: the main window, run control
// with Start / Stop / Exit, and window requests from the main window thread.
#include <algorithm>
#include <string>

#include "test_support.h"

namespace {

std::atomic<int> main_calls{0}, setup_calls{0}, release_app{0}, saw_stop{0};

void Nothing() {}

// Chooses Exit (from idle or a running AppMain) and returns the worker's exit
// code and how long the program took to end.
void ExitAndMeasure(WPARAM key, DWORD* worker_code, DWORD* took) {
  HANDLE worker = nullptr;
  DuplicateHandle(GetCurrentProcess(), worker_thread, GetCurrentProcess(), &worker, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  DWORD start = GetTickCount();
  PostMainKey(key);
  WaitUntil([] { return !IsWindow(main_window); }, 10000);
  WaitForSingleObject(worker, 5000);
  *took = GetTickCount() - start;
  GetExitCodeThread(worker, worker_code);
  CloseHandle(worker);
}

}  // namespace

TEST(MainWindow, PlacedAtTheBottomCentreWithTheDisplayDepth) {
  RECT rect{};
  std::wstring status;
  int code = RunScenario(Nothing, Nothing, [&] {
    WaitUntil([] { return MainStatusText().find(L"bit color") != std::wstring::npos; });
    GetWindowRect(main_window, &rect);
    status = MainStatusText();
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXFULLSCREEN) - 240) / 2);
  // Lowered by the drop animation, then lifted so that it lies inside the work area.
  const int height = GetSystemMetrics(SM_CYCAPTION) + 58;
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(rect.top, std::min<int>(GetSystemMetrics(SM_CYFULLSCREEN) - 113 + 55, work.bottom - height));
  EXPECT_EQ(rect.right - rect.left, 240);
  EXPECT_EQ(rect.bottom - rect.top, height);
  HDC screen = GetDC(nullptr);
  std::wstring depth = std::to_wstring(GetDeviceCaps(screen, BITSPIXEL)) + L"-bit color";
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(status, std::wstring(18 - depth.size() / 2, L' ') + depth);
}

TEST(RunControl, StartRunsAppMainOnceAndSetupOnce) {
  int code = RunScenario([] { ++setup_calls; }, [] { ++main_calls; }, [] {
    PostMainCommand(kCmdStart);
    ASSERT_TRUE(WaitUntil([] { return main_calls == 1 && !running; }));
    PumpFor(200);
    EXPECT_EQ(main_calls, 1);
    PostMainKey('S');  // key S acts as Start too
    ASSERT_TRUE(WaitUntil([] { return main_calls == 2 && !running; }));
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(setup_calls, 1);
  EXPECT_EQ(main_calls, 2);
}

TEST(RunControl, StartWhileRunningIsIgnoredAndStopIsSeen) {
  auto app = [] {
    ++main_calls;
    while (!stop_requested) Sleep(1);
    saw_stop = 1;
  };
  int code = RunScenario(Nothing, app, [] {
    for (bool by_key : {true, false}) {  // Stop by key, then by menu
      saw_stop = 0;
      PostMainCommand(kCmdStart);
      ASSERT_TRUE(WaitUntil([] { return running == 1; }));
      PostMainCommand(kCmdStart);
      PostMainKey('S');
      PumpFor(200);
      EXPECT_EQ(start_requested, 0);
      if (by_key) PostMainKey('C'); else PostMainCommand(kCmdStop);
      ASSERT_TRUE(WaitUntil([] { return saw_stop == 1 && !running; }));
      EXPECT_EQ(stop_requested, 0);  // cleared after AppMain returned
    }
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(main_calls, 2);
}

TEST(RunControl, ExitFromIdleEndsTheWorkerWithoutForce) {
  DWORD worker_code = 99, took = 0;
  int code = RunScenario(Nothing, Nothing, [&] {
    WaitUntil([] { return worker_thread != nullptr; });
    PumpFor(100);
    ExitAndMeasure(VK_ESCAPE, &worker_code, &took);
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(worker_code, 0u);  // returned by itself
  EXPECT_EQ(quit_state, 2);
  EXPECT_LT(took, 1500u);  // well inside the 2-second grace period
}

TEST(RunControl, ExitEndsAnApplicationThatNeverPollsByForce) {
  DWORD worker_code = 99, took = 0;
  int code = RunScenario(Nothing, [] { for (;;) Sleep(5); }, [&] {
    PostMainCommand(kCmdStart);
    ASSERT_TRUE(WaitUntil([] { return running == 1; }));
    ExitAndMeasure('X', &worker_code, &took);
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(worker_code, 1u);  // ended by force after the grace period
  EXPECT_GE(took, 1900u);
  EXPECT_LT(took, 6000u);
}

TEST(Requests, ANestedRequestWaitsForTheFirstAndKeepsItsOwnResult) {
  std::atomic<int> outer{-1}, inner{-1}, inner_started{0}, outer_pending{0};
  int code = RunScenario(Nothing, [] { while (!release_app) Sleep(1); }, [&] {
    PostMainCommand(kCmdStart);
    ASSERT_TRUE(WaitUntil([] { return running == 1; }));
    RunOnMainThread([&] {
      // While the first request waits, the main window handles a message that
      // makes a second one; it must wait for the first to complete.
      RunOnMainThread([&] {
        outer_pending = window_request.code != 0;
        inner_started = 1;
        inner = RequestCreateImage(300, "inner", 10, 10, 32);
      });
      outer = RequestCreateImage(10, "outer", 10, 10, 7);  // bad depth: 3
    });
    ASSERT_TRUE(WaitUntil([&] { return inner_started == 1; }));
    release_app = 1;
    WaitUntil([&] { return inner != -1 && outer != -1; });
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(outer_pending, 1);
  EXPECT_EQ(outer, 3);
  EXPECT_EQ(inner, 4);
}

TEST(Requests, ARequestDuringAppMainWaitsAndTheMainWindowStaysResponsive) {
  std::atomic<int> done{0}, app_returned{0}, done_early{0};
  release_app = 0;
  auto app = [&] {
    while (!release_app) Sleep(1);
    app_returned = 1;
  };
  int code = RunScenario(Nothing, app, [&] {
    PostMainCommand(kCmdStart);
    ASSERT_TRUE(WaitUntil([] { return running == 1; }));
    RunOnMainThread([&] {
      RequestCreateImage(999, "late", 1, 1, 32);
      done_early = app_returned == 0;
      done = 1;
    });
    PumpFor(300);
    EXPECT_EQ(done, 0);
    DWORD_PTR answer = 0;  // the main window still answers while its request waits
    EXPECT_NE(SendMessageTimeoutW(main_window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer), 0);
    release_app = 1;
    EXPECT_TRUE(WaitUntil([&] { return done == 1; }));
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(done_early, 0);
}

TEST(StartUp, AClassThatCannotBeRegisteredEndsWithCodeOneAndNoWindow) {
  WNDCLASSW taken = {};  // the button box's class name, taken first
  taken.lpfnWndProc = DefWindowProcW;
  taken.hInstance = GetModuleHandleW(nullptr);
  taken.lpszClassName = L"zul_bb";
  ASSERT_NE(RegisterClassW(&taken), 0);
  EXPECT_EQ(ZulMain(GetModuleHandleW(nullptr)), 1);
  EXPECT_EQ(FindWindowW(L"zul_mw", nullptr), nullptr);
}
