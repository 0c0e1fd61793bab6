// Puts a 1600 x 480 side-by-side picture on the clipboard as CF_DIB and exits:
// a stand-in for a user copying a stereo pair in another program.
#include <windows.h>

#include <cstdint>
#include <cstring>

int main() {
  const int width = 1600, height = 480;
  const size_t bytes = sizeof(BITMAPINFOHEADER) + static_cast<size_t>(width) * height * 4;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!block) return 1;
  auto* base = static_cast<uint8_t*>(GlobalLock(block));
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  std::memcpy(base, &header, sizeof header);
  auto* words = reinterpret_cast<uint32_t*>(base + sizeof header);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // Left view warm, right view cool, with a square nearer in the left view.
      bool square = (x % 800) > 300 + (x < 800 ? 8 : 0) && (x % 800) < 500 + (x < 800 ? 8 : 0) &&
                    y > 140 && y < 340;
      uint32_t colour = square ? 0xF0F0F0u : x < 800 ? 0xC04020u : 0x2040C0u;
      words[static_cast<size_t>(height - 1 - y) * width + x] = colour ^ ((y & 16) ? 0x101010u : 0);
    }
  }
  GlobalUnlock(block);
  if (!OpenClipboard(nullptr)) return 1;
  EmptyClipboard();
  bool ok = SetClipboardData(CF_DIB, block) != nullptr;
  CloseClipboard();
  return ok ? 0 : 1;
}
