// Making image windows: the surface (a top-down DIB section with a grey colour
// table), the window with its two device contexts, and the caption.
#include "surfaces/surfaces.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zul {

namespace {

char* CopyTitle(const char* title) {
  if (title == nullptr) title = "";
  size_t length = std::strlen(title);
  char* copy = static_cast<char*>(std::malloc(length + 1));
  if (copy != nullptr) std::memcpy(copy, title, length + 1);
  return copy;
}

HWND CreateImageFrame(const ZoomFit& fit, int x, int y, const char* caption) {
  wchar_t caption_w[kWindowTextUnits];
  AnsiToWide(caption, caption_w, kWindowTextUnits);
  RECT outer = {0, 0, fit.view_width, fit.view_height};
  AdjustWindowRect(&outer, kImageWindowStyle, FALSE);
  int left = x == -1 ? CW_USEDEFAULT : x;
  int top = y == -1 ? CW_USEDEFAULT : y;
  if (left == CW_USEDEFAULT) top = CW_USEDEFAULT;  // a lone y would be taken as a show command
  return CreateWindowExW(0, L"zul_iw", caption_w, kImageWindowStyle, left, top,
                         outer.right - outer.left, outer.bottom - outer.top, main_window, nullptr,
                         zul_instance, nullptr);
}

void PrepareDrawingDc(HDC dc) {
  SetStretchBltMode(dc, COLORONCOLOR);
  SetBrushOrgEx(dc, 0, 0, nullptr);
}

// Releases what a creation that failed half way has made; the slot stays free.
void AbandonSlot(ImageWindow& slot) {
  if (slot.window_dc != nullptr) ReleaseDC(slot.window, slot.window_dc);
  if (slot.window != nullptr) DestroyWindow(slot.window);
  if (slot.dib != nullptr) DeleteObject(slot.dib);
  std::free(slot.title);
  slot = ImageWindow{};
}

}  // namespace

BITMAPINFOHEADER DibHeader(int width, int height, int bits) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bits);
  header.biCompression = BI_RGB;
  return header;
}

void FillGreyRamp(RGBQUAD* colors) {
  for (int i = 0; i < kPaletteEntries; ++i) {
    BYTE level = static_cast<BYTE>(i);
    colors[i] = RGBQUAD{level, level, level, 0};
  }
}

int SurfaceStride(int width, int bits) {
  int64_t stride =
      bits == 8 ? (static_cast<int64_t>(width) + 3) & ~int64_t{3} : static_cast<int64_t>(width) * 4;
  return stride > kMaxSurfaceBytes ? -1 : static_cast<int>(stride);
}

int64_t SurfaceBytes(int width, int height, int bits) {
  if (width < 1 || height < 1) return -1;
  int stride = SurfaceStride(width, bits);
  if (stride < 0) return -1;
  int64_t bytes = static_cast<int64_t>(stride) * height;
  return bytes > kMaxSurfaceBytes ? -1 : bytes;
}

HBITMAP CreateSurfaceBitmap(int width, int height, int bits, void** base) {
  *base = nullptr;
  int64_t bytes = SurfaceBytes(width, height, bits);
  if (bytes < 0) return nullptr;
  DibInfo* info = static_cast<DibInfo*>(std::calloc(1, sizeof(DibInfo)));
  if (info == nullptr) return nullptr;
  info->header = DibHeader(width, -height, bits);
  FillGreyRamp(info->colors);
  void* bits_address = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info), DIB_RGB_COLORS,
                                 &bits_address, nullptr, 0);
  std::free(info);
  if (dib == nullptr) return nullptr;
  if (bits_address == nullptr) {
    DeleteObject(dib);
    return nullptr;
  }
  // Fresh pages from the system are zero: touching them all here would only
  // take their first faults on this thread instead of on whoever fills them.
  *base = bits_address;
  return dib;
}

void FormatImageCaption(const char* title, int zoom, int bits, bool smoothed,
                        char caption[kCaptionBytes]) {
  snprintf(caption, kCaptionBytes, bits == 8 ? "%s(%d%%)[8bit]%s" : "%s(%d%%)%s",
           title != nullptr ? title : "", zoom, smoothed ? "*" : "");
}

namespace {

struct SpareSurface {
  HBITMAP dib;
  void* base;
  int width, height, bits;
};
SpareSurface spare_surface;  // worker thread

}  // namespace

HBITMAP TakeSpareSurface(int width, int height, int bits, void** base) {
  const SpareSurface& s = spare_surface;
  if (!s.dib || s.width != width || s.height != height || s.bits != bits) return nullptr;
  HBITMAP dib = s.dib;
  *base = s.base;
  spare_surface = SpareSurface{};
  return dib;
}

void KeepSpareSurface(HBITMAP dib, const ImageSurface& surface) {
  DropSpareSurface();
  spare_surface = {dib, surface.base, static_cast<int>(surface.width),
                   static_cast<int>(surface.height), static_cast<int>(surface.bits)};
}

void DropSpareSurface() {
  if (spare_surface.dib) DeleteObject(spare_surface.dib);
  spare_surface = SpareSurface{};
}

void UpdateImageTitle(int number) {
  if (!ImageWindowLive(number)) return;
  const ImageWindow& slot = image_windows[number];
  char caption[kCaptionBytes];
  bool smoothed = GetStretchBltMode(slot.memory_dc) == HALFTONE;
  FormatImageCaption(slot.title, slot.zoom, slot.bits, smoothed, caption);
  SetWindowTextAnsi(slot.window, caption);
}

// The surface is made first, so that a size that cannot be had leaves no
// window or device context behind.
int CreateImageWindow(int number, const char* title, int x, int y, int width, int height, int zoom,
                      int bits) {
  if (!ImageNumberValid(number)) return 4;
  if (image_windows[number].in_use) return 1;
  if (bits != 8 && bits != 32) return 3;
  ZoomFit fit = FitZoom(ReadScreenMetrics(), width, height, zoom);
  if (fit.code != 0) return fit.code;

  void* base = nullptr;
  HBITMAP dib = CreateSurfaceBitmap(fit.width, fit.height, bits, &base);
  if (dib == nullptr) return 3;
  char* title_copy = CopyTitle(title);
  if (title_copy == nullptr) {
    DeleteObject(dib);
    return 3;
  }

  ImageWindow& slot = image_windows[number];
  slot = ImageWindow{};
  slot.bits = bits;
  slot.width = fit.width;
  slot.height = fit.height;
  slot.view_width = fit.view_width;
  slot.view_height = fit.view_height;
  slot.zoom = fit.zoom;
  slot.title = title_copy;
  slot.dib = dib;

  char caption[kCaptionBytes];
  FormatImageCaption(slot.title, slot.zoom, bits, false, caption);
  slot.window = CreateImageFrame(fit, x, y, caption);
  if (slot.window == nullptr) {
    AbandonSlot(slot);
    return 3;
  }
  UpdateWindow(slot.window);
  SetForegroundWindow(slot.window);
  DragAcceptFiles(slot.window, TRUE);

  slot.window_dc = GetDC(slot.window);
  slot.memory_dc = slot.window_dc != nullptr ? CreateCompatibleDC(slot.window_dc) : nullptr;
  if (slot.memory_dc == nullptr) {
    AbandonSlot(slot);
    return 3;
  }
  PrepareDrawingDc(slot.window_dc);
  PrepareDrawingDc(slot.memory_dc);
  slot.previous_bitmap = SelectObject(slot.memory_dc, dib);
  PublishSurface(number);

  slot.in_use = 1;
  // The first paint came while the slot was not yet live and drew nothing:
  // ask for another, so that what is drawn before the next pump shows.
  InvalidateRect(slot.window, nullptr, FALSE);
  RebuildSnapRects();
  ZUL_SelectImage(number);
  return 0;
}

}  // namespace zul

using namespace zul;

int ZUL_CreateImage(int number, const char* title, int x, int y, int width, int height, int zoom) {
  return CreateImageWindow(number, title, x, y, width, height, zoom, 32);
}

int ZUL_CreateImage8(int number, const char* title, int x, int y, int width, int height, int zoom) {
  return CreateImageWindow(number, title, x, y, width, height, zoom, 8);
}
