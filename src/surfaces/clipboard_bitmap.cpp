// Pictures from the clipboard and pasting a bitmap into the current surface.
#include "surfaces/surfaces.h"

#include <cstring>

namespace zul {

namespace {

bool SupportedBitCount(int bit_count) {
  return bit_count == 1 || bit_count == 4 || bit_count == 8 || bit_count == 16 || bit_count == 24 ||
         bit_count == 32;
}

// Bytes of pixel data a DIB header describes, or -1 when it makes no sense.
int64_t DibPixelBytes(const BITMAPINFOHEADER& h) {
  if (h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1) return -1;
  if (!SupportedBitCount(h.biBitCount)) return -1;
  int64_t height = h.biHeight < 0 ? -static_cast<int64_t>(h.biHeight) : h.biHeight;
  int64_t stride = (static_cast<int64_t>(h.biWidth) * h.biBitCount + 31) / 32 * 4;
  return stride * height;
}

// A picture of 8 bits or less stays a DIB section with its own colour table,
// so that a blit into a surface with the same table keeps every index (a
// bitmap in the screen's format would round the colours).
HBITMAP PalettedBitmap(const DibInfo& info, const uint8_t* bits, int64_t pixel_bytes) {
  void* base = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info),
                                    DIB_RGB_COLORS, &base, nullptr, 0);
  if (bitmap == nullptr || base == nullptr) return bitmap;
  std::memcpy(base, bits, static_cast<size_t>(pixel_bytes));
  return bitmap;
}

// Makes a bitmap from a locked CF_DIB block of `size` bytes; reads nothing
// beyond the block.
HBITMAP BitmapFromDibBlock(const uint8_t* block, size_t size, RGBQUAD* colors, int* count) {
  if (size < sizeof(BITMAPINFOHEADER)) return nullptr;
  // A copy of the header with a colour table (or the three bit-field masks)
  // of at most 256 entries.
  DibInfo info = {};
  std::memcpy(&info.header, block, sizeof(BITMAPINFOHEADER));
  const BITMAPINFOHEADER& h = info.header;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size) return nullptr;
  if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) return nullptr;
  int64_t pixel_bytes = DibPixelBytes(h);
  if (pixel_bytes < 0) return nullptr;

  int64_t table_entries = 0;  // entries that really sit between header and bits
  int copied = 0;
  if (h.biBitCount <= 8) {
    table_entries = h.biClrUsed != 0 ? h.biClrUsed : (int64_t{1} << h.biBitCount);
    copied = static_cast<int>(table_entries < kPaletteEntries ? table_entries : kPaletteEntries);
  } else if (h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER)) {
    table_entries = 3;  // the red, green and blue masks follow a plain header
  }
  int64_t bits_offset = static_cast<int64_t>(h.biSize) + table_entries * 4;
  if (bits_offset + pixel_bytes > static_cast<int64_t>(size)) return nullptr;

  if (h.biBitCount <= 8) {
    std::memcpy(info.colors, block + h.biSize, static_cast<size_t>(copied) * 4);
  } else if (h.biCompression == BI_BITFIELDS) {
    // The masks sit right after the first 40 bytes, inside a longer header or after a plain one.
    if (sizeof(BITMAPINFOHEADER) + 12 > size) return nullptr;
    std::memcpy(info.colors, block + sizeof(BITMAPINFOHEADER), 12);
  }
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  if (h.biBitCount <= 8) info.header.biClrUsed = static_cast<DWORD>(copied);
  if (colors != nullptr) std::memcpy(colors, info.colors, static_cast<size_t>(copied) * 4);
  *count = copied;

  if (h.biBitCount <= 8) return PalettedBitmap(info, block + bits_offset, pixel_bytes);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBitmap(screen, &info.header, CBM_INIT, block + bits_offset,
                                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

HBITMAP BitmapFromClipboardDib(RGBQUAD* colors, int* count) {
  if (!OpenClipboard(nullptr)) return nullptr;
  HBITMAP bitmap = nullptr;
  HANDLE data = GetClipboardData(CF_DIB);
  const uint8_t* block = data != nullptr ? static_cast<const uint8_t*>(GlobalLock(data)) : nullptr;
  if (block != nullptr) {
    bitmap = BitmapFromDibBlock(block, GlobalSize(data), colors, count);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return bitmap;
}

HBITMAP CopyOfClipboardBitmap() {
  if (!OpenClipboard(nullptr)) return nullptr;
  HBITMAP copy = nullptr;
  HANDLE data = GetClipboardData(CF_BITMAP);
  if (data != nullptr) {
    copy = static_cast<HBITMAP>(CopyImage(data, IMAGE_BITMAP, 0, 0, LR_COPYRETURNORG));
  }
  CloseClipboard();
  return copy;
}

}  // namespace

HBITMAP GetClipboardBitmap(RGBQUAD* colors, int* count) {
  int ignored = 0;
  if (count == nullptr) count = &ignored;
  *count = 0;
  if (IsClipboardFormatAvailable(CF_DIB)) return BitmapFromClipboardDib(colors, count);
  if (IsClipboardFormatAvailable(CF_BITMAP)) return CopyOfClipboardBitmap();
  return nullptr;
}

void PasteBitmapToImage(HBITMAP bitmap) {
  if (bitmap == nullptr) return;
  const ImageWindow* slot = CurrentLiveImage();
  if (slot != nullptr) {
    HDC source = CreateCompatibleDC(slot->memory_dc);
    HGDIOBJ previous = SelectObject(source, bitmap);
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    BitBlt(slot->memory_dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    ClearReservedBytes(0, 0, static_cast<UINT>(info.bmWidth), static_cast<UINT>(info.bmHeight));
    SelectObject(source, previous);
    DeleteDC(source);
  }
  DeleteObject(bitmap);
}

}  // namespace zul
