// Image files: saving blocks of 32- and 8-bit windows in the five formats,
// loading them back at offsets, palettes, file names and bad files.
#include <cstdlib>
#include <cstring>

#include "surfaces_test_util.h"

namespace {

constexpr int kW = 97, kH = 61;  // odd sizes: rows need padding in every format

// Saves the current window's whole kW x kH picture and loads it into a fresh
// 32-bit window 2; returns the largest channel difference and the mean one.
struct Loss {
  int worst;
  double mean;
};

uint32_t SmoothColor(int x, int y) {
  return static_cast<uint32_t>((x * 255 / kW) << 16 | (y * 255 / kH) << 8 | 0x60);
}

Loss RoundTrip(int format, const char* name, uint32_t (*color)(int, int)) {
  Loss loss = {999, 999};
  EXPECT_EQ(ZUL_SaveImageFile(kW, kH, format, name), 0) << name;
  EXPECT_EQ(ZUL_CreateImage(2, "back", 0, 0, kW, kH, 100), 0);
  char file[64];
  snprintf(file, sizeof file, "%s%ls", name, FormatExtension(format));
  EXPECT_EQ(ZUL_LoadImageFile(file, 0, 0), 0) << file;
  long total = 0;
  int worst = 0;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      uint32_t a = color(x, y), b = ZUL_GetPixel(x, y);
      EXPECT_EQ(b >> 24, 0u);  // loaded pixels read 0x00RRGGBB
      for (int shift = 0; shift <= 16; shift += 8) {
        int d = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        total += d;
        if (d > worst) worst = d;
      }
    }
  }
  ZUL_DestroyImage(2);
  ZUL_SelectImage(1);
  loss.worst = worst;
  loss.mean = static_cast<double>(total) / (kW * kH * 3);
  return loss;
}

// A hand-made 8-bit BMP: width x height indices (bottom-up rows padded to 4)
// with `table` as its colour table.
std::string PalettedBmp(int width, int height, const std::vector<RGBQUAD>& table,
                        uint8_t (*index)(int x, int y)) {
  int stride = (width + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 8;
  info.biCompression = BI_RGB;
  info.biClrUsed = static_cast<DWORD>(table.size());
  file.bfType = 0x4D42;
  file.bfOffBits = static_cast<DWORD>(sizeof file + sizeof info + table.size() * 4);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  bytes.append(reinterpret_cast<const char*>(table.data()), table.size() * 4);
  for (int row = height - 1; row >= 0; --row) {
    std::string line(static_cast<size_t>(stride), '\0');
    for (int x = 0; x < width; ++x) line[static_cast<size_t>(x)] = static_cast<char>(index(x, row));
    bytes += line;
  }
  return bytes;
}

}  // namespace

class ImageFiles : public ImageWindowTest {
 protected:
  void MakePicture() {
    MakeImage(1, kW, kH);
    FillTestPicture(kW, kH);
  }
  void MakeSmoothPicture() {
    MakeImage(1, kW, kH);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) ZUL_SetPixel(x, y, SmoothColor(x, y));
  }
};

// ---- round trips ----------------------------------------------------------------------

TEST_F(ImageFiles, LosslessFormatsRoundTripExactly) {
  MakePicture();
  for (int format : {0, 3, 4}) {
    Loss loss = RoundTrip(format, "surf_exact", TestColor);
    EXPECT_EQ(loss.worst, 0) << "format " << format;
  }
}

TEST_F(ImageFiles, GifAndJpegLoseBoundedAmounts) {
  MakeSmoothPicture();
  Loss jpeg = RoundTrip(1, "surf_lossy", SmoothColor);
  EXPECT_LE(jpeg.mean, 3.0);
  EXPECT_LE(jpeg.worst, 24);
  Loss gif = RoundTrip(2, "surf_lossy", SmoothColor);  // 256 colours at most
  EXPECT_LE(gif.mean, 24.0);
  EXPECT_LE(gif.worst, 96);
  std::printf("JPEG mean %.2f worst %d; GIF mean %.2f worst %d\n", jpeg.mean, jpeg.worst, gif.mean,
              gif.worst);
}

TEST_F(ImageFiles, JpegSavesAtAnyQuality) {
  MakeSmoothPicture();
  int saved = jpeg_quality;
  for (int quality : {100, 50, 1}) {
    jpeg_quality = quality;
    ASSERT_EQ(ZUL_SaveImageFile(kW, kH, 1, "surf_quality"), 0) << quality;
    MakeImage(2, kW, kH);
    EXPECT_EQ(ZUL_LoadImageFile("surf_quality.jpg", 0, 0), 0) << quality;
    ZUL_DestroyImage(2);
    ZUL_SelectImage(1);
  }
  jpeg_quality = saved;
}

TEST_F(ImageFiles, EightBitSaveRespectsRowPadding) {
  MakeImage(1, 10, 7, 8);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 10; ++x) ZUL_SetPixel(x, y, static_cast<uint32_t>(x * 25 + y));
  for (int format : {0, 3}) {
    ASSERT_EQ(ZUL_SaveImageFile(10, 7, format, "surf_8bit"), 0);
    MakeImage(2, 10, 7);
    char file[32];
    snprintf(file, sizeof file, "surf_8bit%ls", FormatExtension(format));
    ASSERT_EQ(ZUL_LoadImageFile(file, 0, 0), 0);
    for (int y = 0; y < 7; ++y) {
      for (int x = 0; x < 10; ++x) {
        uint32_t level = static_cast<uint32_t>(x * 25 + y);
        EXPECT_EQ(ZUL_GetPixel(x, y), level << 16 | level << 8 | level) << x << "," << y;
      }
    }
    ZUL_DestroyImage(2);
    ZUL_SelectImage(1);
  }
}

TEST_F(ImageFiles, SaveWiderThanTheSurfacePadsWithBlack) {
  MakeImage(1, 20, 10);
  FillColor(20, 10, 0xFFFFFF);
  ASSERT_EQ(ZUL_SaveImageFile(30, 12, 3, "surf_wide"), 0);
  MakeImage(3, 20, 10, 8);
  std::fill(pixels8[3], pixels8[3] + 20 * 10, 200);
  ASSERT_EQ(ZUL_SaveImageFile(30, 12, 3, "surf_wide8"), 0);

  for (const char* file : {"surf_wide.png", "surf_wide8.png"}) {
    MakeImage(2, 32, 14);
    FillColor(32, 14, 0x123456);
    ASSERT_EQ(ZUL_LoadImageFile(file, 0, 0), 0);
    uint32_t inside = std::strcmp(file, "surf_wide.png") == 0 ? 0xFFFFFFu : 0xC8C8C8u;
    EXPECT_EQ(ZUL_GetPixel(19, 9), inside) << file;
    EXPECT_EQ(ZUL_GetPixel(20, 0), 0u) << file;
    EXPECT_EQ(ZUL_GetPixel(29, 11), 0u) << file;
    EXPECT_EQ(ZUL_GetPixel(0, 11), 0u) << file;
    EXPECT_EQ(ZUL_GetPixel(30, 0), 0x123456u) << file;  // beyond the saved block
    EXPECT_EQ(ZUL_GetPixel(0, 12), 0x123456u) << file;
    ZUL_DestroyImage(2);
  }
}

// ---- loading ---------------------------------------------------------------------------

TEST_F(ImageFiles, LoadAtAnOffsetAndLargerThanTheSurface) {
  MakePicture();
  ASSERT_EQ(ZUL_SaveImageFile(kW, kH, 3, "surf_offset"), 0);
  MakeImage(2, 60, 50);
  FillColor(60, 50, 0x111111);
  ASSERT_EQ(ZUL_LoadImageFile("surf_offset.png", 10, 20), 0);
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 60; ++x) {
      uint32_t expected = x < 10 || y < 20 ? 0x111111u : TestColor(x - 10, y - 20);
      ASSERT_EQ(ZUL_GetPixel(x, y), expected) << x << "," << y;
    }
  }
  MakeImage(3, 40, 30);
  ASSERT_EQ(ZUL_LoadImageFile("surf_offset.png", 0, 0), 0);  // only the top left part
  EXPECT_EQ(ZUL_GetPixel(39, 29), TestColor(39, 29));
  EXPECT_EQ(ZUL_GetPixel(0, 0), TestColor(0, 0));
  ASSERT_EQ(ZUL_LoadImageFile("surf_offset.png", -30, -20), 0);  // negative offsets clip too
  EXPECT_EQ(ZUL_GetPixel(0, 0), TestColor(30, 20));
}

uint8_t DiagonalIndex(int x, int y) { return static_cast<uint8_t>((x + y) % 4); }

TEST_F(ImageFiles, PalettedFileReplacesAsManyEntriesAsItHas) {
  std::vector<RGBQUAD> table = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {0, 255, 255, 0}};
  WriteFileBytes("surf_four.bmp", PalettedBmp(9, 5, table, DiagonalIndex));
  MakeImage(1, 16, 8, 8);
  ASSERT_EQ(ZUL_LoadImageFile("surf_four.bmp", 0, 0), 0);
  RGBQUAD now[256];
  ASSERT_EQ(ZUL_GetPalette(now), 0);
  EXPECT_EQ(std::memcmp(now, table.data(), 4 * sizeof(RGBQUAD)), 0);
  EXPECT_EQ(now[4].rgbRed, 4);  // the rest of the grey ramp stays
  EXPECT_EQ(now[255].rgbGreen, 255);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 9; ++x) EXPECT_EQ(ZUL_GetPixel(x, y), DiagonalIndex(x, y)) << x << "," << y;
  EXPECT_EQ(ZUL_GetPixel(9, 0), 0u);

  // A 32-bit window ignores the palette but gets the colours.
  MakeImage(2, 16, 8);
  ASSERT_EQ(ZUL_LoadImageFile("surf_four.bmp", 0, 0), 0);
  EXPECT_EQ(ZUL_GetPixel(0, 0), 0xFF0000u);
  EXPECT_EQ(ZUL_GetPixel(1, 0), 0x00FF00u);
}

TEST_F(ImageFiles, OversizedFilePaletteNeverOverrunsTheTable) {
  std::vector<RGBQUAD> table(300, RGBQUAD{0, 0, 200, 0});
  WriteFileBytes("surf_300.bmp", PalettedBmp(9, 5, table, DiagonalIndex));
  MakeImage(1, 16, 8, 8);
  int code = ZUL_LoadImageFile("surf_300.bmp", 0, 0);  // the decoder may refuse it
  EXPECT_TRUE(code == 0 || code == 1) << code;
  RGBQUAD now[257];
  now[256] = RGBQUAD{1, 2, 3, 4};
  ASSERT_EQ(ZUL_GetPalette(now), 0);
  EXPECT_EQ(now[256].rgbRed, 3);
}

TEST_F(ImageFiles, SavedEightBitPaletteComesBack) {
  MakeImage(1, 12, 4, 8);
  RGBQUAD custom[256];
  for (int i = 0; i < 256; ++i)
    custom[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i / 2), 0};
  ASSERT_EQ(ZUL_SetPalette(custom, 256), 0);
  for (int x = 0; x < 12; ++x) ZUL_SetPixel(x, 1, static_cast<uint32_t>(x * 20));
  ASSERT_EQ(ZUL_SaveImageFile(12, 4, 0, "surf_pal"), 0);
  MakeImage(2, 12, 4, 8);
  ASSERT_EQ(ZUL_LoadImageFile("surf_pal.bmp", 0, 0), 0);
  RGBQUAD now[256];
  ASSERT_EQ(ZUL_GetPalette(now), 0);
  EXPECT_EQ(std::memcmp(now, custom, sizeof now), 0);
  // The system maps the drawn colours to near entries of the table.
  for (int x = 0; x < 12; ++x) {
    const RGBQUAD& want = custom[x * 20];
    const RGBQUAD& got = now[ZUL_GetPixel(x, 1)];
    EXPECT_NEAR(got.rgbRed, want.rgbRed, 8) << x;
    EXPECT_NEAR(got.rgbGreen, want.rgbGreen, 8) << x;
    EXPECT_NEAR(got.rgbBlue, want.rgbBlue, 8) << x;
  }
}

TEST_F(ImageFiles, BadFilesLoadNothing) {
  MakePicture();
  ASSERT_EQ(ZUL_SaveImageFile(kW, kH, 3, "surf_good"), 0);
  std::string good = ReadFileBytes("surf_good.png");
  ASSERT_GT(good.size(), 200u);
  WriteFileBytes("surf_empty.png", "");
  WriteFileBytes("surf_truncated.png", good.substr(0, 100));
  std::string noise(5000, '\0');
  srand(7);
  for (char& c : noise) c = static_cast<char>(rand());
  WriteFileBytes("surf_noise.bin", noise);
  WriteFileBytes("surf_text.png", "This is not a picture at all.\r\n");
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  for (const char* name : {"surf_missing.png", "surf_empty.png", "surf_truncated.png",
                           "surf_noise.bin", "surf_text.png", "", "no_such_dir\\x.png"}) {
    EXPECT_EQ(ZUL_LoadImageFile(name, 0, 0), 1) << name;
    EXPECT_EQ(SurfaceBytesOf(1), before) << name;
  }
  EXPECT_EQ(ZUL_LoadImageFile(nullptr, 0, 0), 1);
  std::string long_name(5000, 'a');
  EXPECT_EQ(ZUL_LoadImageFile(long_name.c_str(), 0, 0), 1);
  ASSERT_EQ(ZUL_DestroyImage(1), 0);
  EXPECT_EQ(ZUL_LoadImageFile("surf_good.png", 0, 0), 2);
}

// ---- saving: codes and names --------------------------------------------------------------

TEST_F(ImageFiles, SaveCodes) {
  MakeImage(1, 8, 8);
  EXPECT_EQ(ZUL_SaveImageFile(0, 8, 3, "surf_codes"), 2);
  EXPECT_EQ(ZUL_SaveImageFile(8, 0, 3, "surf_codes"), 2);
  EXPECT_EQ(ZUL_SaveImageFile(-8, 8, 3, "surf_codes"), 2);
  EXPECT_EQ(ZUL_SaveImageFile(8, 8, 5, "surf_codes"), 1);
  EXPECT_EQ(ZUL_SaveImageFile(8, 8, -1, "surf_codes"), 1);
  EXPECT_EQ(ZUL_SaveImageFile(100000, 100000, 3, "surf_codes"), 1);  // byte count overflows
  EXPECT_EQ(ZUL_SaveImageFile(8, 8, 3, "no_such_dir\\surf_codes"), 1);
  std::string long_name(5000, 'b');
  EXPECT_EQ(ZUL_SaveImageFile(8, 8, 3, long_name.c_str()), 1);
  MakeImage(2, 8, 8, 8);
  EXPECT_EQ(ZUL_SaveImageFile(100000, 100000, 3, "surf_codes"), 1);
  ASSERT_EQ(ZUL_DestroyImage(2), 0);
  EXPECT_EQ(ZUL_SaveImageFile(8, 8, 3, "surf_codes"), 3);
}

TEST_F(ImageFiles, NamesGetTheFormatsExtension) {
  MakeImage(1, 8, 8);
  DeleteFileW(L"surf_out.png");
  DeleteFileW(L"SURF_OUT2.PNG");
  DeleteFileW(L"surf_pic.jpeg.jpg");
  ASSERT_EQ(ZUL_SaveImageFile(8, 8, 3, "surf_out"), 0);
  EXPECT_FALSE(ReadFileBytes("surf_out.png").empty());
  ASSERT_EQ(ZUL_SaveImageFile(8, 8, 3, "SURF_OUT2.PNG"), 0);
  EXPECT_FALSE(ReadFileBytes("SURF_OUT2.PNG").empty());
  EXPECT_TRUE(ReadFileBytes("SURF_OUT2.PNG.png").empty());
  ASSERT_EQ(ZUL_SaveImageFile(8, 8, 1, "surf_pic.jpeg"), 0);
  EXPECT_FALSE(ReadFileBytes("surf_pic.jpeg.jpg").empty());
  ASSERT_EQ(ZUL_SaveImageFile(8, 8, 4, "surf_t"), 0);
  EXPECT_EQ(ReadFileBytes("surf_t.tif").substr(0, 2), "II");
  ASSERT_EQ(ZUL_SaveImageFile(8, 8, 0, "surf_b"), 0);
  EXPECT_EQ(ReadFileBytes("surf_b.bmp").substr(0, 2), "BM");
  ASSERT_EQ(ZUL_SaveImageFile(8, 8, 2, "surf_g"), 0);
  EXPECT_EQ(ReadFileBytes("surf_g.gif").substr(0, 3), "GIF");
}

TEST(FileNames, AppendExtension) {
  auto appended = [](const wchar_t* path, const wchar_t* ext) {
    wchar_t buffer[kPathChars];
    wcscpy(buffer, path);
    AppendExtension(buffer, ext);
    return std::wstring(buffer);
  };
  EXPECT_EQ(appended(L"out", L".png"), L"out.png");
  EXPECT_EQ(appended(L"OUT.PNG", L".png"), L"OUT.PNG");
  EXPECT_EQ(appended(L"PIC.PNG", L".png"), L"PIC.PNG");
  EXPECT_EQ(appended(L"pic.jpeg", L".jpg"), L"pic.jpeg.jpg");
  EXPECT_EQ(appended(L"a.tif", L".tif"), L"a.tif");
  EXPECT_EQ(appended(L"png", L".png"), L"png.png");
  EXPECT_EQ(appended(L"", L".bmp"), L".bmp");
  // A path that fills the buffer is cut, never overrun.
  std::wstring full(kPathChars - 3, L'p');
  std::wstring result = appended(full.c_str(), L".png");
  EXPECT_EQ(result.size(), static_cast<size_t>(kPathChars - 1));
  EXPECT_EQ(result.substr(result.size() - 2), L".p");
}

TEST(FileNames, FindEncoderMatchesMimeTypesExactly) {
  InitializeFrameworkForTests();
  CLSID png, jpeg, none;
  EXPECT_TRUE(FindEncoder(L"image/png", &png));
  EXPECT_TRUE(FindEncoder(L"image/jpeg", &jpeg));
  EXPECT_NE(std::memcmp(&png, &jpeg, sizeof png), 0);
  EXPECT_FALSE(FindEncoder(L"image/PNG", &none));
  CLSID zero = {};
  EXPECT_EQ(std::memcmp(&none, &zero, sizeof none), 0);
  for (int format = 0; format < kImageFormats; ++format) {
    CLSID id;
    EXPECT_TRUE(FindEncoder(FormatMimeType(format), &id)) << format;
  }
}
