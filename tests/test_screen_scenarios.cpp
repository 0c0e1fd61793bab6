// The whole program on this machine's screen.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>

#include "test_support.h"

TEST(MainWindowOnScreen, WholeWindowInsideTheWorkAreaAfterItsDrop) {
  RECT area{}, rect{};
  std::atomic<int32_t> worker_started{0};  // the worker starts after the drop
  RunScenario([&] { worker_started = 1; }, [] {}, [&] {
    ASSERT_TRUE(WaitUntil([&] { return worker_started == 1; }));
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(main_window, &rect);
  });
  EXPECT_GE(rect.left, area.left);
  EXPECT_GE(rect.top, area.top);
  EXPECT_LE(rect.right, area.right);
  EXPECT_LE(rect.bottom, area.bottom);
  EXPECT_EQ(rect.right - rect.left, 240);
}
