// The table of image windows, the surface descriptors the pixel calls read,
// and the current image window with its history.
#include "surfaces/surfaces.h"

#include <cstring>

namespace zul {

// Owned by the worker thread, which alone creates and destroys image windows
// and changes the current one. The main window thread reads `in_use` and the
// window handles to choose free numbers, and pops the history after its paste
// and drops, while the worker is idle between the requests it has made.
ImageWindow image_windows[kImageSlots];
uint32_t* pixels[kImageSlots];
uint8_t* pixels8[kImageSlots];
const ImageSurface* current_surface = &image_surfaces[0];
int32_t image_history_ring[kImageHistory];
uint32_t image_history_top;

namespace {

void MakeCurrent(int number) {
  current_image = number;
  current_surface = &image_surfaces[number];
}

}  // namespace

void ClearImageTable() {
  for (int n = 0; n < kImageSlots; ++n) {
    image_windows[n] = ImageWindow{};
    WithdrawSurface(n);
  }
  MakeCurrent(0);
  for (int32_t& entry : image_history_ring) entry = 0;
  image_history_top = 0;
}

bool ImageNumberValid(int number) { return static_cast<uint32_t>(number) < kImageSlots; }

bool ImageWindowLive(int number) {
  return ImageNumberValid(number) && image_windows[number].in_use != 0;
}

int FindImageWindow(HWND window) {
  if (window == nullptr) return -1;
  for (int n = 0; n < kImageSlots; ++n) {
    if (image_windows[n].in_use && image_windows[n].window == window) return n;
  }
  return -1;
}

ImageWindow* CurrentLiveImage() {
  return ImageWindowLive(current_image) ? &image_windows[current_image] : nullptr;
}

void PublishSurface(int number) {
  if (!ImageNumberValid(number)) return;
  const ImageWindow& slot = image_windows[number];
  BITMAP info = {};
  if (slot.dib == nullptr || GetObjectW(slot.dib, sizeof info, &info) == 0 ||
      info.bmBits == nullptr) {
    WithdrawSurface(number);
    return;
  }
  uint8_t* base = static_cast<uint8_t*>(info.bmBits);
  pixels[number] = reinterpret_cast<uint32_t*>(base);
  pixels8[number] = base;
  ImageSurface& s = image_surfaces[number];
  s.base = base;
  s.width = static_cast<unsigned long>(slot.width);
  s.height = static_cast<unsigned long>(slot.height);
  s.stride = static_cast<unsigned long>(SurfaceStride(slot.width, slot.bits));
  s.bits = slot.bits;
}

void WithdrawSurface(int number) {
  if (!ImageNumberValid(number)) return;
  pixels[number] = nullptr;
  pixels8[number] = nullptr;
  image_surfaces[number] = ImageSurface{nullptr, 0, 0, 0, 32};
}

namespace {

// Entry i + 1 becomes entry i; entry 7 keeps its value (it is copied into the
// place that becomes entry 7).
void PopImageHistory() {
  image_history_ring[image_history_top] = ImageHistoryEntry(7);
  image_history_top = (image_history_top + 1u) & 7u;
}

}  // namespace

}  // namespace zul

using namespace zul;

ImageSurface image_surfaces[kImageSlots];
int32_t current_image;

int ZUL_RestoreImage() {
  int previous = ImageHistoryEntry(0);
  if (!ImageWindowLive(previous)) return 1;
  MakeCurrent(previous);
  PopImageHistory();
  return 0;
}

HWND ZUL_GetImageWindow(int number) {
  return ImageWindowLive(number) ? image_windows[number].window : nullptr;
}
