// The framework core's utilities: status field, log directory, text conversion, the snapping
// geometry, windows kept inside the work area and the Japanese texts drawn with real glyphs.
#include <algorithm>

#include "test_support.h"

TEST(CoreText, StatusFieldLogDirectoryAndConversionsAreCutNeverOverrun) {
  // The status field: 18 - length / 2 spaces before the text; 63 bytes at most.
  // clang-format off
  const struct { std::string text; size_t spaces, kept; } cases[] = {{"abcd", 16, 4},
      {"abc", 17, 3}, {"", 18, 0}, {std::string(40, 'z'), 0, 40}, {std::string(100, 'x'), 0, 63}};
  // clang-format on
  for (const auto& c : cases) {
    char field[kStatusFieldBytes];
    FormatStatusField(c.text.c_str(), field);
    EXPECT_EQ(field, std::string(c.spaces, ' ') + c.text.substr(0, c.kept));
  }
  wchar_t out[kPathUnits];
  MakeLogDirectory(L"C:\\", out, kPathUnits);
  EXPECT_STREQ(out, L"C:\\");
  MakeLogDirectory(L"C:\\work\\bench", out, kPathUnits);
  EXPECT_STREQ(out, L"C:\\work\\bench\\");
  MakeLogDirectory(std::wstring(300, L'd').c_str(), out, kPathUnits);
  EXPECT_EQ(std::wcslen(out), static_cast<size_t>(kPathUnits - 1));
  wchar_t wide[kWindowTextUnits];
  char back[kWindowTextUnits];
  EXPECT_EQ(AnsiToWide("Hello", wide, kWindowTextUnits), 5);
  EXPECT_EQ(WideToAnsi(wide, back, kWindowTextUnits), 5);
  EXPECT_STREQ(back, "Hello");
  EXPECT_EQ(AnsiToWide(std::string(1000, 'a').c_str(), wide, kWindowTextUnits),
            kWindowTextUnits - 1);
  EXPECT_EQ(WideToAnsi(std::wstring(1000, L'b').c_str(), back, 10), 9);
  EXPECT_STREQ(back, "bbbbbbbbb");
  EXPECT_EQ(CodePageToWide(932, "\x83\x65\x83\x58\x83\x67", wide, kWindowTextUnits), 3);  // テスト
  EXPECT_STREQ(wide, L"\x30C6\x30B9\x30C8");
  EXPECT_EQ(AnsiToWide(nullptr, wide, kWindowTextUnits), 0);
}

TEST(Snapping, WorkedMoves) {
  // Screen 1280 x 1054; another window at (100, 100)-(300, 300) unless noted.
  const RECT kOther{100, 100, 300, 300}, kNone{-9999, -9999, -9999, -9999};
  const RECT kRight{500, 150, 600, 250}, kLow{500, 500, 600, 600};
  // clang-format off
  const struct { RECT other, present, proposed; bool ctrl; RECT expected; } cases[] = {
      {kOther, kRight, {307, 150, 407, 250}, true, {300, 150, 400, 250}},   // 7 px: flush
      {kOther, kRight, {308, 150, 408, 250}, true, {308, 150, 408, 250}},   // 8 px: no snap
      {kOther, kRight, {10, 150, 96, 250}, true, {14, 150, 100, 250}},
      {kOther, kRight, {303, 150, 403, 250}, false, {303, 150, 403, 250}},  // no Ctrl
      {kNone, kRight, {1176, 400, 1276, 500}, true, {1180, 400, 1280, 500}},  // screen edges
      {kNone, kRight, {400, 950, 500, 1050}, true, {400, 954, 500, 1054}},
      {kNone, kRight, {3, 2, 103, 102}, true, {0, 0, 100, 100}},            // a corner
      {kOther, kLow, {297, 105, 397, 205}, true, {300, 100, 400, 200}},     // side, tops align
      {kOther, kLow, {297, 196, 397, 303}, true, {300, 193, 400, 300}},     // bottoms align
      {kOther, kLow, {304, 105, 404, 205}, true, {300, 105, 400, 205}},     // from a gap
      {kOther, kLow, {106, 297, 206, 397}, true, {100, 300, 200, 400}},     // stacked, aligned
      {kOther, kLow, {106, 305, 206, 405}, true, {106, 300, 206, 400}},
      {kOther, kLow, {197, 3, 297, 103}, true, {200, 0, 300, 100}},
      {kNone, {300, 100, 400, 200}, {304, 100, 404, 200}, true, {304, 100, 404, 200}},  // itself
  };
  // clang-format on
  for (const auto& c : cases) {
    SnapList list;
    ClearSnapList(&list), AddScreenStrips(&list, 1280, 1054);
    if (c.other.left != kNone.left) AddSnapRect(&list, c.other);
    AddSnapRect(&list, c.present);
    RECT r = c.proposed;
    SnapRectAgainst(list, c.present, &r, c.ctrl);
    EXPECT_TRUE(EqualRect(&r, &c.expected))
        << "proposed " << c.proposed.left << "," << c.proposed.top << " gave " << r.left;
  }
  SnapList list;  // more windows than room: the list is bounded
  ClearSnapList(&list);
  for (int i = 0; i < 3000; ++i) AddSnapRect(&list, RECT{i, i, i + 10, i + 10});
  EXPECT_LE(list.count, kSnapCapacity);
}

TEST(WorkArea, WindowsAreMovedInByTheLeastDistance) {
  RECT a;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &a, 0));
  const LONG w = a.right - a.left, h = a.bottom - a.top;
  // clang-format off
  const struct { LONG x, y, width, height, want_x, want_y; } cases[] = {
      {a.left + 10, a.top + 20, 200, 100, a.left + 10, a.top + 20},           // fits: stays
      {a.left + 300, a.bottom - 40, 200, 100, a.left + 300, a.bottom - 100},  // below: up
      {a.right - 50, a.top - 7, 200, 100, a.right - 200, a.top},              // right, above
      {a.left + 5, a.top + 5, w + 40, h + 9, a.left, a.top}};                 // too big
  // clang-format on
  for (const auto& c : cases) {
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, c.x, c.y, c.width,
                                  c.height, nullptr, nullptr, nullptr, nullptr);
    MoveWindowIntoWorkArea(window);
    RECT r = OuterRect(window);
    DestroyWindow(window);
    EXPECT_TRUE(r.left == c.want_x && r.top == c.want_y && r.right - r.left == c.width)
        << c.x << "," << c.y << " gave " << r.left << "," << r.top;
  }
}

// Japanese text in each face the framework and the message boxes ask for: none
// ships with Wine, so each must resolve to an installed Japanese font.
TEST(JapaneseText, EveryJapaneseFaceHasGlyphsForTheTexts) {
  const std::wstring texts =
      L"ステレオペア画像をドラッグして下さい"
      L"クリップボードにレイアウト作成ソースリストを保存しました．";
  auto missing_glyphs = [&texts](const wchar_t* face) {  // all of them when the call fails
    HFONT font = CreateFontW(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    std::vector<WORD> glyphs(texts.size(), 0xFFFF);
    GetGlyphIndicesW(dc, texts.c_str(), static_cast<int>(texts.size()), glyphs.data(),
                     GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, old), DeleteDC(dc), DeleteObject(font);
    return std::count(glyphs.begin(), glyphs.end(), 0xFFFF);
  };
  const wchar_t* const faces[] = {
      L"MS UI Gothic", L"MS Gothic", L"MS PGothic",
      L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF",         // ＭＳ ゴシック
      L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF"};  // ＭＳ Ｐゴシック
  for (const wchar_t* face : faces) EXPECT_EQ(missing_glyphs(face), 0) << face;
  EXPECT_GT(missing_glyphs(L"Arial"), 0);  // the check itself can fail
}
