// TrueType text drawn into the current image window's surface with the
// process-wide font `tt_font`, whose size and style change by call and by
// control codes. Worker thread only: the font and the text cursor are plain
// process-wide state.
#include <cstring>

#include "imagewin/imagewin.h"

namespace zul {

// Worker thread, but for start-up and shutdown (MakeTrueTypeFont,
// ReleaseTrueTypeFont) on the main window thread.
HFONT tt_font;
int tt_cell_width = 8;
int tt_cell_height = 16;
HFONT(WINAPI* create_tt_font)(const LOGFONTW*) = CreateFontIndirectW;

namespace {

// The font at the present cell size in the framework's Japanese face.
HFONT CreateTextDrawingFont() {
  return CreateFontW(tt_cell_height, tt_cell_width, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF");
}

constexpr int kNewLineCode = 10;

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The font, made as start-up makes it when nothing made it yet.
HFONT TextDrawingFont() {
  if (!tt_font) tt_font = CreateTextDrawingFont();
  return tt_font;
}

void ChangeStyle(int code) {
  LOGFONTW font = CurrentTTLogFont();
  switch (code) {
    case 1: font.lfItalic = 1; break;
    case 2: font.lfItalic = 0; break;
    case 3: font.lfWeight = FW_BOLD; break;
    case 4: font.lfWeight = FW_NORMAL; break;
    case 5: font.lfUnderline = 1; break;
    case 6: font.lfUnderline = 0; break;
    default: return;
  }
  ReplaceTTFont(font);
}

void ControlCode(int code) {
  if (code == kNewLineCode) {
    text_x = text_left;
    text_y += tt_cell_height;
  } else {
    ChangeStyle(code);
  }
}

// A's, B's and C's widths of one unit with the font selected; the plain
// width for fonts without ABC widths; 0 when neither can be had.
int UnitAdvance(HDC dc, wchar_t unit) {
  ABC abc = {};
  if (GetCharABCWidthsW(dc, unit, unit, &abc)) {
    return abc.abcA + static_cast<int>(abc.abcB) + abc.abcC;
  }
  int width = 0;
  if (GetCharWidthW(dc, unit, unit, &width)) return width;
  return 0;
}

// The UTF-16 units of a single- or double-byte code (none for a bad one).
int CodeToUnits(int code, wchar_t units[3]) {
  char bytes[3] = {};
  if (code < 256) {
    bytes[0] = static_cast<char>(code);
  } else {
    bytes[0] = static_cast<char>((code >> 8) & 0xFF);
    bytes[1] = static_cast<char>(code & 0xFF);
  }
  int length = static_cast<int>(std::strlen(bytes));
  if (length == 0) return 0;
  int count = MultiByteToWideChar(CP_ACP, 0, bytes, length, units, 2);
  return count > 0 ? count : 0;
}

}  // namespace

void MakeTrueTypeFont() { tt_font = CreateTextDrawingFont(); }

void ReleaseTrueTypeFont() {
  DeleteObject(tt_font);
  tt_font = nullptr;
}

LOGFONTW CurrentTTLogFont() {
  LOGFONTW font = {};
  HFONT handle = TextDrawingFont();
  if (!handle || GetObjectW(handle, sizeof font, &font) == 0) font = LOGFONTW{};
  return font;
}

int ReplaceTTFont(const LOGFONTW& font) {
  HFONT made = create_tt_font(&font);
  if (!made) return 1;  // the old font stays
  HFONT old = tt_font;
  tt_font = made;
  if (old) DeleteObject(old);
  return 0;
}

}  // namespace zul

using namespace zul;

uint32_t zul_tttc = 0xFFFFFF;

int ZUL_SetTTFontSize(int width, int height) {
  tt_cell_width = width / 2;
  tt_cell_height = height;
  LOGFONTW font = CurrentTTLogFont();
  font.lfWidth = tt_cell_width;
  font.lfHeight = tt_cell_height;
  return ReplaceTTFont(font);
}

void ZUL_DrawTTChar(int code) {
  if (code < 32) {
    ControlCode(code);
    return;
  }
  const ImageWindow* slot = CurrentLiveImage();
  if (!slot) return;
  wchar_t units[3] = {};
  int count = CodeToUnits(code, units);
  if (count == 0) return;
  HDC dc = slot->memory_dc;
  SetTextColor(dc, ColorToGdi(zul_tttc));
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ previous = SelectObject(dc, TextDrawingFont());
  for (int i = 0; i < count; ++i) {
    TextOutW(dc, text_x, text_y - tt_cell_height + 1, &units[i], 1);
    text_x += UnitAdvance(dc, units[i]);
  }
  SelectObject(dc, previous);
  GdiFlush();  // the pixels are read straight from the surface
}

void ZUL_DrawTTText(const char* text) {
  if (!text) return;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p) {
    unsigned char b = *p++;
    if (!IsLeadByte(b)) {
      ZUL_DrawTTChar(b);
      continue;
    }
    if (*p == 0) break;  // a lone lead byte at the end
    ZUL_DrawTTChar(b << 8 | *p++);
  }
}
