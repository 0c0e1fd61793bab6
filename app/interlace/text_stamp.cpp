// Text set with GDI into a DIB section, then copied into the picture.
#include "interlace/text_stamp.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstring>

namespace {

constexpr int kLargestText = 4096;  // pixels of a side

COLORREF Gdi(uint32_t rrggbb) {
  return RGB((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

// A memory device context with the text font selected.
struct TextDc {
  HDC dc;
  HFONT font;
  HGDIOBJ previous_font;
};

TextDc OpenTextDc(int height) {
  TextDc t = {CreateCompatibleDC(nullptr), nullptr, nullptr};
  t.font = CreateFontW(-height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                       VARIABLE_PITCH | FF_SWISS, L"Arial");
  if (t.dc && t.font) t.previous_font = SelectObject(t.dc, t.font);
  return t;
}

void CloseTextDc(const TextDc& t) {
  if (t.previous_font) SelectObject(t.dc, t.previous_font);
  if (t.font) DeleteObject(t.font);
  if (t.dc) DeleteDC(t.dc);
}

SIZE Extent(HDC dc, const char* text) {
  SIZE size = {0, 0};
  GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
  return size;
}

}  // namespace

TextBox MeasureText(const char* text, int height) {
  TextDc t = OpenTextDc(height);
  SIZE size = t.dc ? Extent(t.dc, text) : SIZE{0, 0};
  CloseTextDc(t);
  return TextBox{static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

void StampText(const Picture& target, int x, int y, const char* text, int height, uint32_t ink,
               uint32_t paper) {
  if (height < 1 || height > kLargestText) return;
  TextDc t = OpenTextDc(height);
  SIZE size = t.dc ? Extent(t.dc, text) : SIZE{0, 0};
  if (size.cx < 1 || size.cy < 1 || size.cx > kLargestText || size.cy > kLargestText) {
    CloseTextDc(t);
    return;
  }
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(t.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib && bits) {
    HGDIOBJ previous = SelectObject(t.dc, dib);
    RECT box = {0, 0, size.cx, size.cy};
    HBRUSH brush = CreateSolidBrush(Gdi(paper));
    FillRect(t.dc, &box, brush);
    DeleteObject(brush);
    SetBkMode(t.dc, TRANSPARENT);
    SetTextColor(t.dc, Gdi(ink));
    TextOutA(t.dc, 0, 0, text, static_cast<int>(std::strlen(text)));
    GdiFlush();
    const uint32_t* rows = static_cast<const uint32_t*>(bits);
    for (int row = 0; row < size.cy; ++row) {
      int ty = y + row;
      if (ty < 0 || ty >= target.height) continue;
      for (int column = 0; column < size.cx; ++column) {
        int tx = x + column;
        if (tx >= 0 && tx < target.width) {
          PictureRow(target, ty)[tx] = rows[row * size.cx + column] & 0xFFFFFF;
        }
      }
    }
    SelectObject(t.dc, previous);
  }
  if (dib) DeleteObject(dib);
  CloseTextDc(t);
}
