// Loading image files into the current image window and saving a block of it,
// both through the GDI+ flat interface.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "surfaces/surfaces.h"

#include <gdiplus.h>

namespace zul {

namespace gp = Gdiplus::DllExports;
using Gdiplus::GpBitmap;
using Gdiplus::GpGraphics;
using Gdiplus::GpImage;

namespace {

// {1d5be4b5-fa4a-452d-9cdd-5db35105e7eb}: the quality parameter of the JPEG encoder.
const GUID kEncoderQuality = {
    0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};
// A file's palette larger than this is not read (256 entries and the header fit well within).
constexpr INT kMaxPaletteBytes = 64 * 1024;

// ---- loading --------------------------------------------------------------------

// Replaces the leading colour table entries of the current (8-bit) window with
// the picture's palette, at most 256 entries.
void ApplyFilePalette(GpImage* image) {
  INT bytes = 0;
  if (gp::GdipGetImagePaletteSize(image, &bytes) != Gdiplus::Ok) return;
  if (bytes < static_cast<INT>(2 * sizeof(UINT)) || bytes > kMaxPaletteBytes) return;
  auto* palette = static_cast<Gdiplus::ColorPalette*>(std::calloc(1, static_cast<size_t>(bytes)));
  if (palette == nullptr) return;
  if (gp::GdipGetImagePalette(image, palette, bytes) == Gdiplus::Ok) {
    int count = (bytes - 8) / 4;
    if (static_cast<UINT>(count) > palette->Count) count = static_cast<int>(palette->Count);
    if (count > kPaletteEntries) count = kPaletteEntries;
    RGBQUAD entries[kPaletteEntries];
    for (int i = 0; i < count; ++i) {
      Gdiplus::ARGB argb = palette->Entries[i] & 0xFFFFFF;
      entries[i] = RGBQUAD{static_cast<BYTE>(argb), static_cast<BYTE>(argb >> 8),
                           static_cast<BYTE>(argb >> 16), 0};
    }
    if (count > 0) ZUL_SetPalette(entries, count);
  }
  std::free(palette);
}

bool DrawPicture(HDC dc, GpImage* image, int x, int y, UINT width, UINT height) {
  GpGraphics* graphics = nullptr;
  if (gp::GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok || graphics == nullptr) return false;
  Gdiplus::GpStatus status = gp::GdipDrawImageRectI(graphics, image, x, y, static_cast<INT>(width),
                                                    static_cast<INT>(height));
  gp::GdipDeleteGraphics(graphics);
  return status == Gdiplus::Ok;
}

// ---- saving ----------------------------------------------------------------------

// The picture to save and what must live until the save has finished.
struct SavePicture {
  GpBitmap* bitmap;
  HBITMAP dib;  // 8-bit saves: the intermediate DIB section
  void* info;   // 8-bit saves: its BITMAPINFO with the colour table
};

void ReleaseSavePicture(SavePicture* p) {
  if (p->bitmap != nullptr) gp::GdipDisposeImage(p->bitmap);
  if (p->dib != nullptr) DeleteObject(p->dib);
  std::free(p->info);
  *p = SavePicture{};
}

// 32-bit surfaces: the block copied into a buffer, wrapped and cloned in
// `format` (24-bit RGB; 8-bit indexed for encoders that take nothing else).
bool MakePicture32(int width, int height, Gdiplus::PixelFormat format, SavePicture* out) {
  int64_t bytes = static_cast<int64_t>(width) * height * 4;
  if (bytes > kMaxSurfaceBytes) return false;
  auto* buffer = static_cast<BYTE*>(std::malloc(static_cast<size_t>(bytes)));
  if (buffer == nullptr) return false;
  bool made = false;
  if (CopyImageBlock(buffer, 0, 0, width, height) == 0) {
    GpBitmap* wrapper = nullptr;
    if (gp::GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppRGB, buffer,
                                      &wrapper) == Gdiplus::Ok) {
      made = gp::GdipCloneBitmapAreaI(0, 0, width, height, format, wrapper, &out->bitmap) ==
                 Gdiplus::Ok &&
             out->bitmap != nullptr;
      gp::GdipDisposeImage(wrapper);
    }
  }
  std::free(buffer);
  return made;
}

// 8-bit surfaces: a DIB section with the window's colour table holding the
// block row by row at its padded stride.
bool MakePicture8(int width, int height, SavePicture* out) {
  int stride = SurfaceStride(width, 8);
  if (SurfaceBytes(width, height, 8) < 0) return false;
  auto* info = static_cast<DibInfo*>(std::calloc(1, sizeof(DibInfo)));
  if (info == nullptr) return false;
  out->info = info;
  info->header = DibHeader(width, -height, 8);
  info->header.biXPelsPerMeter = 2834;
  info->header.biYPelsPerMeter = 2834;
  ZUL_GetPalette(info->colors);
  void* bits = nullptr;
  out->dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info), DIB_RGB_COLORS, &bits,
                              nullptr, 0);
  if (out->dib == nullptr || bits == nullptr) return false;
  auto* rows = static_cast<BYTE*>(bits);
  for (int y = 0; y < height; ++y) {
    std::memset(rows + static_cast<size_t>(y) * stride, 0, static_cast<size_t>(stride));
    CopyImageBlock(rows + static_cast<size_t>(y) * stride, 0, y, width, 1);
  }
  return gp::GdipCreateBitmapFromGdiDib(reinterpret_cast<BITMAPINFO*>(info), bits, &out->bitmap) ==
             Gdiplus::Ok &&
         out->bitmap != nullptr;
}

// The GIF encoder writes only indexed pictures; the others take 24-bit RGB.
Gdiplus::PixelFormat ClonePixelFormat(int format) {
  return format == 2 ? PixelFormat8bppIndexed : PixelFormat24bppRGB;
}

Gdiplus::GpStatus SavePictureAs(GpBitmap* bitmap, int format, const char* file_name) {
  CLSID encoder;
  FindEncoder(FormatMimeType(format), &encoder);
  wchar_t path[kPathChars];
  AnsiToWide(file_name, path, kPathChars);
  AppendExtension(path, FormatExtension(format));
  Gdiplus::EncoderParameters quality = {};
  const Gdiplus::EncoderParameters* parameters = nullptr;
  if (format == 1) {
    quality.Count = 1;
    quality.Parameter[0].Guid = kEncoderQuality;
    quality.Parameter[0].NumberOfValues = 1;
    quality.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    quality.Parameter[0].Value = &jpeg_quality;
    parameters = &quality;
  }
  return gp::GdipSaveImageToFile(bitmap, path, &encoder, parameters);
}

}  // namespace

}  // namespace zul

using namespace zul;

int jpeg_quality = 100;

int ZUL_LoadImageFile(const char* file_name, int x, int y) {
  ImageWindow* slot = CurrentLiveImage();
  if (slot == nullptr) return 2;
  if (file_name == nullptr) return 1;
  wchar_t path[kPathChars];
  AnsiToWide(file_name, path, kPathChars);
  GpImage* image = nullptr;
  if (gp::GdipLoadImageFromFile(path, &image) != Gdiplus::Ok || image == nullptr) return 1;
  UINT width = 0, height = 0;
  gp::GdipGetImageWidth(image, &width);
  gp::GdipGetImageHeight(image, &height);
  int result = 1;
  if (width != 0 && height != 0 && width <= INT32_MAX && height <= INT32_MAX) {
    if (slot->bits == 8) ApplyFilePalette(image);
    bool loaded = slot->bits == 8 && LoadPictureExact8(image, x, y, width, height);
    if (!loaded) {
      loaded = DrawPicture(slot->memory_dc, image, x, y, width, height);
      ClearReservedBytes(x, y, width, height);  // GDI+ drawing sets the spare byte
    }
    result = loaded ? 0 : 1;
  }
  gp::GdipDisposeImage(image);
  return result;
}

int ZUL_SaveImageFile(int width, int height, int format, const char* file_name) {
  ImageWindow* slot = CurrentLiveImage();
  if (slot == nullptr) return 3;
  if (width <= 0 || height <= 0) return 2;
  if (FormatMimeType(format) == nullptr || file_name == nullptr) return 1;
  SavePicture picture = {};
  bool made = slot->bits == 32 ? MakePicture32(width, height, ClonePixelFormat(format), &picture)
                               : MakePicture8(width, height, &picture);
  int result = 1;
  if (made && SavePictureAs(picture.bitmap, format, file_name) == Gdiplus::Ok) result = 0;
  ReleaseSavePicture(&picture);
  return result;
}
