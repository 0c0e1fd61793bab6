// Helpers shared by the image window, pixel and image file tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "surfaces/surfaces.h"
#include "test_support.h"

// Every test starts with the framework initialised and no image window open.
class ImageWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    InitializeFrameworkForTests();
    DestroyAllImages();
  }
  void TearDown() override { DestroyAllImages(); }

  static void DestroyAllImages() {
    for (int n = 0; n < kImageSlots; ++n) {
      if (image_windows[n].in_use) ZUL_DestroyImage(n);
    }
  }
};

// Creates a window (32 or 8 bits) at zoom 100 in the top left corner and
// makes it current; fails the test when creation fails.
inline void MakeImage(int number, int width, int height, int bits = 32) {
  int code = bits == 8 ? ZUL_CreateImage8(number, "test", 0, 0, width, height, 100)
                       : ZUL_CreateImage(number, "test", 0, 0, width, height, 100);
  ASSERT_EQ(code, 0) << "creating image window " << number;
}

// Fills the current 32-bit window with a picture whose every pixel differs.
inline uint32_t TestColor(int x, int y) {
  return static_cast<uint32_t>(((x * 37 + y * 11) & 0xFF) << 16 | ((x * 5 + y * 23) & 0xFF) << 8 |
                               ((x * y + 3 * x) & 0xFF));
}

inline void FillTestPicture(int width, int height) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) ZUL_SetPixel(x, y, TestColor(x, y));
}

inline void FillColor(int width, int height, uint32_t color) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) ZUL_SetPixel(x, y, color);
}

// The current window's whole surface as bytes.
inline std::vector<uint8_t> SurfaceBytesOf(int number) {
  const ImageSurface& s = image_surfaces[number];
  return std::vector<uint8_t>(s.base, s.base + static_cast<size_t>(s.stride) * s.height);
}

inline void WriteFileBytes(const char* name, const std::string& bytes) {
  FILE* f = std::fopen(name, "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

inline std::string ReadFileBytes(const char* name) {
  std::string bytes;
  FILE* f = std::fopen(name, "rb");
  if (f == nullptr) return bytes;
  char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, got);
  std::fclose(f);
  return bytes;
}

// The number of live "zul_iw" windows of this thread.
inline BOOL CALLBACK CountImageFrame(HWND window, LPARAM data) {
  wchar_t name[16];
  if (GetClassNameW(window, name, 16) && std::wcscmp(name, L"zul_iw") == 0)
    ++*reinterpret_cast<int*>(data);
  return TRUE;
}

inline int CountImageFrames() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountImageFrame, reinterpret_cast<LPARAM>(&count));
  return count;
}
