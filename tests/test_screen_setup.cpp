// What a user sees first on this machine's screen: the Japanese texts drawn
// with real glyphs in every Japanese face the framework and the system ask for,
// and windows kept inside the work area.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "test_support.h"

namespace {

// The face names the framework and the message boxes ask for; none of them
// ships with Wine, so each must resolve to an installed Japanese font.
const wchar_t* const kJapaneseFaces[] = {
    L"MS UI Gothic", L"MS Gothic", L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF",  // ＭＳ ゴシック
    L"MS PGothic", L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF",            // ＭＳ Ｐゴシック
};

const wchar_t* const kJapaneseTexts[] = {
    L"ステレオペア画像をドラッグして下さい",
    L"クリップボードにレイアウト作成ソースリストを保存しました．",
};

// The number of characters of `text` that the font named `face` has no glyph for.
int MissingGlyphs(const wchar_t* face, const std::wstring& text) {
  HFONT font = CreateFontW(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, face);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  std::wstring glyphs(text.size(), L'\0');
  int missing = static_cast<int>(text.size());
  if (GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()),
                       reinterpret_cast<WORD*>(&glyphs[0]),
                       GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR) {
    missing = 0;
    for (wchar_t glyph : glyphs) missing += glyph == 0xFFFF;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(font);
  return missing;
}

}  // namespace

TEST(JapaneseText, EveryJapaneseFaceHasGlyphsForTheTexts) {
  for (size_t f = 0; f < std::size(kJapaneseFaces); ++f) {
    for (const wchar_t* text : kJapaneseTexts) {
      EXPECT_EQ(MissingGlyphs(kJapaneseFaces[f], text), 0) << "face #" << f;
    }
  }
  // The check itself can fail: a Latin-only face lacks these glyphs.
  EXPECT_GT(MissingGlyphs(L"Arial", kJapaneseTexts[0]), 0);
}

TEST(WorkArea, WindowsAreMovedInByTheLeastDistance) {
  RECT a;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &a, 0));
  const LONG aw = a.right - a.left, ah = a.bottom - a.top;
  struct {
    LONG x, y, width, height, want_x, want_y;
  } cases[] = {
      {a.left + 10, a.top + 20, 200, 100, a.left + 10, a.top + 20},           // fits: stays
      {a.left + 300, a.bottom - 40, 200, 100, a.left + 300, a.bottom - 100},  // below: up
      {a.right - 50, a.top - 7, 200, 100, a.right - 200, a.top},              // right, above
      {a.left + 5, a.top + 5, aw + 40, ah + 9, a.left, a.top},                // too large
  };
  for (const auto& c : cases) {
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, c.x, c.y, c.width,
                                  c.height, nullptr, nullptr, nullptr, nullptr);
    MoveWindowIntoWorkArea(window);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, c.want_x) << c.x << "," << c.y;
    EXPECT_EQ(r.top, c.want_y) << c.x << "," << c.y;
    EXPECT_EQ(r.right - r.left, c.width);
    DestroyWindow(window);
  }
}
