// Picture files through GDI+, and the pHYs chunk of a PNG.
#include "batch/picture_file.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// GDI+ after the Windows headers.
#include <gdiplus.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

namespace gp = Gdiplus::DllExports;

namespace {

constexpr size_t kPhysChunkBytes = 4 + 4 + 9 + 4;  // length, type, data, CRC

uint32_t Crc32(const unsigned char* bytes, size_t count) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < count; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = crc >> 1 ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

uint32_t ReadBig(const unsigned char* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

void WriteBig(unsigned char* p, uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(value >> (24 - 8 * i));
}

bool FindPngEncoder(CLSID* encoder) {
  UINT count = 0, bytes = 0;
  if (gp::GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  auto* codecs = static_cast<Gdiplus::ImageCodecInfo*>(std::malloc(bytes));
  bool found = false;
  if (codecs != nullptr && gp::GdipGetImageEncoders(count, bytes, codecs) == Gdiplus::Ok) {
    for (UINT i = 0; i < count && !found; ++i) {
      found = codecs[i].MimeType != nullptr && std::wcscmp(codecs[i].MimeType, L"image/png") == 0;
      if (found) *encoder = codecs[i].Clsid;
    }
  }
  std::free(codecs);
  return found;
}

bool Fail(char* error, size_t error_bytes, const char* reason) {
  std::snprintf(error, error_bytes, "%s", reason);
  return false;
}

// Saves the picture as PNG (24 bits) at `path` through GDI+.
bool SaveWithGdiplus(const wchar_t* path, const Picture& picture) {
  CLSID encoder;
  if (!FindPngEncoder(&encoder)) return false;
  Gdiplus::GpBitmap* wrapper = nullptr;
  Gdiplus::GpBitmap* rgb = nullptr;
  bool saved = false;
  if (gp::GdipCreateBitmapFromScan0(
          picture.width, picture.height, static_cast<INT>(picture.stride * 4), PixelFormat32bppRGB,
          reinterpret_cast<BYTE*>(picture.pixels), &wrapper) == Gdiplus::Ok &&
      gp::GdipCloneBitmapAreaI(0, 0, picture.width, picture.height, PixelFormat24bppRGB, wrapper,
                               &rgb) == Gdiplus::Ok) {
    saved = gp::GdipSaveImageToFile(rgb, path, &encoder, nullptr) == Gdiplus::Ok;
  }
  if (rgb != nullptr) gp::GdipDisposeImage(rgb);
  if (wrapper != nullptr) gp::GdipDisposeImage(wrapper);
  return saved;
}

// Rewrites the PNG at `path` with its resolution set.
bool RecordResolution(const wchar_t* path, int dpi) {
  FILE* file = _wfopen(path, L"rb");
  if (file == nullptr) return false;
  std::fseek(file, 0, SEEK_END);
  long size = std::ftell(file);
  std::fseek(file, 0, SEEK_SET);
  size_t capacity = size > 0 ? static_cast<size_t>(size) + kPhysChunkBytes : 0;
  auto* bytes = static_cast<unsigned char*>(capacity ? std::malloc(capacity) : nullptr);
  bool read = bytes != nullptr &&
              std::fread(bytes, 1, static_cast<size_t>(size), file) == static_cast<size_t>(size);
  std::fclose(file);
  size_t new_size = read ? SetPngResolution(bytes, static_cast<size_t>(size), capacity, dpi) : 0;
  bool written = false;
  if (new_size > 0 && (file = _wfopen(path, L"wb")) != nullptr) {
    written = std::fwrite(bytes, 1, new_size, file) == new_size;
    if (std::fclose(file) != 0) written = false;
  }
  std::free(bytes);
  return written;
}

}  // namespace

bool ReadPictureFile(const wchar_t* path, OwnedPicture* out, char* error, size_t error_bytes) {
  *out = OwnedPicture{Picture{nullptr, 0, 0, 0}, nullptr};
  if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) {
    return Fail(error, error_bytes, "no such file");
  }
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (gp::GdipCreateBitmapFromFile(path, &bitmap) != Gdiplus::Ok || bitmap == nullptr) {
    return Fail(error, error_bytes, "not a picture that can be read");
  }
  UINT width = 0, height = 0;
  gp::GdipGetImageWidth(bitmap, &width);
  gp::GdipGetImageHeight(bitmap, &height);
  bool read = false;
  if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX ||
      !MakePicture(static_cast<int>(width), static_cast<int>(height), out)) {
    Fail(error, error_bytes, "the picture is too large for this process");
  } else {
    Gdiplus::GpRect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData data = {};
    data.Width = width;
    data.Height = height;
    data.Stride = static_cast<INT>(width * 4);
    data.PixelFormat = PixelFormat32bppRGB;
    data.Scan0 = out->picture.pixels;
    read = gp::GdipBitmapLockBits(bitmap, &all,
                                  Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                                  PixelFormat32bppRGB, &data) == Gdiplus::Ok;
    if (read) gp::GdipBitmapUnlockBits(bitmap, &data);
    if (!read) Fail(error, error_bytes, "the picture's pixels cannot be read");
  }
  gp::GdipDisposeImage(bitmap);
  if (!read) {
    FreePicture(out);
    return false;
  }
  for (int y = 0; y < out->picture.height; ++y) {
    uint32_t* row = PictureRow(out->picture, y);
    for (int x = 0; x < out->picture.width; ++x) row[x] &= 0xFFFFFF;
  }
  return true;
}

bool WritePng(const wchar_t* path, const Picture& picture, int dpi, char* error,
              size_t error_bytes) {
  std::wstring part = std::wstring(path) + L".part";
  bool made = SaveWithGdiplus(part.c_str(), picture) &&
              (dpi <= 0 || RecordResolution(part.c_str(), dpi)) &&
              MoveFileExW(part.c_str(), path, MOVEFILE_REPLACE_EXISTING) != 0;
  if (!made) {
    DeleteFileW(part.c_str());
    return Fail(error, error_bytes, "cannot write the PNG file");
  }
  return true;
}

size_t SetPngResolution(unsigned char* png, size_t size, size_t capacity, int dpi) {
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size < 8 + 25 || std::memcmp(png, kSignature, 8) != 0 ||
      std::memcmp(png + 12, "IHDR", 4) != 0 || ReadBig(png + 8) != 13) {
    return 0;
  }
  // Drop every pHYs chunk there is.
  size_t at = 8;
  while (at + 12 <= size) {
    uint32_t length = ReadBig(png + at);
    if (length > size - at - 12) return 0;  // a chunk running past the end
    size_t chunk = 12 + length;
    if (std::memcmp(png + at + 4, "pHYs", 4) == 0) {
      std::memmove(png + at, png + at + chunk, size - at - chunk);
      size -= chunk;
    } else {
      at += chunk;
    }
  }
  if (size + kPhysChunkBytes > capacity) return 0;
  // The new one right after IHDR (8 + 25 bytes in).
  const size_t place = 8 + 25;
  std::memmove(png + place + kPhysChunkBytes, png + place, size - place);
  unsigned char* chunk = png + place;
  uint32_t per_metre = static_cast<uint32_t>(int64_t{dpi} * 10000 / 254);
  WriteBig(chunk, 9);
  std::memcpy(chunk + 4, "pHYs", 4);
  WriteBig(chunk + 8, per_metre);
  WriteBig(chunk + 12, per_metre);
  chunk[16] = 1;  // the unit is the metre
  WriteBig(chunk + 17, Crc32(chunk + 4, 13));
  return size + kPhysChunkBytes;
}
