// Making image windows for the commands: again in a slot, with what the old
// window looked like read before it is destroyed; or in the first free slot.
#include "imagewin/imagewin.h"

#include <cstdio>

namespace zul {

void CaptureImageWindowLook(int number, ImageWindowLook* look) {
  const ImageWindow& slot = image_windows[number];
  snprintf(look->title, sizeof look->title, "%s", slot.title != nullptr ? slot.title : "");
  look->bits = slot.bits;
  RECT outer;
  GetWindowRect(slot.window, &outer);
  look->left = outer.left;
  look->top = outer.top;
  look->zoom = slot.zoom;
  look->stretch_mode = GetStretchBltMode(slot.window_dc);
  for (RGBQUAD& color : look->colors) color = RGBQUAD{};
  if (look->bits == 8) GetDIBColorTable(slot.memory_dc, 0, kPaletteEntries, look->colors);
}

int RemakeImageWindow(int number, const ImageWindowLook& look, int width, int height) {
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  int code = CreateImageWindow(number, look.title, look.left, look.top, width, height, look.zoom,
                               look.bits);
  if (code != 0) return code;
  if (look.bits == 8) {
    SetDIBColorTable(image_windows[number].memory_dc, 0, kPaletteEntries, look.colors);
  }
  ZUL_SetStretchMode(look.stretch_mode, number);
  return 0;
}

void ResizeToView(const ImageWindow& slot, int view_width, int view_height) {
  RECT outer;
  GetWindowRect(slot.window, &outer);
  int width = outer.right - outer.left + view_width - slot.view_width;
  int height = outer.bottom - outer.top + view_height - slot.view_height;
  // The whole view is drawn again: the old client pixels need not be kept.
  SetWindowPos(slot.window, nullptr, 0, 0, width, height,
               SWP_NOZORDER | SWP_NOMOVE | SWP_SHOWWINDOW | SWP_NOCOPYBITS | SWP_DEFERERASE);
}

int MakeNextSurface(int number, int width, int height, NextSurface* next) {
  *next = NextSurface{};
  const ImageWindow& slot = image_windows[number];
  next->fit = FitZoom(ReadScreenMetrics(), width, height, slot.zoom);
  if (next->fit.code != 0) return next->fit.code;
  void* base = nullptr;
  next->dib = TakeSpareSurface(next->fit.width, next->fit.height, slot.bits, &base);
  if (!next->dib)
    next->dib = CreateSurfaceBitmap(next->fit.width, next->fit.height, slot.bits, &base);
  next->dc = next->dib ? CreateCompatibleDC(slot.memory_dc) : nullptr;
  if (!next->dc) {
    DropNextSurface(next);
    return 3;
  }
  next->previous = SelectObject(next->dc, next->dib);
  SetStretchBltMode(next->dc, GetStretchBltMode(slot.memory_dc));
  SetBrushOrgEx(next->dc, 0, 0, nullptr);
  if (slot.bits == 8) {  // the colours first, so that a blit keeps every index
    RGBQUAD colors[kPaletteEntries];
    GetDIBColorTable(slot.memory_dc, 0, kPaletteEntries, colors);
    SetDIBColorTable(next->dc, 0, kPaletteEntries, colors);
  }
  next->surface = ImageSurface{
      static_cast<uint8_t*>(base), static_cast<unsigned long>(next->fit.width),
      static_cast<unsigned long>(next->fit.height),
      static_cast<unsigned long>(SurfaceStride(next->fit.width, slot.bits)), slot.bits};
  return 0;
}

void DropNextSurface(NextSurface* next) {
  if (next->dc) {
    SelectObject(next->dc, next->previous);
    DeleteDC(next->dc);
  }
  if (next->dib) DeleteObject(next->dib);
  *next = NextSurface{};
}

void AdoptNextSurface(int number, NextSurface* next) {
  ImageWindow& slot = image_windows[number];
  SelectObject(next->dc, next->previous);
  DeleteDC(next->dc);
  GdiFlush();
  SelectObject(slot.memory_dc, next->dib);
  KeepSpareSurface(slot.dib, image_surfaces[number]);
  slot.dib = next->dib;
  slot.width = next->fit.width;
  slot.height = next->fit.height;
  const bool new_zoom = slot.zoom != next->fit.zoom;
  slot.zoom = next->fit.zoom;
  // Messages that the resizing sends find no slot meanwhile.
  slot.in_use = 0;
  ResizeToView(slot, next->fit.view_width, next->fit.view_height);
  slot.in_use = 1;
  slot.view_width = next->fit.view_width;
  slot.view_height = next->fit.view_height;
  *next = NextSurface{};
  PublishSurface(number);
  if (new_zoom) UpdateImageTitle(number);  // the caption shows the zoom
  InvalidateRect(slot.window, nullptr, FALSE);
  RebuildSnapRects();
  int monitor = PresentationMonitorOf(number);
  if (monitor > 0) ZUL_PresentImage(number, monitor);  // at the new size
}

int CreateInFirstSlot(const char* title, int width, int height, int bits) {
  for (int n = 0; n < kImageSlots; ++n) {
    if (CreateImageWindow(n, title, 0, 0, width, height, 100, bits) == 0) return n;
  }
  return -1;
}

}  // namespace zul
