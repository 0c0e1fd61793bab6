// The table of image windows, the surface descriptors the pixel calls read,
// and the current image window with its history.
#include "surfaces/surfaces.h"

#include <cstring>

ImageWindow image_windows[kImageSlots];
uint32_t* pixels[kImageSlots];
uint8_t* pixels8[kImageSlots];
ImageSurface image_surfaces[kImageSlots];
int32_t current_image;
int32_t image_history[kImageHistory];

void ClearImageTable() {
  for (int n = 0; n < kImageSlots; ++n) {
    image_windows[n] = ImageWindow{};
    WithdrawSurface(n);
  }
  current_image = 0;
  for (int32_t& entry : image_history) entry = 0;
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
  if (slot.dib == nullptr || GetObjectW(slot.dib, sizeof info, &info) == 0 || info.bmBits == nullptr) {
    WithdrawSurface(number);
    return;
  }
  uint8_t* base = static_cast<uint8_t*>(info.bmBits);
  pixels[number] = reinterpret_cast<uint32_t*>(base);
  pixels8[number] = base;
  ImageSurface& s = image_surfaces[number];
  s.base = base;
  s.width = static_cast<uint32_t>(slot.width);
  s.height = static_cast<uint32_t>(slot.height);
  s.stride = static_cast<uint32_t>(SurfaceStride(slot.width, slot.bits));
  s.bits = slot.bits;
}

void WithdrawSurface(int number) {
  if (!ImageNumberValid(number)) return;
  pixels[number] = nullptr;
  pixels8[number] = nullptr;
  image_surfaces[number] = ImageSurface{nullptr, 0, 0, 0, 32};
}

namespace {

// The history moves by plain register copies (a library call per move would
// dominate: the application switches windows for every pixel it reads).
static_assert(kImageHistory == 8, "the history moves below are written out for 8 entries");

void PushImageHistory(int32_t number) {
  int32_t* h = image_history;
  h[7] = h[6];
  h[6] = h[5];
  h[5] = h[4];
  h[4] = h[3];
  h[3] = h[2];
  h[2] = h[1];
  h[1] = h[0];
  h[0] = number;
}

// Entry i + 1 moves to i; entry 7 keeps its value.
void PopImageHistory() {
  int32_t* h = image_history;
  h[0] = h[1];
  h[1] = h[2];
  h[2] = h[3];
  h[3] = h[4];
  h[4] = h[5];
  h[5] = h[6];
  h[6] = h[7];
}

}  // namespace

int ZUL_SelectImage(int number) {
  if (!ImageWindowLive(number)) return 1;
  PushImageHistory(current_image);
  current_image = number;
  return 0;
}

int ZUL_RestoreImage() {
  int previous = image_history[0];
  if (!ImageWindowLive(previous)) return 1;
  current_image = previous;
  PopImageHistory();
  return 0;
}

HWND ZUL_GetImageWindow(int number) {
  return ImageWindowLive(number) ? image_windows[number].window : nullptr;
}
