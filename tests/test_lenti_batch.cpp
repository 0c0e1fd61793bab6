// The batch program run as a user runs it: whole pictures checked against the
// tests' own model, the PNG's resolution, profiles, and refused inputs.
#include "lenti_test_helpers.h"

namespace {

// Picture p of `count` side by side, each 40 x 24: colours that differ in
// every channel from picture to picture and pixel to pixel.
uint32_t Source(int p, int x, int y) {
  return uint32_t((p * 37 + x * 5) & 0xFF) << 16 | uint32_t((p * 91 + y * 7) & 0xFF) << 8 |
         uint32_t((x * y + p * 13) & 0xFF);
}

class Batch : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    InitializeFrameworkForTests();  // GDI+ for reading the pictures
    ASSERT_TRUE(WriteBytesToFile(
        L"eight.bmp", Bmp24Bytes(320, 24, [](int x, int y) { return Source(x / 40, x % 40, y); })));
  }
};

}  // namespace

TEST_F(Batch, FollowsTheModelOnPanelsOfEverySort) {
  const struct {
    const wchar_t* options;
    ModelPanel panel;
    int pictures, quilt_columns;  // the input's pictures; a quilt's columns (0 none)
    bool chart;
  } cases[] = {
      // clang-format off
      {L"--size 640x360 --slant 1/3 --pitch 9.7 --views 8 --pics 8",
       {640, 360, 9.7, 1.0 / 3, 0, 8, false}, 8, 0, false},
      {L"--size 500x300 --slant -2/5 --pitch 7.3 --views 5 --order bgr --offset 2.5",
       {500, 300, 7.3, -2.0 / 5, 2.5, 5, true}, 2, 0, false},
      {L"--size 300x200 --slant 4/5 --pitch 12.25 --views 9 --quilt 4x2 --offset -4",
       {300, 200, 12.25, 4.0 / 5, -4, 9, false}, 8, 4, false},
      {L"--size 210x90 --slant 0.2731 --pitch 6.1 --views 7 --pattern views",
       {210, 90, 6.1, 0.2731, 0, 7, false}, 7, 0, true},
      // Every sub-pixel on a view boundary; a slant of 1/5 written as a decimal.
      {L"--size 100x60 --slant 0.2 --pitch 8 --views 8 --pics 8 --order bgr",
       {100, 60, 8, 0.2, 0, 8, true}, 8, 0, false},
      // clang-format on
  };
  for (const auto& c : cases) {
    DeleteFileW(L"model.png");
    std::wstring input = c.chart ? L"" : L"eight.bmp ";
    ASSERT_EQ(RunBatch(std::wstring(c.options) + L" " + input + L"model.png"), 0) << c.options;
    const ModelPanel& p = c.panel;
    // Side by side the input's 8 pictures are 8 / P wide; a quilt's tiles are
    // 8 / C pictures wide and half the height.
    int columns = c.quilt_columns ? c.quilt_columns : c.pictures;
    int part_width = 320 / columns, part_height = c.quilt_columns ? 12 : 24;
    auto sample = [&](int v, int x, int y) -> uint32_t {
      if (c.chart) return uint32_t(255 * v / (p.views - 1)) * 0x010101u;
      int part = v * c.pictures / p.views;
      int ix = part % columns * part_width + int(int64_t(x) * part_width / p.width);
      int iy = part / columns * part_height + int(int64_t(y) * part_height / p.height);
      return Source(ix / 40, ix % 40, iy);
    };
    std::vector<uint32_t> expected = ModelPicture(p, sample), got = ReadPicturePixels(L"model.png");
    ASSERT_EQ(got.size(), expected.size()) << c.options;
    size_t differ = 0;
    for (size_t i = 0; i < got.size(); ++i) differ += got[i] != expected[i];
    EXPECT_EQ(differ, 0u) << c.options;
  }
}

TEST_F(Batch, ResolutionTimingAndProfilesThatReproduceTheirPicture) {
  std::string out;
  ASSERT_EQ(RunBatch(L"--size 320x200 --slant 1/3 --pitch 9.7 --views 8 --pics 8 --aa 1 --gap 1 "
                     L"--save-profile panel.ini --dpi 600 --repeat 3 eight.bmp first.png",
                     nullptr, &out),
            0);
  EXPECT_EQ(out.rfind("render: median ", 0), 0u) << out;
  EXPECT_NE(out.find(" ms over 3"), std::string::npos) << out;
  // pHYs right after IHDR: 600 / 0.0254 = 23622.04 pixels per metre, both ways, unit metre.
  std::string png = ReadFileBytes(L"first.png");
  EXPECT_EQ(png.substr(33, 17), std::string("\0\0\0\x09pHYs\0\0\x5C\x46\0\0\x5C\x46\x01", 17));
  ASSERT_EQ(RunBatch(L"--profile panel.ini eight.bmp again.png"), 0);
  std::vector<uint32_t> first = ReadPicturePixels(L"first.png");
  EXPECT_FALSE(first.empty());
  EXPECT_EQ(first, ReadPicturePixels(L"again.png"));
  // Options after a profile override it.
  ASSERT_EQ(RunBatch(L"--profile panel.ini --size 100x50 eight.bmp small.png"), 0);
  int width = 0;
  EXPECT_EQ(ReadPicturePixels(L"small.png", &width).size(), 5000u);
  EXPECT_EQ(width, 100);
}

TEST_F(Batch, BadInputsAreRefusedWithOneLineAndNoFile) {
  ASSERT_TRUE(WriteBytesToFile(L"corrupt.png", "\x89PNG\r\n\x1A\n but nothing after"));
  ASSERT_TRUE(WriteBytesToFile(L"broken.ini", "[lens]\npitch = -1\n"));
  ASSERT_TRUE(WriteBytesToFile(L"kept.png", "an older picture"));
  const struct {
    const wchar_t* arguments;
    const char* says;
  } cases[] = {
      {L"missing.bmp kept.png", "cannot read missing.bmp: no such file"},
      {L"corrupt.png kept.png", "cannot read corrupt.png: not a picture"},
      {L"--size 30000x30000 --pattern views kept.png", "does not fit in this process"},
      {L"--size 40000x300 eight.bmp kept.png", "size: '40000x300' is not WxH, each 1 to 32768"},
      {L"--pitch 0 eight.bmp kept.png", "pitch: '0' is not a decimal above 0"},
      {L"--pitch -2 eight.bmp kept.png", "pitch: '-2' is not a decimal above 0"},
      {L"--slant 1/x eight.bmp kept.png", "slant: '1/x' is not P/Q or a decimal"},
      {L"--slant one eight.bmp kept.png", "slant: 'one' is not P/Q or a decimal"},
      {L"--profile broken.ini eight.bmp kept.png", "profile broken.ini: line 2: pitch: '-1'"},
      {L"--interlacer classic --order bgr eight.bmp kept.png", "'order' needs the free"},
      {L"--views 8 --pattern single:8 kept.png", "single:8: there are only 8 views"},
      {L"--pics 9 --views 8 eight.bmp kept.png --repeat 0", "--repeat: '0' is not 1 to 10000"},
      {L"--pattern views eight.bmp kept.png", "a chart takes OUTPUT alone"},
  };
  for (const auto& c : cases) {
    std::string errors;
    EXPECT_NE(RunBatch(c.arguments, &errors), 0) << c.says;
    EXPECT_EQ(errors.rfind("lenti-batch: ", 0), 0u) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_NE(errors.find(c.says), std::string::npos) << errors;
    EXPECT_EQ(ReadFileBytes(L"kept.png"), "an older picture") << c.says;
    EXPECT_EQ(GetFileAttributesW(L"kept.png.part"), INVALID_FILE_ATTRIBUTES);
  }
}

TEST_F(Batch, SequencesAndAnEightKPanel) {
  // A numbered sequence with a gap and a frame that cannot be read; then a folder.
  CreateDirectoryW(L"frames", nullptr);
  CreateDirectoryW(L"drawn", nullptr);
  for (const wchar_t* name : {L"frames\\f007.bmp", L"frames\\f009.bmp", L"frames\\f012.bmp"})
    ASSERT_TRUE(CopyFileW(L"eight.bmp", name, FALSE));
  ASSERT_TRUE(WriteBytesToFile(L"frames\\f010.bmp", "BM not a picture"));
  std::string out, errors;
  EXPECT_NE(
      RunBatch(L"--size 64x32 --views 8 --pics 8 --slant 1/3 frames\\f%03d.bmp drawn\\o%04d.png",
               &errors, &out),
      0);  // a frame was skipped
  EXPECT_NE(errors.find("frame frames\\f010.bmp: not a picture"), std::string::npos) << errors;
  EXPECT_NE(out.find("3 frames in "), std::string::npos) << out;
  EXPECT_NE(out.find(" frames per second; 1 skipped"), std::string::npos) << out;
  std::vector<uint32_t> first = ReadPicturePixels(L"drawn\\o0007.png");
  EXPECT_EQ(first.size(), 64u * 32u);
  EXPECT_EQ(first, ReadPicturePixels(L"drawn\\o0012.png"));  // the same picture, drawn the same
  EXPECT_EQ(GetFileAttributesW(L"drawn\\o0010.png"), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(L"frames\\f010.bmp");
  ASSERT_EQ(RunBatch(L"--size 64x32 --views 8 --pics 8 --slant 1/3 frames drawn"), 0);
  EXPECT_EQ(ReadPicturePixels(L"drawn\\f009.png"), first);
  std::string refused;
  EXPECT_NE(RunBatch(L"frames single.png", &refused), 0);
  EXPECT_NE(refused.find("a sequence needs a numbered OUTPUT"), std::string::npos) << refused;
  // An 8K panel of 17 views renders in the 32-bit process.
  ASSERT_EQ(RunBatch(L"--size 7680x4320 --views 17 --slant 2/3 --pitch 12.3 --pattern single:4 "
                     L"eightk.png"),
            0);
  EXPECT_EQ(ReadFileBytes(L"eightk.png").substr(16, 8), std::string("\0\0\x1E\0\0\0\x10\xE0", 8));
}
