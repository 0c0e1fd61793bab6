// ZULLIB 7.0: a window framework for image-processing experiments.
//
// The one header an application includes, and its manual.
//
// An application is a program that defines AppSetup and AppMain and links the
// zullib library, which holds the process entry (WinMain). The framework shows
// a small main window with Start, Stop and Exit and runs the two routines on
// its worker thread, so every window stays live while the application works:
//
//   #include "zullib.h"
//
//   void AppSetup() {                        // once, when the program starts
//     ZUL_OpenTextWindow(0, 0, 0, 400, 200);
//   }
//
//   void AppMain() {                         // on every Start
//     ZUL_CreateImage(0, "gradient", -1, -1, 256, 256, 100);  // current now
//     for (int y = 0; y < 256; ++y)
//       for (int x = 0; x < 256; ++x) ZUL_SetPixel(x, y, (x << 16) | (y << 8));
//     ZUL_RedrawImage(0);
//     ZUL_Printf("drawn in %d ms\n", ZUL_GetTime());
//     while (stop_requested == 0 && quit_state == 0) ZUL_PumpMessages();
//   }
//
// Windows are addressed by kind and number (0-255). Calls return small codes:
// 0 for success, 1 for a number out of range, a free slot or (for open and
// create) a slot already in use; further codes are given call by call. Colours
// are 0x00RRGGBB words everywhere; 8-bit surfaces store only the low byte.
//
// Threads: AppSetup, AppMain and every framework window but the main window
// run on the worker thread; call the framework from that thread only.
//
// Calls marked [pumps] process the worker's waiting messages before they
// return, so window procedures (menus, keys, painting, a closed window) run
// inside them: a window may be gone when such a call returns.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <atomic>
#include <cstdint>

// ---- the application's two routines ----------------------------------------
void AppSetup();  // once, on the worker thread, before the first request
void AppMain();   // on every Start, on the worker thread

// ---- run state ----------------------------------------------------------------
// Process-wide words that both threads poll; each is written by the side the
// comment names.
extern std::atomic<int32_t> start_requested;  // main thread: Start was chosen
extern std::atomic<int32_t> running;          // worker: AppMain is running
extern std::atomic<int32_t> stop_requested;   // main thread: Stop was chosen; loops should end
extern std::atomic<int32_t> quit_state;       // main thread: 0 normal, non-zero the program ends

// ---- core utilities -------------------------------------------------------------
// Milliseconds from the high-resolution counter (wraps after 2^31 - 1 ms;
// differences of two readings stay right).
int ZUL_GetTime();
// [pumps] A modal message box captioned "Pause" with an OK button; its own
// loop dispatches the calling thread's messages until OK is pressed.
void ZUL_Pause(const char* text);
void ZUL_PauseW(const wchar_t* text);  // the same for UTF-16 text (any language)
// [pumps] Processes every waiting message of the worker's windows; for loops
// of the application that wait without printing.
void ZUL_PumpMessages();

// ---- image windows and surfaces ---------------------------------------------------
// Creates image window `number` with a `width` x `height` surface of 32 bits
// (ZUL_CreateImage8: 8 bits with a grey colour table), all zero, at screen
// position (x, y) (-1: the system chooses) and `zoom` percent, fitted so the
// window fits on the screen; the new window becomes current. Returns 0 made;
// 1 the slot is in use; 2 it cannot be shown at any zoom; 3 the surface could
// not be made; 4 the number is out of range.
int ZUL_CreateImage(int number, const char* title, int x, int y, int width, int height, int zoom);
int ZUL_CreateImage8(int number, const char* title, int x, int y, int width, int height, int zoom);
// Destroys a live image window and frees its surface: 0 done, 1 slot free or
// out of range.
int ZUL_DestroyImage(int number);
// Copies the surface to the window at its zoom now: 0 done, 1 slot free.
int ZUL_RedrawImage(int number);
// Makes the previously current image window current again (pops the history):
// 0 done, 1 it is no longer live (nothing changes).
int ZUL_RestoreImage();
// The window of a live image window, or null.
HWND ZUL_GetImageWindow(int number);
// Palette of the current image window (8-bit surfaces only): 0 done, 1 slot
// free, 2 the window has 32 bits. SetPalette replaces entries 0..count-1
// (count clamped to 0..256) and invalidates the window; GetPalette copies all
// 256 entries into `buffer`.
int ZUL_SetPalette(const RGBQUAD* entries, int count);
int ZUL_GetPalette(RGBQUAD* buffer);

// The surface of one image window slot as the pixel calls see it, kept in
// step with the slot by the framework: a free slot has width and height 0, so
// every pixel call on it is outside and touches nothing. Read-only for the
// application (its width and height are the picture's size).
// The fields are `unsigned long` / `long` rather than 32-bit integer types of
// the pixels' own kind on purpose: a store of a 32-bit pixel can then not
// alias them, so a drawing loop keeps the surface's bounds in registers.
struct ImageSurface {
  uint8_t* base;         // first pixel (row 0 is the top row)
  unsigned long width;   // pixels
  unsigned long height;  // pixels
  unsigned long stride;  // bytes per row: width x 4, or width rounded up to 4 on 8 bits
  long bits;             // 8 or 32
};
extern ImageSurface image_surfaces[256];
// The current image window (0-255) that the pixel, drawing, palette and file
// calls act on; changed only by ZUL_SelectImage / ZUL_RestoreImage and by the
// creation of a window.
extern int32_t current_image;

// The framework's own state behind the inline calls below; not for use by the
// application.
namespace zul {
extern const ImageSurface* current_surface;  // &image_surfaces[current_image]
// The 8 previously current image windows, kept as a ring so that a select
// moves no entries: entry i (0 the most recent) is ring[(top + i) & 7].
extern int32_t image_history_ring[8];
extern uint32_t image_history_top;

inline const ImageSurface& CurrentSurface() { return *current_surface; }
inline bool SurfaceContains(const ImageSurface& s, int x, int y) {
  return static_cast<unsigned long>(static_cast<uint32_t>(x)) < s.width &&
         static_cast<unsigned long>(static_cast<uint32_t>(y)) < s.height;
}
inline uint8_t* SurfaceRow(const ImageSurface& s, int y) {
  return s.base + static_cast<size_t>(y) * s.stride;
}
// Inside: the stored word (32 bits) or byte (8 bits). Outside: `outside`.
inline uint32_t ReadPixelOr(int x, int y, uint32_t outside) {
  const ImageSurface& s = CurrentSurface();
  if (!SurfaceContains(s, x, y)) return outside;
  const uint8_t* row = SurfaceRow(s, y);
  if (s.bits == 32) return reinterpret_cast<const uint32_t*>(row)[x];
  return row[x];
}
}  // namespace zul

// Makes a live image window current and pushes the previous current number
// onto the history (the oldest entry drops out): 0, or 1 when the number is
// out of range or its slot is free (nothing changes). Inline because the
// application switches windows for every pixel it reads and writes.
inline int ZUL_SelectImage(int number) {
  if (static_cast<uint32_t>(number) >= 256u || image_surfaces[number].width == 0) return 1;
  zul::image_history_top = (zul::image_history_top - 1u) & 7u;  // the oldest entry's place
  zul::image_history_ring[zul::image_history_top] = current_image;
  current_image = number;
  zul::current_surface = &image_surfaces[number];
  return 0;
}

// ---- rows at memory speed ----------------------------------------------------------
// The surface of live window `number` for loops that read and write its pixels
// directly: row y (0 the top) starts at rows->base + y * rows->stride, and
// holds 32-bit words 0x00RRGGBB (keep the top byte 0) or, on 8 bits, colour
// table indices. Drawing that GDI or GDI+ had still pending (text, loaded
// files, pasted pictures, blits) is finished first, so the rows hold it.
// Thread rule: the worker thread only (AppSetup, AppMain, commands), and the
// rows stay valid until the window is destroyed or given a new size
// (ZUL_ResizeImage, a rotation or scaling): ask again after those. Writes
// show on screen after ZUL_RedrawImage. 0 done; 1 the slot is free or out of
// range (`rows` then all zero).
int ZUL_GetImageRows(int number, ImageSurface* rows);

// ---- pixels ---------------------------------------------------------------------------
// All act on the current image window. A point is inside when x < width and
// y < height compared unsigned, so negative coordinates are outside; nothing
// reports drawing outside. Inline for speed.
extern int32_t pen_x, pen_y;  // last point of ZUL_SetPixel / ZUL_XorPixel / lines
constexpr uint32_t kProbeOutside = 0xFFFFFFFFu;  // ZUL_ProbePixel outside the image

// Writes a pixel (whole word on 32 bits, low byte on 8 bits); the pen stays.
inline void ZUL_PlotPixel(int x, int y, uint32_t color) {
  const ImageSurface& s = zul::CurrentSurface();
  if (!zul::SurfaceContains(s, x, y)) return;
  uint8_t* row = zul::SurfaceRow(s, y);
  if (s.bits == 32) {
    reinterpret_cast<uint32_t*>(row)[x] = color;
  } else {
    row[x] = static_cast<uint8_t>(color);
  }
}
// Moves the pen to (x, y), even outside, then writes the pixel when inside.
inline void ZUL_SetPixel(int x, int y, uint32_t color) {
  pen_x = x;
  pen_y = y;
  ZUL_PlotPixel(x, y, color);
}
// The stored word (32 bits) or byte (8 bits); 0 outside.
inline uint32_t ZUL_GetPixel(int x, int y) { return zul::ReadPixelOr(x, y, 0); }
// The same, but kProbeOutside outside (a stored word can equal it).
inline uint32_t ZUL_ProbePixel(int x, int y) { return zul::ReadPixelOr(x, y, kProbeOutside); }
// Inverts a pixel (32 bits: XOR 0xFFFFFF, top byte kept; 8 bits: complement);
// the pen stays.
inline void ZUL_XorPlotPixel(int x, int y) {
  const ImageSurface& s = zul::CurrentSurface();
  if (!zul::SurfaceContains(s, x, y)) return;
  uint8_t* row = zul::SurfaceRow(s, y);
  if (s.bits == 32) {
    reinterpret_cast<uint32_t*>(row)[x] ^= 0xFFFFFFu;
  } else {
    row[x] = static_cast<uint8_t>(~row[x]);
  }
}
// Moves the pen to (x, y), then inverts the pixel when inside.
inline void ZUL_XorPixel(int x, int y) {
  pen_x = x;
  pen_y = y;
  ZUL_XorPlotPixel(x, y);
}
// Copies pixels (0..count-1, y) into `buffer` (32-bit words on a 32-bit
// surface, bytes on an 8-bit one), 0 outside; nothing for a free window.
void ZUL_ReadRow(void* buffer, int y, int count);
// Zeroes the whole surface of a live slot; nothing for a free or bad number.
void ZUL_ClearImage(int number);

// ---- colour conversions ------------------------------------------------------------
// HSV: value = max channel, saturation = max - min (chroma), hue 0..359.
void ZUL_RgbToHsv(uint32_t color, int* hue, int* saturation, int* value);
int ZUL_GetHue(uint32_t color);
int ZUL_GetSaturation(uint32_t color);
int ZUL_GetBrightness(uint32_t color);
uint32_t ZUL_HsvToRgb(int value, int saturation, int hue);
// 16.16 fixed-point colour formulas (sum + 32768, divided by 65536 toward zero).
int ZUL_GetY(uint32_t color);   // luminance 0..255
int ZUL_GetCr(uint32_t color);  // -127..128
int ZUL_GetCb(uint32_t color);  // -127..128
int ZUL_GetU(uint32_t color);
int ZUL_GetV(uint32_t color);
int ZUL_GetI(uint32_t color);
int ZUL_GetQ(uint32_t color);

// ---- lines, boxes and circles ------------------------------------------------------
// Raster figures drawn into the current image window and clipped to it pixel
// by pixel; none repaints the window. The plain forms store a colour (the
// low byte on 8 bits), the XOR forms invert every pixel they cover exactly
// once, so drawing the same XOR figure twice restores the picture. Any int
// arguments are safe: far-off figures cost only their visible part (circle
// outlines and discs also one step per unit of radius).
extern uint32_t draw_color;  // the drawing colour, 0xRRGGBB (8 bits: an index); 0xFFFFFF at start
// Line with both ends included; the pen goes to (x2, y2), even when nothing
// is drawn. Both orders of the ends give the same pixels.
void ZUL_DrawLine(uint32_t colour, int x1, int y1, int x2, int y2);
void ZUL_XorLine(int x1, int y1, int x2, int y2);
// Outline in draw_color as four lines (x1,y1)-(x2,y1)-(x2,y2)-(x1,y2)-(x1,y1).
void ZUL_DrawBox(int x1, int y1, int x2, int y2);
// The outline of the rectangle between the corners (any order), inverted once.
void ZUL_XorBox(int x1, int y1, int x2, int y2);
// Every pixel of the rectangle between the corners (any order), borders
// included: in draw_color, or inverted.
void ZUL_FillBox(int x1, int y1, int x2, int y2);
void ZUL_XorFillBox(int x1, int y1, int x2, int y2);
// Circle outline of radius r around (cx, cy) (note the argument order); the
// pen is left on its last point. r = 0 is the centre; r < 0 four dots |r|
// from the centre.
void ZUL_DrawCircle(int cx, int cy, uint32_t colour, int r);
void ZUL_XorCircle(int cx, int cy, int r);
// The disc inside that outline: in draw_color, or inverted.
void ZUL_FillCircle(int cx, int cy, int r);
void ZUL_XorFillCircle(int cx, int cy, int r);
// Paints the 4-connected region of the seed's exact colour with draw_color
// (its low byte on 8 bits); no result. The pen ends at the right end of the
// last run filled; a seed outside, or a region already of that colour,
// changes nothing.
void ZUL_FloodFill(int x, int y);

// Drawing state shared by the bitmap-font and TrueType text.
extern uint32_t zul_tc;                // bitmap-font text colour, 0xRRGGBB; 0 at start
extern uint32_t zul_tttc;              // TrueType text colour, 0xRRGGBB
extern int text_x, text_y, text_left;  // text cursor (baseline) and its left margin

// ---- bitmap-font text and profile / chroma plots ------------------------------
// Text in the built-in 8 x 14 font, drawn into the current image window at
// the cursor (text_x = left edge, text_y = baseline: a glyph covers rows
// text_y - 14 .. text_y - 1) in colour zul_tc; clear glyph bits leave pixels
// alone. Each glyph advances text_x by 8; when text_x then exceeds width - 8
// the cursor wraps to text_left, 16 rows down. No result codes. (zul_tc and
// the cursor are declared with the drawing state above.)
// One character: line feed -> text_left, 16 rows down; codes 32-127 draw and
// advance (127 is blank); any other byte neither draws nor moves.
void ZUL_DrawChar(char c);
// Each byte of a zero-terminated string as ZUL_DrawChar; null draws nothing.
void ZUL_DrawText(const char* text);
// printf-style text, cut at 4095 characters, drawn as ZUL_DrawText.
void ZUL_DrawPrintf(const char* format, ...);

// Graphs drawn into the current image window (the caller makes a graph
// window of suitable size first); no result codes.
// Profile of one channel of `count` samples: sample i is drawn at x0 + i,
// y = 127 - value x 127 / scale (scale 359 for hue, else 255; Cr and Cb are
// plotted + 128). `flags` = one channel bit | one style bit; with several
// channel bits the first in the order below counts; kProfileBytes alone makes
// the samples bytes plotted as they are. Dots win over the polyline; without
// a style bit, a channel bit, samples, or with count <= 0 nothing is drawn.
constexpr int kProfileRed = 0x1, kProfileGreen = 0x2, kProfileBlue = 0x4;
constexpr int kProfileHue = 0x8, kProfileSaturation = 0x10, kProfileValue = 0x20;
constexpr int kProfileLuminance = 0x100, kProfileCr = 0x200, kProfileCb = 0x400;
constexpr int kProfileBytes = 0x1000;  // samples are bytes (an 8-bit row), not colours
constexpr int kProfileDots = 0x40, kProfilePolyline = 0x80;
void ZUL_PlotProfile(const void* samples, int x0, int count, int flags, uint32_t colour);
// Chroma diagram: grey axes (0,128)-(256,128) and (128,0)-(128,256), the
// labels "Cr" and "Cb" (which leave the text cursor and zul_tc changed), then
// each colour at (Cb + 128, 128 - Cr) joined into one polyline: the first
// point is set white, the segments alternate magenta, white, ... (the first
// segment covers the first point). Null `colours` draws nothing.
void ZUL_PlotChroma(const uint32_t* colours, int count);
// The same axes and labels, then each row of a rows x columns block of
// colours (row after row) as its own white polyline. Null draws nothing.
void ZUL_PlotChromaArea(int rows, const uint32_t* colours, int columns);

// ---- test patterns -------------------------------------------------------------
// Each overwrites the whole current image window (nothing for a free slot)
// and leaves the pen on its last pixel; on 8 bits a pixel keeps the low byte
// of its colour. The caller repaints the window.
void ZUL_PatternRgb();    // red grows to the right, green downward, blue fades diagonally
void ZUL_PatternGrey();   // grey ramp, dark-to-light on top, reversed below; 8 bits: grey palette
void ZUL_PatternHsv();    // hue across, saturation up to the middle row, then darkening
void ZUL_PatternYCrCb();  // Cb across, Cr upward, brightness growing from the centre
void ZUL_PatternYuv();    // u across, v upward, brightness growing from the centre
void ZUL_PatternYiq();    // Q across, I upward, brightness growing from the centre

// ---- TrueType text ----------------------------------------------------------------
// Text drawn into the current image window's surface in zul_tttc with the
// process-wide TrueType font; a character cell ends on row text_y and the
// cursor advances by the character's width. Nothing is repainted.
// Codes below 32 are controls: 1/2 italic on/off, 3/4 bold/normal, 5/6
// underline on/off, 10 new line (text_x = text_left, text_y += cell height),
// others nothing. 32-255 a single-byte character; 256 and above a double-byte
// one, lead byte in bits 8-15. Nothing when there is no live current window.
void ZUL_DrawTTChar(int code);
// Draws a text code by code; lead bytes 0x81-0x9F and 0xE0-0xFC start a
// double-byte character (a lone lead byte at the end is dropped).
void ZUL_DrawTTText(const char* text);
// Cell width = width / 2 and cell height = height; the font is made anew at
// that size with its style kept: 0, or 1 when the font could not be made
// (the old one stays).
int ZUL_SetTTFontSize(int width, int height);

// ---- image files ------------------------------------------------------------------------
// Draws a file (any format GDI+ reads) into the current image window at
// (x, y), unscaled and clipped: 0 drawn; 1 the file gave no picture; 2 no
// current image window.
int ZUL_LoadImageFile(const char* file_name, int x, int y);
// Saves the block (0, 0, width, height) of the current image window in format
// 0 BMP, 1 JPEG, 2 GIF, 3 PNG, 4 TIFF, adding the format's extension unless the
// name ends with it: 0 saved; 1 the encoder or the write failed (also a bad
// format or a size too large); 2 width or height 0 or less; 3 no window.
int ZUL_SaveImageFile(int width, int height, int format, const char* file_name);
extern int jpeg_quality;  // quality of JPEG saves, initially 100

// ---- image window display and zoom ------------------------------------------------------
// Stretch mode of a window's display: COLORONCOLOR (3) or HALFTONE (4, smoothed).
// Set: 1 when the slot is free or out of range, else 0. Get: 0 for such a slot.
int ZUL_SetStretchMode(int mode, int number);
int ZUL_GetStretchMode(int number);
// Shows a live window at `zoom` percent, fitted to the screen like a new
// window (0 or less gives the smallest zoom a window can have): 0 done; 1 slot
// free or out of range; 2 it cannot be shown at any zoom (nothing changed).
int ZUL_SetZoom(int number, int zoom);
// Makes the window again in its slot at a new pixel size (below 1 becomes 1),
// keeping title, position, zoom request, stretch mode and an 8-bit palette;
// the new surface is all zero and the slot becomes current. 0 done; 1 slot
// free or out of range; else the creation's code (2, 3) with the slot free.
int ZUL_ResizeImage(int number, int width, int height);

// ---- presentation ---------------------------------------------------------------------
// Shows image window `number`'s picture at 100% in a borderless window at the
// top-left corner of monitor `monitor` (1 the first the system lists), so that
// every pixel lands on one pixel of that display; Esc there, monitor 0, or the
// window's end ends it. One picture is presented at a time: ZUL_RedrawImage
// of the window shows its changes there too, and a window made again by
// ZUL_ResizeImage stays presented. 0 done; 1 the slot is free or out of range
// (or the window could not be made); 2 there is no such monitor.
int ZUL_PresentImage(int number, int monitor);
// The number of the window presented, or -1.
int ZUL_PresentedImage();

// ---- point tools ------------------------------------------------------------------
// [pumps] Blocking calls for code on the worker thread (AppMain, commands): each asks
// the user for points in image window `slot` with a prompt in the main
// window's status label, keeps every window live while it waits, and shows
// an XOR cursor or rubber band in the picture that is always erased before
// it returns. The slot becomes the current image window. A left click gives
// a point; a right or middle click cancels (in the second stage of the
// two-point tools it goes back to the first point). Outputs are set to 0
// first (null outputs are skipped). Results:
//   0  the points were given - or Stop / Exit ended the wait (see below);
//   1  cancelled, or the window was closed during the wait;
//   2  slot 256 or more, not in use, or another tool is already waiting
//      (nothing is touched).
// Caller rule: the tools clear `stop_requested` when they start, not when
// they return. A result 0 while `stop_requested` (or `quit_state`) is set
// means Stop or Exit ended the wait, not clicks: treat it as cancelled.
//   if (ZUL_GetPoint(0, &x, &y) != 0 || stop_requested) return;
// A loop `while (ZUL_GetPoint(...) == 0 && !stop_requested)` can thus be stopped.
int ZUL_GetPoint(int slot, int* x, int* y);   // one click
int ZUL_GetRow(int slot, int* x, int* y);     // one click; a row line follows the mouse
int ZUL_GetColumn(int slot, int* x, int* y);  // one click; a column line follows the mouse
// One click, the centre of a w x h box that follows the mouse (with its
// diagonals when w > 8 and h > 8).
int ZUL_PlaceBox(int slot, int w, int h, int* x, int* y);
// Two clicks joined by a rubber-band line.
int ZUL_GetLine(int slot, int* x1, int* y1, int* x2, int* y2);
// Two corners with a rubber-band rectangle, returned ordered (left <= right, top <= bottom).
int ZUL_GetBox(int slot, int* left, int* top, int* right, int* bottom);
// A centre and a point on the circle; r = the distance rounded to the nearest integer.
int ZUL_GetCircle(int slot, int* cx, int* cy, int* r);

// ---- mouse -------------------------------------------------------------------------------
// Point-tool feed: the image window procedure reports mouse events of the
// window of slot `point_tool_window` here while a point tool waits.
extern int32_t point_tool_window;  // -1 after a tool has ended
extern int32_t point_moved, point_move_x, point_move_y;
extern int32_t point_clicked, point_click_x, point_click_y;
extern int32_t point_cancelled;
// Mouse tracking for application code: while `mouse_tracking` is non-zero,
// every mouse move, left and middle press over an image window stores its
// slot, image position and the button and key states (MK_ bits) here.
extern int32_t mouse_tracking;
extern int32_t mouse_window, mouse_x, mouse_y;
extern int32_t mouse_left, mouse_middle, mouse_ctrl, mouse_shift;

// ---- text windows -------------------------------------------------------------------------
// Opens text window `number` at (x, y) with a width x height client area (-1
// for any: the system's position, 400 x 300) and makes it current; it prints
// white on black. 0 opened; 1 out of range, or already open (then it only
// comes to the front and becomes current).
int ZUL_OpenTextWindow(int number, int x, int y, int width, int height);
// Closes a text window (a line it waits for ends empty): 0 done, 1 not open.
// When it was current, the lowest open one becomes current.
int ZUL_CloseTextWindow(int number);
// Makes an open text window current, pushing the history: 0 done, 1 not open.
int ZUL_SelectTextWindow(int number);
// Brings the current text window to the front, or opens text window 0 in the
// middle of the screen (400 x 300) when it is not open.
void ZUL_ShowTextWindow();
// [pumps] Prints formatted text (printf rules, cut at 4095 bytes) in the
// current text window at its cursor: "\n" starts a line, long lines wrap, the
// window scrolls. The text is on screen when the call returns (only the
// changed lines are redrawn). Nothing when no text window is current.
void ZUL_Printf(const char* format, ...);
// Clears the current text window and puts the cursor top left.
void ZUL_ClearTextWindow();
// Text and background colours of the current text window: Push saves the
// present pair on its 8-entry stacks and sets a new one; Pop takes the last
// saved pair back.
void ZUL_PushTextColor(uint32_t text, uint32_t back);
void ZUL_PopTextColor();

// ---- text input -----------------------------------------------------------------------------
// [pumps] Reads a line typed into the current text window into `buffer`
// (256 bytes, always terminated): Enter ends it, Backspace edits, Up recalls
// the last line, Ctrl+V pastes the clipboard's first line. The line is empty
// when the window closes, the program ends or no text window is current.
void ZUL_Input(char* buffer);

// ---- command console ------------------------------------------------------------
// [pumps] Prints "Cmd>" in the current text window, reads one line and carries out
// the command that equals it exactly: exit, start (keys to the main window),
// help, ver (the About banner), color (draw_color, zul_tttc and zul_tc).
// 0 a known command; 1 anything else ("Invalid command" printed).
int ZUL_RunCommandConsole();

// ---- input box and button box ----------------------------------------------------
// The input box: one window of 1-30 rows, each a label ("Item %d" at first)
// and a one-line field ("0" at first), owned by the worker thread. A field's
// text becomes the item's value when the field loses the focus or Enter is
// pressed in it. Dragging the left edge widens the labels, the right edge
// the fields; the widths are kept for the next box.
// Opens the box with its outer top-left corner at (x, y), items clamped to
// 1-30; nothing when a box is open.
void ZUL_OpenInputBox(int x, int y, int items);
// Destroys the open box, if any; its values are gone with it.
void ZUL_DestroyInputBox();
// Copies value `index` (at most 255 bytes and the terminator) into `buffer`
// of 256 bytes: 0 done; 1 no box or no such item (`buffer` set to "").
int ZUL_GetInputBox(int index, char* buffer);
// Puts `text` in the field of item `index` and makes it the item's value (cut
// to what the field and 255 bytes hold, at a whole character): 0 done; 1 no
// box or no such item.
int ZUL_SetInputBox(int index, const char* text);
// Sets the label of an item of the open box; nothing for other indices.
void ZUL_SetInputBoxTitle(int index, const char* text);
// Sets the label and field widths (each at least 1) and brings the open box
// to the matching width.
void ZUL_ResizeInputBox(int label_width, int edit_width);
// [pumps] Asks for a new label of an item in the current text window; an empty
// answer keeps the label. Nothing when there is no box or no such item.
void ZUL_RenameInputBoxItem(int index);

// The button box: one window with a grid of push buttons numbered row by row
// from 0, owned by the worker thread. Opening does nothing when a box is open,
// when columns or rows is below 1, or for more than 256 buttons.
void ZUL_OpenButtonBox(int x, int y, int columns, int rows);
void ZUL_DestroyButtonBox();
// Sets the caption of a button; a "\n" in the text starts a new line.
void ZUL_SetButtonBoxTitle(int index, const char* text);
// The presses of a button since the last look, cleared by the look; 0 when
// there is no box or no such button.
int ZUL_GetButtonBox(int index);
// Brings the open box to the given client size; the buttons follow.
void ZUL_ResizeButtonBox(int client_width, int client_height);
// [pumps] Asks for a new caption of a button in the current text window; an
// empty answer keeps the caption.
void ZUL_RenameButton(int index);

// ---- clipboard pictures and image file dialogs ----------------------------------
// Puts the slot's picture on the clipboard as CF_DIB (24 bits, or 8 bits with
// its colour table; rows bottom-up); nothing for a free or bad slot or when
// the clipboard cannot be opened.
void ZUL_CopyImage(int number);
// Draws the clipboard's picture into the slot's surface with its top-left at
// (x, y); x or y -1: the user places it with the mouse ([pumps] meanwhile). A picture of 8 bits or
// less also sets the window's colour table entries it carries. Nothing when
// the slot is not live or the clipboard holds no picture.
void ZUL_PasteImage(int number, int x, int y);
// [pumps] The open and save dialogs: 0 and the chosen full path (ANSI, 260 bytes) in
// `path`; 1 cancelled, or a path the ANSI code page cannot spell (nothing
// changed). They remember their filter index and directory.
int ZUL_OpenImageDialog(char* path);
int ZUL_SaveImageDialog(char* path);
extern int load_filter_index;  // 1-9, initially 2 (BMP); worker thread
extern int save_filter_index;  // 1-6, initially 2 (BMP); worker thread

// ---- text window logs and the window information report ----------------------
// Every text window number n (0-255) can log what is printed in it to the file
// "ZULLIB<n>.LOG" in the directory that was current at start-up: the printed
// text as formatted, each accepted input line with its line end, a line end for
// each clear. The log belongs to the number: a window opened again under it
// goes on with the same file.
//
// Starts (truncating any old file) or resumes the log of window n: 0 started or
// resumed; 1 already logging; 2 the file could not be created (an "Error" box
// says so; also when its name would exceed 255 bytes); 3 n outside 0-255 or
// the window not live.
int ZUL_StartLog(int number);
// Pauses the log of window n, keeping its file: 0 paused (or already paused);
// 1 no log file; 2 n outside 0-255 or the window not live.
int ZUL_StopLog(int number);
// Puts the whole log file of number n on the clipboard as text, leaving the
// log's state as it was: 0 copied; 1 the clipboard could not be opened or did
// not take the text; 2 the file could not be opened or read ("Pause" box);
// 3 no memory for the text ("Pause" box); 4 n outside 0-255 or not live.
int ZUL_CopyLog(int number);
// Closes the log of every live text window (called at Exit); no result.
void ZUL_CloseAllLogs();

// The report of Window Info. (Ctrl+W) puts on the clipboard source lines that
// recreate the present window layout; pasted into AppSetup they compile with
// these calls and those of the sections above.
HWND ZUL_GetMainWindow();  // the main window, or null
#define ZULMAINWINDOW (ZUL_GetMainWindow())
void ZUL_SetForeground(HWND window);  // brings a live window to the front
