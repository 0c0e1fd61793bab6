// Whole-image transforms and clipping: invert, flips, rotations, scaling and
// the copy of a dragged rectangle. Worker thread.
//
// Rotations and scalings give the window a new pixel size by making it again
// in its slot. They first check that the new shape can be shown at the
// window's zoom and that the copy of the picture could be made; when the
// window still cannot be made, it is made again at its old size with its
// picture, so a failed command changes nothing.
#include "imagewin/imagewin.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zul {

namespace {

constexpr int kRotationTile = 64;  // pixels per side of the blocks a rotation copies
constexpr int kClipTitleBytes = 512;

// Whether a width x height picture can be shown at the slot's zoom, as
// re-making the window will require.
bool NewShapeFits(int number, int64_t width, int64_t height) {
  if (width < 1 || height < 1 || width > INT_MAX || height > INT_MAX) return false;
  int bits = image_windows[number].bits;
  if (SurfaceBytes(static_cast<int>(width), static_cast<int>(height), bits) < 0) return false;
  ZoomFit fit = FitZoom(ReadScreenMetrics(), static_cast<int>(width), static_cast<int>(height),
                        image_windows[number].zoom);
  return fit.code == 0;
}

// Copies the packed picture `from` (W x H) into the surface (H x W) turned a
// quarter: new pixel (x, y) takes old index first + x * step_x + y * step_y.
// Walks the new picture in square tiles so that both sides stay in the cache.
template <typename Pixel>
void WriteTurned(const Pixel* from, Pixel* to, size_t to_stride, int new_width, int new_height,
                 ptrdiff_t first, ptrdiff_t step_x, ptrdiff_t step_y) {
  for (int ty = 0; ty < new_height; ty += kRotationTile) {
    int y_end = ty + kRotationTile < new_height ? ty + kRotationTile : new_height;
    for (int tx = 0; tx < new_width; tx += kRotationTile) {
      int x_end = tx + kRotationTile < new_width ? tx + kRotationTile : new_width;
      for (int y = ty; y < y_end; ++y) {
        Pixel* row = to + static_cast<size_t>(y) * to_stride;
        const Pixel* source = from + first + y * step_y;
        for (int x = tx; x < x_end; ++x) row[x] = source[x * step_x];
      }
    }
  }
}

// Writes the packed picture of `width` x `height` (old size) into the
// current surface, turned clockwise, counter-clockwise or not at all.
enum class Turn { kNone, kClockwise, kCounterClockwise };

void WritePicture(const void* picture, int width, int height, Turn turn) {
  const ImageSurface& s = image_surfaces[current_image];
  ptrdiff_t w = width, h = height;
  ptrdiff_t first = 0, step_x = 1, step_y = w;  // unturned
  int new_width = width, new_height = height;
  if (turn == Turn::kClockwise) {  // new (x, y) = old (y, H - 1 - x)
    first = (h - 1) * w, step_x = -w, step_y = 1;
    new_width = height, new_height = width;
  } else if (turn == Turn::kCounterClockwise) {  // new (x, y) = old (W - 1 - y, x)
    first = w - 1, step_x = w, step_y = -1;
    new_width = height, new_height = width;
  }
  GdiFlush();
  if (s.bits == 32) {
    WriteTurned(static_cast<const uint32_t*>(picture), reinterpret_cast<uint32_t*>(s.base),
                s.stride / 4, new_width, new_height, first, step_x, step_y);
  } else {
    WriteTurned(static_cast<const uint8_t*>(picture), s.base, s.stride, new_width, new_height,
                first, step_x, step_y);
  }
}

// The packed copy of the current window's whole surface, or null when there
// is no memory for it.
void* CopyWholePicture(int width, int height, int bits) {
  int64_t bytes = int64_t{width} * height * (bits == 32 ? 4 : 1);
  if (bytes > kMaxSurfaceBytes) return nullptr;
  void* picture = std::malloc(static_cast<size_t>(bytes));
  if (picture == nullptr) return nullptr;
  GdiFlush();
  if (CopyImageBlock(picture, 0, 0, width, height) != 0) {
    std::free(picture);
    return nullptr;
  }
  return picture;
}

// A GDI copy of the slot's picture in the surface's own format (a DIB section
// with the same colour table), selected into its own memory context.
struct PictureCopy {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ previous;
};

void ReleasePictureCopy(const PictureCopy& copy) {
  SelectObject(copy.dc, copy.previous);
  DeleteObject(copy.bitmap);
  DeleteDC(copy.dc);
}

bool MakePictureCopy(const ImageWindow& slot, PictureCopy* copy) {
  copy->dc = CreateCompatibleDC(slot.memory_dc);
  copy->bitmap =
      copy->dc ? CreateCompatibleBitmap(slot.memory_dc, slot.width, slot.height) : nullptr;
  if (copy->bitmap == nullptr) {
    if (copy->dc) DeleteDC(copy->dc);
    return false;
  }
  copy->previous = SelectObject(copy->dc, copy->bitmap);
  if (BitBlt(copy->dc, 0, 0, slot.width, slot.height, slot.memory_dc, 0, 0, SRCCOPY)) return true;
  ReleasePictureCopy(*copy);
  return false;
}

}  // namespace

// The dragged rectangle becomes a new window, in the first slot where one
// can be made, at the top left of the screen; it ends current.
void ClippingCommand(HWND window, int number) {
  int left = 0, top = 0, right = 0, bottom = 0;
  int code = ZUL_GetBox(number, &left, &top, &right, &bottom);
  if (!ToolAnsweredInSlot(code, number, window)) return;
  int64_t width = int64_t{right} - left + 1, height = int64_t{bottom} - top + 1;
  if (width < 1 || height < 1 || width > INT_MAX || height > INT_MAX) return;
  char title[kClipTitleBytes];
  snprintf(title, sizeof title, "(%d,%d)-(%d,%d)", left, top, right, bottom);
  const ImageWindow& source = image_windows[number];
  int made = CreateInFirstSlot(title, int(width), int(height), source.bits);
  if (made < 0) return;
  const ImageWindow& clip = image_windows[made];
  if (source.bits == 8) {  // the colours first, so that the blit keeps every index
    RGBQUAD colors[kPaletteEntries] = {};
    GetDIBColorTable(source.memory_dc, 0, kPaletteEntries, colors);
    SetDIBColorTable(clip.memory_dc, 0, kPaletteEntries, colors);
  }
  BitBlt(clip.memory_dc, 0, 0, int(width), int(height), source.memory_dc, left, top, SRCCOPY);
  ZUL_RedrawImage(made);
}

// Each of red, green and blue becomes 255 minus itself (8 bits: the index
// 255 minus itself). Done in memory: GDI's InvertRect would also set the
// unused top byte of 32-bit pixels.
void InvertCommand(HWND, int number) {
  const ImageSurface& s = image_surfaces[number];
  GdiFlush();
  for (unsigned long y = 0; y < s.height; ++y) {
    uint8_t* row = s.base + y * s.stride;
    if (s.bits == 32) {
      uint32_t* words = reinterpret_cast<uint32_t*>(row);
      for (unsigned long x = 0; x < s.width; ++x) words[x] ^= 0xFFFFFFu;  // top byte stays 0
    } else {
      for (unsigned long x = 0; x < s.width; ++x) row[x] = static_cast<uint8_t>(255 - row[x]);
    }
  }
  InvalidateRect(image_windows[number].window, nullptr, FALSE);
}

// Mirrors in the surface memory (exact and several times faster than a
// mirrored StretchBlt): pixel (x, y) takes what (width - 1 - x, y) or
// (x, height - 1 - y) held.
void FlipCommand(HWND, int number, int id) {
  const ImageSurface& s = image_surfaces[number];
  const size_t element = s.bits == 32 ? 4 : 1;
  GdiFlush();
  if (id == kIwHorzFlip) {
    for (unsigned long y = 0; y < s.height; ++y) {
      uint8_t* row = s.base + y * s.stride;
      if (element == 4) {
        std::reverse(reinterpret_cast<uint32_t*>(row), reinterpret_cast<uint32_t*>(row) + s.width);
      } else {
        std::reverse(row, row + s.width);
      }
    }
  } else {
    for (unsigned long y = 0; y < s.height / 2; ++y) {
      uint8_t* top = s.base + y * s.stride;
      std::swap_ranges(top, top + s.width * element, s.base + (s.height - 1 - y) * s.stride);
    }
  }
  InvalidateRect(image_windows[number].window, nullptr, FALSE);
}

void RotateCommand(HWND, int number, int id) {
  const ImageWindow& slot = image_windows[number];
  const int width = slot.width, height = slot.height, bits = slot.bits;
  if (!NewShapeFits(number, height, width)) return;
  void* picture = CopyWholePicture(width, height, bits);
  if (picture == nullptr) return;
  ImageWindowLook look;
  CaptureImageWindowLook(number, &look);
  ZUL_DestroyImage(number);
  if (RemakeImageWindow(number, look, height, width) == 0) {
    WritePicture(picture, width, height,
                 id == kIwRotateRight ? Turn::kClockwise : Turn::kCounterClockwise);
  } else if (RemakeImageWindow(number, look, width, height) == 0) {
    WritePicture(picture, width, height, Turn::kNone);
  }
  std::free(picture);
}

void ScaleCommand(HWND, int number, int per_mille) {
  const ImageWindow& slot = image_windows[number];
  const int width = slot.width, height = slot.height;
  int64_t new_width = (int64_t{width} * per_mille + 500) / 1000;
  int64_t new_height = (int64_t{height} * per_mille + 500) / 1000;
  if (!NewShapeFits(number, new_width, new_height)) return;
  PictureCopy copy;
  if (!MakePictureCopy(slot, &copy)) return;
  ImageWindowLook look;
  CaptureImageWindowLook(number, &look);
  ZUL_DestroyImage(number);
  if (RemakeImageWindow(number, look, static_cast<int>(new_width), static_cast<int>(new_height)) ==
      0) {
    StretchBlt(image_windows[number].memory_dc, 0, 0, static_cast<int>(new_width),
               static_cast<int>(new_height), copy.dc, 0, 0, width, height, SRCCOPY);
  } else if (RemakeImageWindow(number, look, width, height) == 0) {
    BitBlt(image_windows[number].memory_dc, 0, 0, width, height, copy.dc, 0, 0, SRCCOPY);
  }
  // The re-made window is the current one; smoothing may have set top bytes.
  if (ImageWindowLive(number)) ClearReservedBytes(0, 0, UINT_MAX, UINT_MAX);
  ReleasePictureCopy(copy);
}

}  // namespace zul
