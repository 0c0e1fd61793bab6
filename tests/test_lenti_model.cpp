// The free-geometry interlacer against sub-pixels worked out by hand, its
// charts and sources, and profiles.
#include <cstdio>
#include <cstring>

#include "interlace/interlace.h"
#include "interlace/profile.h"
#include "test_support.h"

namespace {

// Renders `s` from `input` (or its chart) into a picture of its size.
std::vector<uint32_t> Render(const LentiSettings& s, const Picture* input = nullptr) {
  std::vector<uint32_t> pixels(size_t(s.width) * s.height, 0xDEADBEEF);
  char error[256] = "";
  InterlaceState state = {};
  EXPECT_TRUE(Interlace(&state, s, input, Picture{pixels.data(), s.width, s.height, s.width}, error,
                        sizeof error))
      << error;
  ReleaseInterlaceState(&state);
  return pixels;
}

LentiSettings Panel(const char* size, const char* slant, double pitch, int views, double offset,
                    const char* order) {
  LentiSettings s;
  char error[256];
  for (auto [key, value] : {std::make_pair("size", size), std::make_pair("slant", slant),
                            std::make_pair("order", order), std::make_pair("interlacer", "free")})
    EXPECT_TRUE(SetSetting(&s, key, value, error, sizeof error)) << error;
  s.pitch = pitch, s.views = s.pictures = views, s.offset = offset;
  return s;
}

// An input of `views` pictures side by side, each 1 x 1 pixel, picture v
// holding 16 v + 1 in every channel: a sub-pixel's value tells its view.
std::vector<uint32_t> FlatPictures(int views) {
  std::vector<uint32_t> words;
  for (int v = 0; v < views; ++v) words.push_back((16u * v + 1) * 0x010101u);
  return words;
}

// The views of the three sub-pixels of a pixel, left to right ('-' black).
std::string ViewsOf(uint32_t pixel, bool bgr) {
  std::string views;
  for (int c = 0; c < 3; ++c) {
    int value = pixel >> (bgr ? 8 * c : 16 - 8 * c) & 0xFF;
    views += value == 0 ? '-' : char('0' + (value - 1) / 16);
  }
  return views;
}

}  // namespace

TEST(FreeModel, SubpixelsWorkedOutByHand) {
  // u = (s + offset - slant y) / pitch; view floor(N frac(u)). For example in
  // the first panel, row 1, s = 4: (4 - 1/3) / 5 = 0.7333, 4 x 0.7333 = 2.93: view 2.
  const struct {
    LentiSettings s;
    int x, y;
    const char* views;  // of sub-pixels 3x, 3x + 1, 3x + 2
  } cases[] = {
      {Panel("4x4", "1/3", 5, 4, 0, "rgb"), 0, 0, "001"},
      {Panel("4x4", "1/3", 5, 4, 0, "rgb"), 1, 0, "230"},
      {Panel("4x4", "1/3", 5, 4, 0, "rgb"), 1, 1, "223"},
      {Panel("4x4", "1/3", 5, 4, 0, "rgb"), 3, 1, "230"},
      {Panel("4x4", "1/3", 5, 4, 0, "rgb"), 1, 3, "123"},  // row 0 moved one sub-pixel right
      {Panel("4x4", "1/3", 5, 4, 0, "rgb"), 2, 3, "001"},  // s = 6: u = 1 exactly, view 0
      {Panel("2x6", "-2/5", 4, 3, 0.5, "bgr"), 0, 0, "011"},
      {Panel("2x6", "-2/5", 4, 3, 0.5, "bgr"), 1, 0, "201"},
      {Panel("2x6", "-2/5", 4, 3, 0.5, "bgr"), 0, 1, "012"},
      {Panel("2x6", "-2/5", 4, 3, 0.5, "bgr"), 0, 5, "120"},
      {Panel("2x6", "-2/5", 4, 3, 0.5, "bgr"), 1, 5, "112"},
      {Panel("3x6", "4/5", 7.5, 5, -1, "rgb"), 0, 0, "400"},
      {Panel("3x6", "4/5", 7.5, 5, -1, "rgb"), 0, 2, "334"},
      {Panel("3x6", "4/5", 7.5, 5, -1, "rgb"), 2, 2, "223"},
      {Panel("3x6", "4/5", 7.5, 5, -1, "rgb"), 1, 5, "340"},
  };
  for (const auto& c : cases) {
    std::vector<uint32_t> flat = FlatPictures(c.s.views);
    Picture input = {flat.data(), c.s.views, 1, c.s.views};
    uint32_t pixel = Render(c.s, &input)[size_t(c.y) * c.s.width + c.x];
    EXPECT_EQ(ViewsOf(pixel, c.s.order == SubpixelOrder::kBgr), c.views)
        << c.s.slant_text << " at " << c.x << "," << c.y;
  }
}

TEST(FreeModel, PicturesTilesAndChartsOfTheViews) {
  // Pitch 8, no slant: sub-pixel s shows view s mod 8. A 2 x 2 quilt of flat
  // tiles: view v shows tile v x 4 / 8, so s = 0..8 show tiles 0 0 1 1 2 2 3 3 0.
  LentiSettings quilt = Panel("3x1", "0", 8, 8, 0, "rgb");
  quilt.quilt_columns = quilt.quilt_rows = 2;
  std::vector<uint32_t> tiles = {0x010101, 0x010101, 0x111111, 0x111111,
                                 0x212121, 0x212121, 0x313131, 0x313131};
  Picture quilt_input = {tiles.data(), 4, 2, 4};
  std::vector<uint32_t> shown = Render(quilt, &quilt_input);
  EXPECT_EQ(ViewsOf(shown[0], false) + ViewsOf(shown[1], false) + ViewsOf(shown[2], false),
            "001122330");
  // A far pitch keeps every sub-pixel in view 0: picture 0 (5 x 3 of a 10 x 3
  // input) is sampled at (x 5 / 8, y 3 / 4): columns 0 0 1 1 2 3 3 4, rows 0 0 1 2.
  LentiSettings distant = Panel("8x4", "0", 1000, 2, 0, "rgb");
  std::vector<uint32_t> pair(30);
  for (int i = 0; i < 30; ++i) pair[i] = uint32_t(i % 10) << 16 | uint32_t(i / 10) << 8;
  Picture pair_input = {pair.data(), 10, 3, 10};
  shown = Render(distant, &pair_input);
  const int column[8] = {0, 0, 1, 1, 2, 3, 3, 4}, row[4] = {0, 0, 1, 2};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(shown[y * 8 + x], uint32_t(column[x] << 16 | row[y] << 8));
  // Charts need no input: views 0-3 grey 0, 85, 170, 255; single:2 lights view 2 alone.
  // Pixel 1 of the first hand-worked panel shows views 2 3 0.
  LentiSettings chart = Panel("4x4", "1/3", 5, 4, 0, "rgb");
  char error[128];
  ASSERT_TRUE(SetSetting(&chart, "chart", "views", error, sizeof error));
  EXPECT_EQ(Render(chart)[1], 0xAAFF00u);
  ASSERT_TRUE(SetSetting(&chart, "chart", "single:2", error, sizeof error));
  EXPECT_EQ(Render(chart)[1], 0xFF0000u);
}

TEST(FreeModel, PosGapAndAa) {
  // Pitch 8, 2 views: the boundary at 4; pos 1 moves it to 5.
  LentiSettings s = Panel("3x1", "0", 8, 2, 0, "rgb");
  std::vector<uint32_t> flat = FlatPictures(2);
  Picture input = {flat.data(), 2, 1, 2};
  auto views = [&] {
    std::vector<uint32_t> p = Render(s, &input);
    return ViewsOf(p[0], false) + ViewsOf(p[1], false) + ViewsOf(p[2], false);
  };
  s.pos = 1;
  EXPECT_EQ(views(), "000001110");
  s.pos = 0, s.gap = 2;  // the first two sub-pixels of each strip are black
  EXPECT_EQ(views(), "--00--11-");
  // Pitch 6.5: view 1 begins at 3.25, a quarter into sub-pixel 3, which shows
  // 0.25 x 100 + 0.75 x 200 = 175; the lens ends half way into sub-pixel 6:
  // 0.5 x 200 + 0.5 x 100 = 150.
  s = Panel("3x1", "0", 6.5, 2, 0, "rgb");
  s.aa = 1;
  std::vector<uint32_t> hundreds = {100 * 0x010101u, 200 * 0x010101u};
  Picture levels = {hundreds.data(), 2, 1, 2};
  std::vector<uint32_t> p = Render(s, &levels);
  EXPECT_EQ(p[1], uint32_t(175 << 16 | 200 << 8 | 200));
  EXPECT_EQ(p[2], uint32_t(150 << 16 | 100 << 8 | 100));
}

TEST(Profiles, RoundTripAndBrokenFiles) {
  LentiSettings s;
  const char* const kValues[][2] = {{"size", "3840x2160"},
                                    {"order", "bgr"},
                                    {"slant", "-2/5"},
                                    {"offset", "0.25"},
                                    {"pitch", "9.7"},
                                    {"views", "8"},
                                    {"gap", "1"},
                                    {"pos", "-2"},
                                    {"aa", "1"},
                                    {"pics", "8"},
                                    {"quilt", "4x2"},
                                    {"chart", "single:3"},
                                    {"sweep", "9.5:0.05:8"},
                                    {"interlacer", "free"},
                                    {"dpi", "600"}};
  char error[256], text[64];
  for (const auto& kv : kValues) ASSERT_TRUE(SetSetting(&s, kv[0], kv[1], error, sizeof error));
  ASSERT_TRUE(SaveProfile(L"round.ini", s, error, sizeof error)) << error;
  LentiSettings back;
  ProfileNotes notes = {false};
  ASSERT_TRUE(LoadProfile(L"round.ini", &back, &notes, error, sizeof error)) << error;
  EXPECT_TRUE(notes.interlacer_given);
  for (const auto& kv : kValues) {
    SettingText(back, kv[0], text, sizeof text);
    EXPECT_STREQ(text, kv[1]);
  }
  EXPECT_EQ(back.slant, -2.0 / 5);
  const struct {
    std::string content;
    const char* error;
  } broken[] = {
      {"[panel]\nsize = 800x480\npich = 3\n", "line 3: unknown setting 'pich'"},
      {"size = 0x480", "line 1: size: '0x480' is not WxH"},
      {"[optics]", "line 1: unknown section [optics]"},
      {"; views\nviews 8", "line 2: expected 'key = value'"},
      {"pitch = 1e999", "line 1: pitch: '1e999' is not a decimal above 0"},
      {"views = 3\nchart = " + std::string(300, 'v'), "line 2: longer than 255"},
      {std::string("\x89PNG\0\0", 6), "not text"},
  };
  for (const auto& b : broken) {
    ASSERT_TRUE(WriteBytesToFile(L"broken.ini", b.content));
    LentiSettings kept = back;
    EXPECT_FALSE(LoadProfile(L"broken.ini", &kept, nullptr, error, sizeof error));
    EXPECT_NE(std::strstr(error, b.error), nullptr) << error;
    SettingText(kept, "views", text, sizeof text);
    EXPECT_STREQ(text, "8");  // nothing changed
  }
  EXPECT_FALSE(LoadProfile(L"no such.ini", &back, nullptr, error, sizeof error));
  EXPECT_STREQ(error, "cannot open the profile");
}
