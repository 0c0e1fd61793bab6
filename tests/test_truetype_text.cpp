// TrueType text in image surfaces, the font kept when the dialog is cancelled
// or making fails, and the text commands driven by clicks and a typed line.
#include <cstring>

#include "point_script.h"
#include "text_test_helpers.h"

namespace {

constexpr uint32_t kBack = 0x123456;

class TrueTypeText : public PointScriptTest {
 protected:
  void SetUp() override {
    PointScriptTest::SetUp();
    OpenFreshTextWindow(0);
    MakeImage(0, 200, 120);
    Clear();
    zul_tttc = 0xFF0000;
  }
  static void Clear() { FillColor(200, 120, kBack), text_x = text_left = 10, text_y = 59; }
};

HFONT WINAPI FailingFontMaker(const LOGFONTW*) { return nullptr; }
LOGFONTW Font() {
  LOGFONTW f = {};
  GetObjectW(tt_font, sizeof f, &f);
  return f;
}
bool SameFont(const LOGFONTW& a, const LOGFONTW& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The advance of `bytes` on a DC of its own with a font made from the same LOGFONTW.
int Advance(const char* bytes) {
  wchar_t units[64] = {};
  int count = MultiByteToWideChar(CP_ACP, 0, bytes, -1, units, 64) - 1;
  LOGFONTW lf = Font();
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, CreateFontIndirectW(&lf));
  SIZE size = {};
  GetTextExtentPoint32W(dc, units, count, &size);
  DeleteObject(SelectObject(dc, old));
  DeleteDC(dc);
  return size.cx;
}

// Rows and count of the pixels of the current window that differ from `back`, and of those exactly
// `exact`.
struct Ink {
  int top = 1 << 30, bottom = -1, left = 1 << 30, exact = 0;
};
Ink InkOf(uint32_t back, uint32_t exact) {
  Ink ink;
  for (int y = 0; y < static_cast<int>(CurrentSurface().height); ++y)
    for (int x = 0; x < static_cast<int>(CurrentSurface().width); ++x)
      if (uint32_t p = ZUL_GetPixel(x, y); p != back)
        ink = {std::min(ink.top, y), y, std::min(ink.left, x), ink.exact + (p == exact)};
  return ink;
}

}  // namespace

TEST_F(TrueTypeText, SizeAndStyleCodesChangeOnlyTheirField) {
  EXPECT_EQ(ZUL_SetTTFontSize(41, 40), 0);
  EXPECT_TRUE(tt_cell_width == 20 && tt_cell_height == 40 && Font().lfWidth == 20 &&
              Font().lfHeight == 40);
  const struct {
    int code;
    LONG weight;
    BYTE italic, underline;
  } codes[] = {{3, 700, 0, 0}, {1, 700, 1, 0}, {2, 700, 0, 0}, {5, 700, 0, 1},
               {6, 700, 0, 0}, {4, 400, 0, 0}, {3, 700, 0, 0}};
  for (const auto& c : codes) {
    LOGFONTW want = Font();
    want.lfWeight = c.weight, want.lfItalic = c.italic, want.lfUnderline = c.underline;
    ZUL_DrawTTChar(c.code);
    EXPECT_TRUE(SameFont(Font(), want)) << c.code;
  }
  ZUL_SetTTFontSize(20, 30);
  LOGFONTW before = Font();
  EXPECT_EQ(before.lfWeight, 700);  // the style outlives a size change
  for (int code : {7, 13, 0, 31}) ZUL_DrawTTChar(code);
  EXPECT_TRUE(SameFont(Font(), before) && text_x == 10 && text_y == 59 &&
              InkOf(kBack, 0).bottom < 0);
}

TEST_F(TrueTypeText, CellEndsOnTheCursorRowTextWalksSingleAndDoubleByteCodes) {
  ZUL_SetTTFontSize(40, 40);
  ZUL_DrawTTChar('W');
  Ink ink = InkOf(kBack, 0xFF0000);  // red not swapped to blue
  EXPECT_TRUE(ink.exact > 0 && ink.top >= 20 && ink.bottom <= 59 && ink.left >= 6);
  EXPECT_EQ(text_x, 10 + Advance("W"));

  // "A\nB" is A, then B a cell lower at the left margin; a lone lead byte at the end is dropped.
  const struct {
    const char* text;
    int x, y;
  } texts[] = {{"A\nB", Advance("B"), 99}, {"AB\x82", Advance("AB"), 59}};
  for (const auto& t : texts) {
    Clear();
    ZUL_DrawTTText(t.text);
    std::vector<uint8_t> drawn = SurfaceBytesOf(0);
    EXPECT_TRUE(text_x == 10 + t.x && text_y == t.y) << t.text;
    Clear();
    ZUL_DrawTTChar('A');
    if (t.text[1] == '\n') text_x = 10, text_y += 40;
    ZUL_DrawTTChar('B');
    EXPECT_EQ(SurfaceBytesOf(0), drawn) << t.text;
  }
  int x = text_x;
  ZUL_DrawTTText("\xC0");  // no lead byte, and no control code either
  EXPECT_GT(text_x, x);
  text_x = 10;
  ZUL_DrawTTChar(0x8241);  // exactly the units 82 41 give on this code page
  EXPECT_EQ(text_x, 10 + Advance("\x82\x41"));
  ZUL_DestroyImage(0);  // no live current window: nothing moves
  ZUL_DrawTTText("AB");
  EXPECT_EQ(text_x, 10 + Advance("\x82\x41"));

  MakeImage(2, 100, 60, 8);  // 8 bits: the nearest palette entry
  zul_tttc = 0x808080;
  ZUL_DrawTTChar('W');
  EXPECT_GT(InkOf(0, 0x80).exact, 0);
}

TEST_F(TrueTypeText, FontChangeKeepsAFontWhenCancelledOrWhenMakingFails) {
  ZUL_SetTTFontSize(30, 30);
  LOGFONTW before = Font();
  std::thread canceller([] {
    for (int i = 0; i < 500 && !CommonDialog(); ++i) Sleep(10);
    PostMessageW(CommonDialog(), WM_COMMAND, IDCANCEL, 0);
  });
  SendCommand(0, kIwFontChange);
  canceller.join();
  EXPECT_TRUE(SameFont(Font(), before) && tt_cell_width == 15 && tt_cell_height == 30);
  HFONT kept = tt_font;
  create_tt_font = FailingFontMaker;
  EXPECT_EQ(ZUL_SetTTFontSize(50, 50), 1);
  ZUL_DrawTTChar(3);
  create_tt_font = CreateFontIndirectW;
  EXPECT_TRUE(tt_font == kept && SameFont(Font(), before));
}

TEST_F(TrueTypeText, DrawFitsTheBoxDrawTextWritesLiterallyACancelledToolAsksNothing) {
  MakeImage(1, 160, 120);
  const struct {
    int id;
    std::vector<ScriptStep> steps;
    const char* answer;
  } runs[] = {{kIwTrueTypeDraw, {RightClick()}, nullptr},
              {kIwDrawText, {RightClick()}, nullptr},
              {kIwTrueTypeDraw, {Click(10, 20), Click(49, 59)}, "Ab"},
              {kIwDrawText, {Click(30, 100)}, "%s%n"}};
  draw_color = 0x00FF00;
  for (const auto& r : runs) {
    std::thread typist = AnswerLater(r.answer ? r.answer : "", r.answer ? 5000 : 300);
    PlayCommand(1, r.id, r.steps);
    typist.join();
    Ink ink = InkOf(0, 0);
    if (!r.answer) {
      EXPECT_TRUE(ink.bottom < 0 && text_x == 10) << r.id;
    } else if (r.id == kIwTrueTypeDraw) {
      EXPECT_TRUE(tt_cell_width == 20 && tt_cell_height == 40 && text_y == 59 && text_left == 10);
      EXPECT_EQ(text_x, 10 + Advance("Ab"));
      EXPECT_TRUE(ink.top >= 20 && ink.bottom <= 59);
    } else {
      EXPECT_TRUE(zul_tc == 0x00FF00 && text_x == 30 + 4 * 8 && text_y == 100 && ink.bottom <= 99);
      EXPECT_GT(InkOf(0, 0x00FF00).exact, 0);
    }
  }
}
