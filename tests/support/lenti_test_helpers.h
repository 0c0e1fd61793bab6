// The lenticular tests' own model of the free-geometry interlacer, and running
// the batch program and reading its pictures.
#pragma once

#include "test_support.h"

#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The model as the panel makers' tools write it: the view of sub-pixel
// column s in row y.
inline int ModelView(double pitch, double slant, double offset, int views, int s, int y) {
  double u = (s + offset - slant * y) / pitch;
  double phase = u - std::floor(u);
  return std::min(views - 1, static_cast<int>(std::floor(phase * views)));
}

struct ModelPanel {
  int width, height;
  double pitch, slant, offset;
  int views;
  bool bgr;
};
// The expected output: sub-pixel c of pixel (x, y) shows its channel of
// `sample(view, x, y)`, the colour its view's picture has there.
inline std::vector<uint32_t> ModelPicture(const ModelPanel& p,
                                          const std::function<uint32_t(int, int, int)>& sample) {
  std::vector<uint32_t> out;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      uint32_t pixel = 0;
      for (int c = 0; c < 3; ++c) {
        uint32_t mask = p.bgr ? 0xFFu << (8 * c) : 0xFF0000u >> (8 * c);
        pixel |= sample(ModelView(p.pitch, p.slant, p.offset, p.views, 3 * x + c, y), x, y) & mask;
      }
      out.push_back(pixel);
    }
  return out;
}

// Runs build/lenti-batch.exe (beside the tests' folder) with `arguments`;
// its exit code, and what it printed on stderr in `errors`.
inline int RunBatch(const std::wstring& arguments, std::string* errors = nullptr,
                    std::string* output = nullptr) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE err_read, err_write, out_read, out_write;
  CreatePipe(&err_read, &err_write, &inherit, 0);
  CreatePipe(&out_read, &out_write, &inherit, 0);
  STARTUPINFOW start = {};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdError = err_write;
  start.hStdOutput = out_write;
  PROCESS_INFORMATION process = {};
  std::wstring line = L"..\\lenti-batch.exe " + arguments;
  DWORD code = 99;
  if (CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                     &process)) {
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(err_write);
  CloseHandle(out_write);
  for (auto [pipe, text] : {std::make_pair(err_read, errors), std::make_pair(out_read, output)}) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
      if (text) text->append(buffer, got);
    CloseHandle(pipe);
  }
  return static_cast<int>(code);
}

// The pixels of a picture file as 0x00RRGGBB, row after row; empty when it
// cannot be read. `width` gets its width.
inline std::vector<uint32_t> ReadPicturePixels(const std::wstring& path, int* width = nullptr) {
  namespace gp = Gdiplus::DllExports;
  Gdiplus::GdiplusStartupInput startup;  // GDI+ counts its users: this one may be the only one
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &startup, nullptr);
  Gdiplus::GpBitmap* bitmap = nullptr;
  std::vector<uint32_t> pixels;
  if (gp::GdipCreateBitmapFromFile(path.c_str(), &bitmap) != Gdiplus::Ok) {
    Gdiplus::GdiplusShutdown(token);
    return pixels;
  }
  UINT w = 0, h = 0;
  gp::GdipGetImageWidth(bitmap, &w);
  gp::GdipGetImageHeight(bitmap, &h);
  pixels.resize(size_t(w) * h);
  Gdiplus::GpRect all(0, 0, INT(w), INT(h));
  Gdiplus::BitmapData data = {w, h, INT(w * 4), PixelFormat32bppRGB, pixels.data(), 0};
  gp::GdipBitmapLockBits(bitmap, &all,
                         Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                         PixelFormat32bppRGB, &data);
  gp::GdipBitmapUnlockBits(bitmap, &data);
  gp::GdipDisposeImage(bitmap);
  Gdiplus::GdiplusShutdown(token);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  if (width) *width = int(w);
  return pixels;
}
