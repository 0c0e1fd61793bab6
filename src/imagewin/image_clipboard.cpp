// Pictures between image windows and the clipboard: the CF_DIB export, and
// the paste at a given or a mouse-placed position. Worker thread.
#include "imagewin/imagewin.h"

#include <cstring>

namespace zul {

namespace {

constexpr int kDibHeaderBytes = sizeof(BITMAPINFOHEADER);            // 40
constexpr int kColorTableBytes = kPaletteEntries * sizeof(RGBQUAD);  // 1024

// Bytes per row of the exported DIB: 24 bits for a 32-bit window, else 8.
int64_t ExportStride(int width, int bits) {
  int64_t bytes = bits == 32 ? int64_t{width} * 3 : width;
  return (bytes + 3) & ~int64_t{3};
}

// Writes header, colour table (8 bits) and the rows bottom-up into `block`.
void WriteDibBlock(const ImageWindow& slot, const ImageSurface& s, uint8_t* block) {
  BITMAPINFOHEADER header = DibHeader(slot.width, slot.height, slot.bits == 32 ? 24 : 8);
  std::memcpy(block, &header, sizeof header);
  uint8_t* rows = block + kDibHeaderBytes;
  if (slot.bits == 8) {
    RGBQUAD colors[kPaletteEntries] = {};
    GetDIBColorTable(slot.memory_dc, 0, kPaletteEntries, colors);
    std::memcpy(rows, colors, kColorTableBytes);
    rows += kColorTableBytes;
  }
  const size_t stride = static_cast<size_t>(ExportStride(slot.width, slot.bits));
  GdiFlush();
  for (int y = 0; y < slot.height; ++y) {
    const uint8_t* from = s.base + static_cast<size_t>(slot.height - 1 - y) * s.stride;
    uint8_t* to = rows + y * stride;
    std::memset(to, 0, stride);
    if (slot.bits == 8) {
      std::memcpy(to, from, static_cast<size_t>(slot.width));
      continue;
    }
    for (int x = 0; x < slot.width; ++x) std::memcpy(to + 3 * x, from + 4 * x, 3);  // B, G, R
  }
}

// Puts slot `number`'s picture on the clipboard; false when it did not get
// there (no slot, no memory, the clipboard held by another program). The
// block is made before the clipboard is emptied, so a failure keeps what the
// clipboard held.
bool CopyImageToClipboard(int number) {
  if (!ImageWindowLive(number)) return false;
  const ImageWindow& slot = image_windows[number];
  int64_t bytes = kDibHeaderBytes + (slot.bits == 8 ? kColorTableBytes : 0) +
                  ExportStride(slot.width, slot.bits) * slot.height;
  if (!OpenClipboard(nullptr)) return false;
  HGLOBAL block = bytes <= kMaxSurfaceBytes
                      ? GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<SIZE_T>(bytes))
                      : nullptr;
  uint8_t* data = block != nullptr ? static_cast<uint8_t*>(GlobalLock(block)) : nullptr;
  if (data == nullptr) {
    if (block != nullptr) GlobalFree(block);
    CloseClipboard();
    ZUL_Pause("No enough memory for copy");
    return false;
  }
  WriteDibBlock(slot, image_surfaces[number], data);
  GlobalUnlock(block);
  EmptyClipboard();
  bool handed_over = SetClipboardData(CF_DIB, block) != nullptr;
  if (!handed_over) GlobalFree(block);  // the clipboard did not take it
  CloseClipboard();
  return handed_over;
}

// Draws the bitmap selected in `source` (w x h) at (x, y) of the slot, after
// the colour table entries the clipboard picture carried.
void DrawPastedBitmap(int number, HDC source, int w, int h, int x, int y, const RGBQUAD* colors,
                      int count) {
  const ImageWindow& slot = image_windows[number];
  if (count > 0) SetDIBColorTable(slot.memory_dc, 0, static_cast<UINT>(count), colors);
  BitBlt(slot.memory_dc, x, y, w, h, source, 0, 0, SRCCOPY);
  // A 32-bit picture may carry alpha; the surface keeps 0x00RRGGBB.
  if (ZUL_SelectImage(number) == 0) {
    ClearReservedBytes(x, y, static_cast<UINT>(w), static_cast<UINT>(h));
    ZUL_RestoreImage();
  }
  InvalidateRect(slot.window, nullptr, FALSE);
}

}  // namespace

void CutImageCommand(HWND window, int number) {
  if (!CopyImageToClipboard(number)) return;  // the picture stays where it is
  ZUL_ClearImage(number);
  InvalidateRect(window, nullptr, FALSE);
}

void CopyImageCommand(HWND, int number) { ZUL_CopyImage(number); }

void PasteImageCommand(HWND, int number, bool at_top_left) {
  if (at_top_left) {
    ZUL_PasteImage(number, 0, 0);
  } else {
    ZUL_PasteImage(number, -1, -1);
  }
}

}  // namespace zul

using namespace zul;

void ZUL_CopyImage(int number) { CopyImageToClipboard(number); }

void ZUL_PasteImage(int number, int x, int y) {
  if (!ImageWindowLive(number)) return;
  RGBQUAD colors[kPaletteEntries];
  int count = 0;
  HBITMAP bitmap = GetClipboardBitmap(colors, &count);
  if (bitmap == nullptr) return;
  const HWND window = image_windows[number].window;
  HDC source = CreateCompatibleDC(image_windows[number].memory_dc);
  HGDIOBJ previous = source != nullptr ? SelectObject(source, bitmap) : nullptr;
  BITMAP info = {};
  GetObjectW(bitmap, sizeof info, &info);
  bool place = source != nullptr;
  if (place && (x == -1 || y == -1)) {
    int cx = 0, cy = 0;
    int code = ZUL_PlaceBox(number, info.bmWidth, info.bmHeight, &cx, &cy);
    place = ToolAnsweredInSlot(code, number, window);
    x = cx - info.bmWidth / 2;
    y = cy - info.bmHeight / 2;
  }
  if (place) DrawPastedBitmap(number, source, info.bmWidth, info.bmHeight, x, y, colors, count);
  if (source != nullptr) {
    SelectObject(source, previous);
    DeleteDC(source);
  }
  DeleteObject(bitmap);
}
