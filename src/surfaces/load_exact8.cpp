// Loading a picture into an 8-bit surface: every pixel becomes the nearest
// entry of the window's colour table, worked out here rather than left to the
// platform's drawing, which may quantise. Pixels are read from the decoded
// picture band by band as 32-bit ARGB; partly transparent ones are mixed with
// the colour already in the surface, fully transparent ones leave it as it is.
#include <algorithm>
#include <cstdlib>

#include "surfaces/surfaces.h"

#include <gdiplus.h>

namespace zul {

namespace gp = Gdiplus::DllExports;

namespace {

constexpr int64_t kBandPixels = 1 << 18;  // pixels read per band

struct Clip {
  int left, top, right, bottom;  // surface coordinates, right and bottom exclusive
};

// The part of the surface that a width x height picture drawn at (x, y) covers.
Clip VisiblePart(const ImageSurface& s, int x, int y, UINT width, UINT height) {
  int64_t right = std::min<int64_t>(static_cast<int64_t>(x) + width, s.width);
  int64_t bottom = std::min<int64_t>(static_cast<int64_t>(y) + height, s.height);
  return Clip{std::max(x, 0), std::max(y, 0), static_cast<int>(std::max<int64_t>(right, 0)),
              static_cast<int>(std::max<int64_t>(bottom, 0))};
}

uint32_t TableColour(const RGBQUAD& q) {
  return static_cast<uint32_t>(q.rgbRed) << 16 | static_cast<uint32_t>(q.rgbGreen) << 8 | q.rgbBlue;
}

// `over` (alpha 1-254) laid over the opaque colour `under`, channel by channel.
uint32_t MixOver(uint32_t over, uint32_t under) {
  uint32_t alpha = over >> 24, mixed = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    uint32_t a = (over >> shift) & 0xFF, b = (under >> shift) & 0xFF;
    mixed |= ((a * alpha + b * (255 - alpha) + 127) / 255) << shift;
  }
  return mixed;
}

void MapRow(const uint32_t* argb, uint8_t* row, int count, const RGBQUAD* table,
            NearestEntryMap* map) {
  uint32_t all = 0xFFFFFFFFu;
  for (int i = 0; i < count; ++i) all &= argb[i];
  if (all >> 24 == 255) {  // opaque throughout, as most pictures are
    NearestEntriesOfRow(map, argb, row, count);
    return;
  }
  for (int i = 0; i < count; ++i) {
    uint32_t pixel = argb[i];
    uint32_t alpha = pixel >> 24;
    if (alpha == 255) {
      row[i] = NearestEntry(map, pixel);
    } else if (alpha != 0) {
      row[i] = NearestEntry(map, MixOver(pixel, TableColour(table[row[i]])));
    }
  }
}

// Reads the picture's rows [first, first + rows) of the visible columns into
// `buffer` and maps them into the surface.
bool MapBand(Gdiplus::GpBitmap* bitmap, const Clip& clip, int x, int y, int first, int rows,
             uint32_t* buffer, const RGBQUAD* table, NearestEntryMap* map) {
  const ImageSurface& s = image_surfaces[current_image];
  int columns = clip.right - clip.left;
  Gdiplus::GpRect source(clip.left - x, first - y, columns, rows);
  Gdiplus::BitmapData data = {};
  data.Width = static_cast<UINT>(columns);
  data.Height = static_cast<UINT>(rows);
  data.Stride = columns * 4;
  data.PixelFormat = PixelFormat32bppARGB;
  data.Scan0 = buffer;
  if (gp::GdipBitmapLockBits(bitmap, &source,
                             Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                             PixelFormat32bppARGB, &data) != Gdiplus::Ok) {
    return false;
  }
  for (int r = 0; r < rows; ++r) {
    MapRow(buffer + static_cast<int64_t>(r) * columns, s.base + (first + r) * s.stride + clip.left,
           columns, table, map);
  }
  gp::GdipBitmapUnlockBits(bitmap, &data);
  return true;
}

}  // namespace

bool LoadPictureExact8(Gdiplus::GpImage* image, int x, int y, UINT width, UINT height) {
  Gdiplus::ImageType type = Gdiplus::ImageTypeUnknown;
  if (gp::GdipGetImageType(image, &type) != Gdiplus::Ok || type != Gdiplus::ImageTypeBitmap) {
    return false;
  }
  const ImageSurface& s = image_surfaces[current_image];
  Clip clip = VisiblePart(s, x, y, width, height);
  if (clip.left >= clip.right || clip.top >= clip.bottom) return true;
  int columns = clip.right - clip.left;
  int band =
      static_cast<int>(std::clamp<int64_t>(kBandPixels / columns, 1, clip.bottom - clip.top));
  RGBQUAD table[kPaletteEntries];
  ZUL_GetPalette(table);
  NearestEntryMap map;
  auto* buffer = static_cast<uint32_t*>(std::malloc(static_cast<size_t>(columns) * band * 4));
  bool mapped = buffer != nullptr && PrepareNearestEntryMap(table, &map);
  if (mapped) {
    GdiFlush();
    auto* bitmap = static_cast<Gdiplus::GpBitmap*>(image);
    for (int first = clip.top; mapped && first < clip.bottom; first += band) {
      int rows = std::min(band, clip.bottom - first);
      mapped = MapBand(bitmap, clip, x, y, first, rows, buffer, table, &map);
    }
    ReleaseNearestEntryMap(&map);
  }
  std::free(buffer);
  return mapped;
}

}  // namespace zul
