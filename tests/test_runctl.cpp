// Whole-program scenarios of the framework spine: the main window, run control
// with Start / Stop / Exit, and window requests from the main window thread.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>

#include "test_support.h"

namespace {

std::atomic<int> main_calls{0};
std::atomic<int> setup_calls{0};
std::atomic<int> release_app{0};
std::atomic<int> saw_stop{0};

void Nothing() {}

HANDLE DuplicateWorkerHandle() {
  HANDLE copy = nullptr;
  DuplicateHandle(GetCurrentProcess(), worker_thread, GetCurrentProcess(), &copy, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  return copy;
}

DWORD ThreadExitCode(HANDLE thread) {
  DWORD code = 12345;
  GetExitCodeThread(thread, &code);
  return code;
}

std::wstring StatusLabelText() {
  wchar_t text[128] = {};
  GetWindowTextW(GetDlgItem(main_window, kStatusLabelId), text, 128);
  return text;
}

}  // namespace

TEST(MainWindow, PlacedSizedAndLabelled) {
  RECT rect{};
  std::wstring caption, status;
  wchar_t items[3][32] = {};
  UINT ids[3] = {};
  int item_count = 0;
  int code = RunScenario(Nothing, Nothing, [&] {
    WaitUntil([] { return worker_thread != nullptr; });
    GetWindowRect(main_window, &rect);
    wchar_t text[64] = {};
    GetWindowTextW(main_window, text, 64);
    caption = text;
    WaitUntil([] { return StatusLabelText().find(L"bit color") != std::wstring::npos; });
    status = StatusLabelText();
    HMENU bar = GetMenu(main_window);
    item_count = GetMenuItemCount(bar);
    for (int i = 0; i < 3; ++i) {
      GetMenuStringW(bar, i, items[i], 32, MF_BYPOSITION);
      ids[i] = GetMenuItemID(bar, i);
    }
  });
  EXPECT_EQ(code, 0);

  const int full_w = GetSystemMetrics(SM_CXFULLSCREEN);
  const int full_h = GetSystemMetrics(SM_CYFULLSCREEN);
  EXPECT_EQ(rect.left, (full_w - 240) / 2);
  EXPECT_EQ(rect.top, full_h - 113 + 55);  // lowered by the drop animation
  EXPECT_EQ(rect.right - rect.left, 240);
  EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYCAPTION) + 58);
  EXPECT_EQ(caption, L"ZULLIB 7.0");

  ASSERT_EQ(item_count, 3);
  EXPECT_STREQ(items[0], L"Start(&S)");
  EXPECT_STREQ(items[1], L"Stop(&C)");
  EXPECT_STREQ(items[2], L"Exit(&X)");
  EXPECT_EQ(ids[0], 1001u);
  EXPECT_EQ(ids[1], 1003u);
  EXPECT_EQ(ids[2], 1002u);

  // "%d-bit color" with the display's depth, centred in the status field.
  HDC screen = GetDC(nullptr);
  int depth = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  char expected_text[16];
  snprintf(expected_text, sizeof expected_text, "%d-bit color", depth);
  char field[kStatusFieldBytes];
  FormatStatusField(expected_text, field);
  wchar_t wide_field[kStatusFieldBytes];
  AnsiToWide(field, wide_field, kStatusFieldBytes);
  EXPECT_EQ(status, std::wstring(wide_field));
}

TEST(RunControl, StartRunsAppMainOnceAndSetupOnce) {
  int code = RunScenario([] { ++setup_calls; }, [] { ++main_calls; },
                         [] {
                           PostMainCommand(kCmdStart);
                           ASSERT_TRUE(WaitUntil([] { return main_calls == 1 && !running; }));
                           PumpFor(200);
                           EXPECT_EQ(main_calls, 1);
                           // Key S acts as Start too; AppMain runs again after it returned.
                           PostMainKey('S');
                           ASSERT_TRUE(WaitUntil([] { return main_calls == 2 && !running; }));
                         });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(setup_calls, 1);
  EXPECT_EQ(main_calls, 2);
}

TEST(RunControl, StartWhileRunningIsIgnoredAndStopIsSeen) {
  int code = RunScenario(Nothing,
                         [] {
                           ++main_calls;
                           while (!stop_requested) Sleep(1);
                           saw_stop = 1;
                         },
                         [] {
                           PostMainCommand(kCmdStart);
                           ASSERT_TRUE(WaitUntil([] { return running == 1; }));
                           PostMainCommand(kCmdStart);
                           PostMainKey('S');
                           PumpFor(200);
                           EXPECT_EQ(start_requested, 0);
                           PostMainKey('C');  // Stop by key
                           ASSERT_TRUE(WaitUntil([] { return saw_stop == 1 && !running; }));
                           EXPECT_EQ(stop_requested, 0);  // cleared after AppMain returned
                           PumpFor(100);
                           EXPECT_EQ(main_calls, 1);
                           saw_stop = 0;
                           PostMainCommand(kCmdStart);
                           ASSERT_TRUE(WaitUntil([] { return running == 1; }));
                           PostMainCommand(kCmdStop);  // Stop by menu
                           ASSERT_TRUE(WaitUntil([] { return saw_stop == 1 && !running; }));
                         });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(main_calls, 2);
}

TEST(RunControl, ExitFromIdleEndsTheWorkerWithoutForce) {
  HANDLE worker = nullptr;
  DWORD exit_posted = 0;
  int code = RunScenario(Nothing, Nothing, [&] {
    WaitUntil([] { return worker_thread != nullptr; });
    worker = DuplicateWorkerHandle();
    PumpFor(100);
    exit_posted = GetTickCount();
    PostMainKey(VK_ESCAPE);
    WaitUntil([] { return !IsWindow(main_window); });
  });
  DWORD took = GetTickCount() - exit_posted;
  EXPECT_EQ(code, 0);
  ASSERT_NE(worker, nullptr);
  EXPECT_EQ(WaitForSingleObject(worker, 0), WAIT_OBJECT_0);
  EXPECT_EQ(ThreadExitCode(worker), 0u);  // returned by itself, not ended by force
  EXPECT_EQ(quit_state, 2);
  EXPECT_LT(took, 1500u);  // well inside the 2-second grace period
  CloseHandle(worker);
}

TEST(RunControl, ExitEndsAnApplicationThatNeverPollsByForce) {
  HANDLE worker = nullptr;
  DWORD exit_posted = 0;
  int code = RunScenario(Nothing,
                         [] {
                           for (;;) Sleep(5);
                         },
                         [&] {
                           WaitUntil([] { return worker_thread != nullptr; });
                           worker = DuplicateWorkerHandle();
                           PostMainCommand(kCmdStart);
                           ASSERT_TRUE(WaitUntil([] { return running == 1; }));
                           exit_posted = GetTickCount();
                           PostMainCommand(kCmdExit);
                           WaitUntil([] { return !IsWindow(main_window); }, 10000);
                         });
  DWORD took = GetTickCount() - exit_posted;
  EXPECT_EQ(code, 0);
  ASSERT_NE(worker, nullptr);
  EXPECT_EQ(ThreadExitCode(worker), 1u);  // ended by force
  EXPECT_EQ(quit_state, 2);
  EXPECT_GE(took, 1900u);
  EXPECT_LT(took, 6000u);
  CloseHandle(worker);
}

TEST(Requests, ANestedRequestWaitsForTheFirstAndKeepsItsOwnResult) {
  std::atomic<int> outer_result{-1}, inner_result{-1};
  std::atomic<int> inner_started{0}, inner_started_while_outer_pending{0};
  int code = RunScenario(Nothing,
                         [] {
                           while (!release_app) Sleep(1);  // requests wait meanwhile
                         },
                         [&] {
                           PostMainCommand(kCmdStart);
                           ASSERT_TRUE(WaitUntil([] { return running == 1; }));
                           RunOnMainThread([&] {
                             // While the first request is pending, the main window
                             // handles a message that makes a second one; it must
                             // wait for the first to complete.
                             RunOnMainThread([&] {
                               inner_started_while_outer_pending = window_request.code != 0;
                               inner_started = 1;
                               inner_result = RequestCreateImage(300, "inner", 10, 10, 32);
                             });
                             outer_result = RequestCreateImage(10, "outer", 10, 10, 7);  // bad depth: 3
                           });
                           ASSERT_TRUE(WaitUntil([&] { return inner_started == 1; }));
                           release_app = 1;
                           WaitUntil([&] { return inner_result != -1 && outer_result != -1; });
                         });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(inner_started_while_outer_pending, 1);
  EXPECT_EQ(outer_result, 3);
  EXPECT_EQ(inner_result, 4);
  EXPECT_EQ(window_request.code, 0);
}

TEST(Requests, ARequestDuringAppMainWaitsAndTheMainWindowStaysResponsive) {
  std::atomic<int> request_done{0};
  std::atomic<int> app_returned{0};
  std::atomic<int> done_before_app_returned{0};
  int code = RunScenario(Nothing,
                         [&] {
                           while (!release_app) Sleep(1);
                           app_returned = 1;
                         },
                         [&] {
                           PostMainCommand(kCmdStart);
                           ASSERT_TRUE(WaitUntil([] { return running == 1; }));
                           RunOnMainThread([&] {
                             RequestCreateImage(999, "late", 1, 1, 32);
                             done_before_app_returned = app_returned == 0;
                             request_done = 1;
                           });
                           PumpFor(300);
                           EXPECT_EQ(request_done, 0);
                           // The main window still answers while its request waits.
                           DWORD_PTR answer = 0;
                           EXPECT_NE(SendMessageTimeoutW(main_window, WM_NULL, 0, 0,
                                                         SMTO_ABORTIFHUNG, 1000, &answer),
                                     0);
                           wchar_t caption[32] = {};
                           EXPECT_GT(InternalGetWindowText(main_window, caption, 32), 0);
                           release_app = 1;
                           EXPECT_TRUE(WaitUntil([&] { return request_done == 1; }));
                         });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(request_done, 1);
  EXPECT_EQ(done_before_app_returned, 0);
}

TEST(StartUp, AClassThatCannotBeRegisteredEndsWithCodeOneAndNoWindow) {
  // Taking the button box's class name first makes the fifth registration fail.
  WNDCLASSW taken = {};
  taken.lpfnWndProc = DefWindowProcW;
  taken.hInstance = GetModuleHandleW(nullptr);
  taken.lpszClassName = L"zul_bb";
  ASSERT_NE(RegisterClassW(&taken), 0);
  EXPECT_EQ(ZulMain(GetModuleHandleW(nullptr)), 1);
  EXPECT_EQ(main_window, nullptr);
  EXPECT_EQ(FindWindowW(L"zul_mw", nullptr), nullptr);
}
