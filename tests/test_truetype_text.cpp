// TrueType text in image surfaces: size and style codes, where the ink goes,
// the advance, double-byte walking, and the font dialog keeping a font.
#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

#include "imagewin_test_util.h"

namespace {

constexpr uint32_t kBack = 0x123456;

class TrueTypeText : public ImageWindowTest {
 protected:
  void SetUp() override {
    ImageWindowTest::SetUp();
    if (tt_font) DeleteObject(tt_font);
    tt_cell_width = 8;
    tt_cell_height = 16;
    tt_font = CreateTextDrawingFont();
    zul_tttc = 0xFF0000;
    MakeImage(0, 200, 120);
    FillColor(200, 120, kBack);
    text_x = text_left = 10;
    text_y = 59;
  }
};

HFONT WINAPI FailingFontMaker(const LOGFONTW*) { return nullptr; }

LOGFONTW Font() { LOGFONTW f = {}; GetObjectW(tt_font, sizeof f, &f); return f; }
bool SameFont(const LOGFONTW& a, const LOGFONTW& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A + B + C of each unit of `bytes`, measured on a DC of its own with a font
// made from the same LOGFONTW.
int MeasuredAdvance(const char* bytes) {
  wchar_t units[4] = {};
  int count = MultiByteToWideChar(CP_ACP, 0, bytes, -1, units, 4) - 1;
  LOGFONTW lf = Font();
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontIndirectW(&lf);
  HGDIOBJ old = SelectObject(dc, font);
  int total = 0;
  for (int i = 0; i < count; ++i) {
    ABC abc = {};
    GetCharABCWidthsW(dc, units[i], units[i], &abc);
    total += abc.abcA + static_cast<int>(abc.abcB) + abc.abcC;
  }
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  return total;
}

struct Ink { int count = 0, exact = 0, top = 1 << 30, bottom = -1, left = 1 << 30; };
Ink InkOf(int number, uint32_t back = kBack) {
  Ink ink;
  const ImageSurface& s = image_surfaces[number];
  for (int y = 0; y < static_cast<int>(s.height); ++y)
    for (int x = 0; x < static_cast<int>(s.width); ++x) {
      uint32_t p = reinterpret_cast<const uint32_t*>(s.base + y * s.stride)[x] & 0xFFFFFF;
      if (p == back) continue;
      ink.count++;
      ink.exact += p == zul_tttc;
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
      ink.left = std::min(ink.left, x);
    }
  return ink;
}

}  // namespace

TEST_F(TrueTypeText, SizeAndStyleCodesChangeOnlyTheirField) {
  EXPECT_EQ(ZUL_SetTTFontSize(41, 40), 0);
  EXPECT_EQ(tt_cell_width, 20);
  EXPECT_EQ(tt_cell_height, 40);
  EXPECT_EQ(Font().lfWidth, 20);
  EXPECT_EQ(Font().lfHeight, 40);
  const struct { int code; LONG LOGFONTW::*weight; BYTE LOGFONTW::*flag; int value; } codes[] = {
      {1, nullptr, &LOGFONTW::lfItalic, 1},    {2, nullptr, &LOGFONTW::lfItalic, 0},
      {3, &LOGFONTW::lfWeight, nullptr, 700},  {4, &LOGFONTW::lfWeight, nullptr, 400},
      {5, nullptr, &LOGFONTW::lfUnderline, 1}, {6, nullptr, &LOGFONTW::lfUnderline, 0},
  };
  for (const auto& c : codes) {
    LOGFONTW want = Font();
    if (c.weight) want.*c.weight = c.value; else want.*c.flag = static_cast<BYTE>(c.value);
    ZUL_DrawTTChar(c.code);
    EXPECT_TRUE(SameFont(Font(), want)) << c.code;
  }
  ZUL_DrawTTChar(3);
  ZUL_SetTTFontSize(20, 30);
  EXPECT_EQ(Font().lfWeight, 700);  // the style outlives a size change
  LOGFONTW before = Font();
  const int nothing[] = {7, 13, 0, 31};
  for (int code : nothing) ZUL_DrawTTChar(code);
  EXPECT_TRUE(SameFont(Font(), before));
  EXPECT_EQ(text_x, 10);
  EXPECT_EQ(text_y, 59);
  EXPECT_EQ(InkOf(0).count, 0);
}

TEST_F(TrueTypeText, CharacterCellEndsOnTheCursorRowAndAdvancesByItsWidths) {
  ZUL_SetTTFontSize(40, 40);
  ZUL_DrawTTChar('W');
  Ink ink = InkOf(0);
  EXPECT_GT(ink.exact, 0);  // red as red, not with red and blue swapped
  EXPECT_GE(ink.top, 20);
  EXPECT_LE(ink.bottom, 59);
  EXPECT_GE(ink.left, 10 - 4);
  EXPECT_EQ(text_x, 10 + MeasuredAdvance("W"));
}

TEST_F(TrueTypeText, TextWalksBytesAsSingleAndDoubleByteCodes) {
  ZUL_SetTTFontSize(24, 24);
  MakeImage(1, 200, 120);
  FillColor(200, 120, kBack);
  ZUL_DrawTTText("A\nB");
  ZUL_SelectImage(0);
  text_x = 10, text_y = 59;
  ZUL_DrawTTText("A");
  text_x = 10, text_y += 24;
  ZUL_DrawTTText("B");
  EXPECT_EQ(SurfaceBytesOf(0), SurfaceBytesOf(1));
  EXPECT_EQ(text_x, 10 + MeasuredAdvance("B"));

  // A lone lead byte at the end is dropped; 0xC0 is no lead byte.
  FillColor(200, 120, kBack);
  text_x = 10;
  ZUL_DrawTTText("AB");
  std::vector<uint8_t> ab = SurfaceBytesOf(0);
  int ab_x = text_x;
  FillColor(200, 120, kBack);
  text_x = 10;
  ZUL_DrawTTText("AB\x82");
  EXPECT_EQ(SurfaceBytesOf(0), ab);
  EXPECT_EQ(text_x, ab_x);
  ZUL_DrawTTText("\xC0");
  EXPECT_GT(text_x, ab_x);

  text_x = 10;
  ZUL_DrawTTChar(0x8241);  // whatever units 82 41 give on this code page
  EXPECT_EQ(text_x, 10 + MeasuredAdvance("\x82\x41"));
  ZUL_DestroyImage(0);  // the current window
  ZUL_DrawTTText("AB");
  EXPECT_EQ(text_x, 10 + MeasuredAdvance("\x82\x41"));
}

TEST_F(TrueTypeText, EightBitSurfaceGetsTheNearestPaletteIndex) {
  MakeImage(2, 100, 60, 8);
  ZUL_PatternGrey();
  std::memset(image_surfaces[2].base, 0, image_surfaces[2].stride * 60);
  zul_tttc = 0x808080;
  ZUL_SetTTFontSize(40, 40);
  ZUL_DrawTTChar('W');
  bool found = false;
  for (int y = 0; y < 60 && !found; ++y)
    for (int x = 0; x < 100 && !found; ++x) found = ZUL_GetPixel(x, y) == 0x80;
  EXPECT_TRUE(found);
}

TEST_F(TrueTypeText, FontChangeKeepsAFontWhenCancelledOrWhenMakingFails) {
  ZUL_SetTTFontSize(30, 30);
  LOGFONTW before = Font();
  std::thread canceller([] {
    for (int i = 0; i < 500; ++i, Sleep(10)) {
      HWND dialog = FindWindowW(L"#32770", nullptr);
      if (dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); return; }
    }
  });
  SendCommand(0, kIwFontChange);
  canceller.join();
  EXPECT_TRUE(SameFont(Font(), before));
  EXPECT_NE(GetObjectW(tt_font, 0, nullptr), 0);
  EXPECT_EQ(tt_cell_width, 15);
  EXPECT_EQ(tt_cell_height, 30);

  HFONT kept = tt_font;
  create_tt_font = FailingFontMaker;
  EXPECT_EQ(ZUL_SetTTFontSize(50, 50), 1);
  ZUL_DrawTTChar(3);
  create_tt_font = CreateFontIndirectW;
  EXPECT_EQ(tt_font, kept);
  EXPECT_TRUE(SameFont(Font(), before));
}
