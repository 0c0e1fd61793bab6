// The image window's text commands driven by clicks and a typed line: "Draw"
// fits TrueType text to a dragged box, "Draw Text" writes bitmap-font text
// at a clicked point.
#include "point_tools_test_util.h"
#include "typed_answer_util.h"

namespace {

using TextCommands = PointToolTest;

int Advance(const char* text) {
  LOGFONTW lf = CurrentTTLogFont();
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontIndirectW(&lf);
  HGDIOBJ old = SelectObject(dc, font);
  int total = 0;
  for (const char* p = text; *p; ++p) {
    ABC abc = {};
    GetCharABCWidthsW(dc, static_cast<wchar_t>(*p), static_cast<wchar_t>(*p), &abc);
    total += abc.abcA + static_cast<int>(abc.abcB) + abc.abcC;
  }
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  return total;
}

// Rows of slot 1 holding a pixel other than black.
std::pair<int, int> InkRows() {
  int top = -1, bottom = -1;
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 160; ++x)
      if (ZUL_GetPixel(x, y) != 0) { if (top < 0) top = y; bottom = y; }
  return {top, bottom};
}

}  // namespace

TEST_F(TextCommands, DrawFitsTheTextToTheDraggedBox) {
  MakeImage(1, 160, 120);
  std::thread typist = AnswerLater("Ab");
  PlayTool({Click(1, 10, 20), Click(1, 49, 59)}, [] { SendCommand(1, kIwTrueTypeDraw); return 0; });
  typist.join();
  EXPECT_EQ(tt_cell_width, 20);
  EXPECT_EQ(tt_cell_height, 40);
  EXPECT_EQ(text_y, 59);
  EXPECT_EQ(text_left, 10);
  EXPECT_EQ(text_x, 10 + Advance("Ab"));
  auto rows = InkRows();
  EXPECT_GE(rows.first, 20);
  EXPECT_LE(rows.second, 59);
  EXPECT_GT(rows.second, rows.first);
}

TEST_F(TextCommands, ACancelledToolAsksNothing) {
  MakeImage(1, 160, 120);
  for (int n = 0; n < kTextSlots; ++n) ZUL_CloseTextWindow(n);
  const int ids[] = {kIwTrueTypeDraw, kIwDrawText};
  for (int id : ids) PlayTool({RightClick(1)}, [id] { SendCommand(1, id); return 0; });
  EXPECT_FALSE(text_windows[0].in_use);
  EXPECT_EQ(InkRows().first, -1);
}

TEST_F(TextCommands, DrawTextWritesTheTypedLineLiterallyInTheDrawingColour) {
  MakeImage(1, 160, 120);
  draw_color = 0xFF0000;
  std::thread typist = AnswerLater("%s%n");
  PlayTool({Click(1, 30, 40)}, [] { SendCommand(1, kIwDrawText); return 0; });
  typist.join();
  EXPECT_EQ(zul_tc, 0xFF0000u);
  EXPECT_EQ(text_x, 30 + 4 * 8);
  EXPECT_EQ(text_y, 40);
  auto rows = InkRows();
  EXPECT_GE(rows.first, 40 - 14);
  EXPECT_LE(rows.second, 39);
}
