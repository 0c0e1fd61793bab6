// Whole-program scenario of the logs: Exit while the application prints into
// a logging window leaves whole lines on disk and ends the program cleanly.
#include "textmenu_test_util.h"

static std::string Line(int i) { return "line " + std::to_string(i) + " of the exit test"; }

TEST(TextLogScenario, ExitDuringAPrintingLoopLeavesWholeLines) {
  ResetLogs();
  int code = RunScenario(
      [] {
        ZUL_OpenTextWindow(0, 100, 100, 198, 198);
        ZUL_StartLog(0);
      },
      [] {
        for (int i = 0; i < 2000; ++i) ZUL_Printf("%s\n", Line(i).c_str());
      },
      [] {
        PostMainCommand(kCmdStart);
        ASSERT_TRUE(WaitUntil([] { return FileBytes(LogPath(0)).size() > 2000; }));
        PostMainCommand(kCmdExit);
      });
  EXPECT_EQ(code, 0);
  std::string bytes = FileBytes(LogPath(0)), expected;
  for (int i = 0; expected.size() < bytes.size(); ++i) expected += Line(i) + "\r\n";
  EXPECT_EQ(bytes, expected);  // the lines in order, the last one whole
  EXPECT_LT(bytes.size(), 2000 * Line(1000).size());  // Exit came during the loop
}
