// Puts a 1600 x 480 side-by-side picture on the clipboard as CF_DIB and exits:
// a stand-in for a user copying a stereo pair in another program.
#include <windows.h>

#include <cstdint>
#include <cstring>

int main() {
  const int width = 1600, height = 480;
  const BITMAPINFOHEADER header = {sizeof header, width, height, 1, 32, BI_RGB};
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof header + size_t{width} * height * 4);
  if (!block) return 1;
  auto* base = static_cast<uint8_t*>(GlobalLock(block));
  std::memcpy(base, &header, sizeof header);
  auto* words = reinterpret_cast<uint32_t*>(base + sizeof header);
  // Left view warm, right view cool, each with a light square 8 pixels further
  // right in the left view; rows striped in 16s.
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      int v = x % 800 - (x < 800 ? 8 : 0);
      bool square = v > 300 && v < 500 && y > 140 && y < 340;
      uint32_t colour = square ? 0xF0F0F0u : x < 800 ? 0xC04020u : 0x2040C0u;
      words[static_cast<size_t>(height - 1 - y) * width + x] = colour ^ ((y & 16) ? 0x101010u : 0);
    }
  GlobalUnlock(block);
  if (!OpenClipboard(nullptr)) return 1;
  bool ok = (EmptyClipboard(), SetClipboardData(CF_DIB, block) != nullptr);
  return CloseClipboard(), ok ? 0 : 1;
}
