// Whole-image transforms and clipping: invert, flips, rotations, scaling and
// the copy of a dragged rectangle. Worker thread.
//
// Rotations and scalings give the window a new pixel size in a new surface,
// filled from the old one beside it, which the window then takes at once
// (window, position, title, stretch mode and colour table stay). When the
// new surface cannot be made, or not shown at any zoom, nothing changes.
#include "imagewin/imagewin.h"

#include "core/parallel.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

namespace zul {

namespace {

constexpr int kRotationTile = 64;  // pixels per side of the blocks a rotation copies
constexpr int kRowsPerPiece = 32;  // old rows per piece of a doubling
constexpr int kClipTitleBytes = 512;

// A quarter turn of the old picture (`width` x `height`, rows `from_stride`
// pixels apart) into the new one (height x width): clockwise, new (x, y) =
// old (y, height - 1 - x); counter-clockwise, new (x, y) = old (width - 1 -
// y, x).
template <typename Pixel>
struct Turn {
  const Pixel* from;
  size_t from_stride;
  Pixel* to;
  size_t to_stride;
  int width, height;
  bool clockwise;
};

// Bands [first, end) of kRotationTile new rows of a turn, each walked in
// square tiles so that both sides stay in the cache.
template <typename Pixel>
void WriteTurnedBands(void* context, int first, int end) {
  const Turn<Pixel>& t = *static_cast<const Turn<Pixel>*>(context);
  const ptrdiff_t w = static_cast<ptrdiff_t>(t.from_stride);
  const ptrdiff_t origin = t.clockwise ? (t.height - 1) * w : t.width - 1;
  const ptrdiff_t step_x = t.clockwise ? -w : w, step_y = t.clockwise ? 1 : -1;
  const int new_width = t.height, new_height = t.width;
  for (int band = first; band < end; ++band) {
    const int ty = band * kRotationTile, y_end = std::min(ty + kRotationTile, new_height);
    for (int tx = 0; tx < new_width; tx += kRotationTile) {
      const int x_end = std::min(tx + kRotationTile, new_width);
      for (int y = ty; y < y_end; ++y) {
        Pixel* row = t.to + static_cast<size_t>(y) * t.to_stride;
        const Pixel* source = t.from + origin + y * step_y;
        for (int x = tx; x < x_end; ++x) row[x] = source[x * step_x];
      }
    }
  }
}

// The whole turn, its bands on every core.
template <typename Pixel>
void WriteTurned(Turn<Pixel> turn) {
  const int bands = (turn.width + kRotationTile - 1) / kRotationTile;
  ForEachPiece(bands, 1, WriteTurnedBands<Pixel>, &turn);
}

// Twice the size: old pixel (x, y) becomes new (2x .. 2x + 1, 2y .. 2y + 1),
// as StretchBlt enlarges in every mode but HALFTONE.
struct Doubling {
  const ImageSurface* from;
  const ImageSurface* to;
};

// Old rows [first, end) of a doubling.
template <typename Pixel>
void WriteDoubledRows(void* context, int first, int end) {
  const Doubling& d = *static_cast<const Doubling*>(context);
  for (int y = first; y < end; ++y) {
    const Pixel* row = reinterpret_cast<const Pixel*>(d.from->base + y * d.from->stride);
    Pixel* top = reinterpret_cast<Pixel*>(d.to->base + 2 * y * d.to->stride);
    for (unsigned long x = 0; x < d.from->width; ++x) top[2 * x] = top[2 * x + 1] = row[x];
    std::memcpy(d.to->base + (2 * y + 1) * d.to->stride, top, 2 * d.from->width * sizeof(Pixel));
  }
}

template <typename Pixel>
void WriteDoubled(const ImageSurface& from, const ImageSurface& to) {
  Doubling doubling = {&from, &to};
  ForEachPiece(static_cast<int>(from.height), kRowsPerPiece, WriteDoubledRows<Pixel>, &doubling);
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
  const int width = slot.width, height = slot.height;
  NextSurface next;
  if (MakeNextSurface(number, height, width, &next) != 0) return;  // nothing changes
  GdiFlush();
  const ImageSurface& now = image_surfaces[number];
  const bool clockwise = id == kIwRotateRight;
  if (slot.bits == 32) {
    WriteTurned(Turn<uint32_t>{reinterpret_cast<const uint32_t*>(now.base), now.stride / 4,
                               reinterpret_cast<uint32_t*>(next.surface.base),
                               next.surface.stride / 4, width, height, clockwise});
  } else {
    WriteTurned(Turn<uint8_t>{now.base, now.stride, next.surface.base, next.surface.stride, width,
                              height, clockwise});
  }
  AdoptNextSurface(number, &next);
}

void ScaleCommand(HWND, int number, int per_mille) {
  const ImageWindow& slot = image_windows[number];
  const int width = slot.width, height = slot.height;
  int64_t new_width = (int64_t{width} * per_mille + 500) / 1000;
  int64_t new_height = (int64_t{height} * per_mille + 500) / 1000;
  if (new_width < 1 || new_height < 1 || new_width > INT_MAX || new_height > INT_MAX) return;
  NextSurface next;
  if (MakeNextSurface(number, static_cast<int>(new_width), static_cast<int>(new_height), &next) !=
      0) {
    return;  // nothing changes
  }
  if (per_mille == 2000 && GetStretchBltMode(slot.memory_dc) != HALFTONE) {
    GdiFlush();
    const ImageSurface& now = image_surfaces[number];
    slot.bits == 32 ? WriteDoubled<uint32_t>(now, next.surface)
                    : WriteDoubled<uint8_t>(now, next.surface);
  } else {
    StretchBlt(next.dc, 0, 0, static_cast<int>(new_width), static_cast<int>(new_height),
               slot.memory_dc, 0, 0, width, height, SRCCOPY);
  }
  AdoptNextSurface(number, &next);
  // Smoothing may have set top bytes.
  ClearReservedBytes(0, 0, UINT_MAX, UINT_MAX);
}

}  // namespace zul
