// Whole-program scenario of the logs: Exit while the application prints into
// a logging window leaves whole lines on disk and ends the program cleanly.
#include <cstdio>
#include <string>

#include "textmenu_test_util.h"

TEST(TextLogScenario, ExitDuringAPrintingLoopLeavesWholeLines) {
  ResetLogs();
  int code = RunScenario(
      [] {
        ZUL_OpenTextWindow(0, 100, 100, 198, 198);
        ZUL_StartLog(0);
      },
      [] {
        for (int i = 0; i < 2000; ++i) ZUL_Printf("line %04d of the exit test\n", i);
      },
      [] {
        PostMainCommand(kCmdStart);
        ASSERT_TRUE(WaitUntil([] { return FileBytes(LogPath(0)).size() > 2000; }));
        PostMainCommand(kCmdExit);
      });
  EXPECT_EQ(code, 0);
  std::string bytes = FileBytes(LogPath(0));
  std::string expected;
  char line[64];
  for (int i = 0; expected.size() < bytes.size(); ++i) {
    snprintf(line, sizeof line, "line %04d of the exit test\r\n", i);
    expected += line;
  }
  EXPECT_EQ(bytes, expected);  // the lines in order, the last one whole
}
