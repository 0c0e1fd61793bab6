// Image surfaces: the table of 256 image windows, their surfaces and palettes,
// the current image window, and image file input and output.
#pragma once

#include "core/core.h"

namespace Gdiplus {
class GpImage;
}

namespace zul {

constexpr int kImageSlots = 256;
constexpr int kImageHistory = 8;  // previously current image windows kept
constexpr int kPaletteEntries = 256;
constexpr int kCaptionBytes = 256;
constexpr DWORD kImageWindowStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
// Largest surface in bytes; larger ones (and any whose byte count overflows)
// are refused.
constexpr int64_t kMaxSurfaceBytes = 0x7FFFFFFF;

struct ImageWindow {
  int32_t in_use;
  int32_t bits;
  int32_t width, height;
  int32_t view_width, view_height;
  int32_t zoom;
  HWND window;
  HDC memory_dc;
  HDC window_dc;
  HBITMAP dib;
  HGDIOBJ previous_bitmap;
  char* title;
};

extern ImageWindow image_windows[kImageSlots];
extern uint32_t* pixels[kImageSlots];
extern uint8_t* pixels8[kImageSlots];
static_assert(kImageHistory == 8, "the history of zullib.h has 8 entries");

// Entry i (0 the most recent) of the current image window's history.
inline int32_t ImageHistoryEntry(int i) {
  return image_history_ring[(image_history_top + static_cast<uint32_t>(i)) & 7u];
}

// ---- table, current window and history (image_table.cpp) -----------------------
// Start-up: every slot free, the current window and the history 0.
void ClearImageTable();
bool ImageNumberValid(int number);
bool ImageWindowLive(int number);
// The live slot whose window is `window`, or -1.
int FindImageWindow(HWND window);
// The current image window's slot when it is live, otherwise null.
ImageWindow* CurrentLiveImage();
// Brings `pixels`, `pixels8` and `image_surfaces` in step with slot n after its
// surface was made or rebuilt; WithdrawSurface empties them (slot freed).
void PublishSurface(int number);
void WithdrawSurface(int number);

// ---- surfaces and creation (image_create.cpp) ----------------------------------
// Bytes per row of a surface.
int SurfaceStride(int width, int bits);
// Byte count of a width x height surface, or -1 when it overflows or exceeds
// kMaxSurfaceBytes.
int64_t SurfaceBytes(int width, int height, int bits);
// A DIB header with room for a colour table of 256 entries (or the three
// masks of a bit-field picture), as GDI takes it.
struct DibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[kPaletteEntries];
};
// The header of an uncompressed width x height picture of `bits` per pixel;
// a negative height makes it top-down.
BITMAPINFOHEADER DibHeader(int width, int height, int bits);
// Entries 0..255 set to the greys 0..255.
void FillGreyRamp(RGBQUAD* colors);
// A zeroed top-down DIB section with the grey colour table; null when it
// cannot be made. `base` receives the first pixel.
HBITMAP CreateSurfaceBitmap(int width, int height, int bits, void** base);
// The surface a rotation or scaling last gave up, kept for the next one of
// the same size (turning back and forth, scaling down after up) so that it
// costs no new memory: its pages are already the process's. Worker thread.
// TakeSpareSurface gives it when it is width x height x bits (its pixels
// and colour table as they were; the spare is then empty), else null.
HBITMAP TakeSpareSurface(int width, int height, int bits, void** base);
// Keeps `dib`, whose pixels `surface` describes, as the spare, freeing the
// one kept before.
void KeepSpareSurface(HBITMAP dib, const ImageSurface& surface);
// Frees the spare (a window is destroyed: its memory goes back).
void DropSpareSurface();
// The creation routine behind ZUL_CreateImage / ZUL_CreateImage8.
int CreateImageWindow(int number, const char* title, int x, int y, int width, int height, int zoom,
                      int bits);
// Sets the window caption from the slot's title and zoom.
void UpdateImageTitle(int number);
// "%s(%d%%)" (32 bits) or "%s(%d%%)[8bit]", plus "*" when smoothed.
void FormatImageCaption(const char* title, int zoom, int bits, bool smoothed,
                        char caption[kCaptionBytes]);

// ---- nearest colour table entries (nearest_entry.cpp) -----------------------------
// A colour table with the answers worked out so far, cell by cell of the
// colour cube (16 MB, filled only where asked).
struct NearestEntryMap {
  uint8_t table[kPaletteEntries][3];  // red, green, blue
  uint8_t* nearest;                   // the answer for every colour of a settled cell
  uint8_t* cell_settled;              // one bit per cell
  uint8_t* block_candidates;          // per block of cells: the entries that may be nearest
  int16_t* block_count;               // their number; -1 before the block is first used
};
// Fills `map` for `table`; false when its memory cannot be allocated.
bool PrepareNearestEntryMap(const RGBQUAD table[kPaletteEntries], NearestEntryMap* map);
void ReleaseNearestEntryMap(NearestEntryMap* map);
// The index of the entry nearest to `colour` (0x00RRGGBB): the smallest sum of
// squared channel differences, the lowest index of equally near ones.
uint8_t NearestEntry(NearestEntryMap* map, uint32_t colour);
// The same for `count` colours (the top byte ignored) into `out`.
void NearestEntriesOfRow(NearestEntryMap* map, const uint32_t* colours, uint8_t* out, int count);

// ---- loading into 8-bit surfaces (load_exact8.cpp) --------------------------------
// Maps a decoded width x height picture drawn at (x, y) into the current 8-bit
// surface, each pixel to its nearest colour table entry; false when the
// picture is not a bitmap, memory runs short or a band of it cannot be read
// (bands before it may already be mapped).
bool LoadPictureExact8(Gdiplus::GpImage* image, int x, int y, UINT width, UINT height);

// ---- zoom fitting (zoom_fit.cpp) -------------------------------------------------
struct ScreenMetrics {
  int screen_width;   // SM_CXSCREEN
  int screen_height;  // SM_CYSCREEN - SM_CYCAPTION
  int min_width;      // SM_CXMIN - 2 x SM_CXDLGFRAME
  int min_height;     // SM_CYMIN - 2 x SM_CXDLGFRAME - SM_CYCAPTION
};
struct ZoomFit {
  int code;  // 0 fits; 2 even the smallest window does not fit
  int width, height;
  int zoom;
  int view_width, view_height;
};
ScreenMetrics ReadScreenMetrics();
// Fits a width x height surface asked for at `zoom` percent on the screen.
ZoomFit FitZoom(const ScreenMetrics& metrics, int width, int height, int zoom);

// ---- blocks, clipboard and paste (image_block.cpp, clipboard_bitmap.cpp) -------
// Copies the block (x, y, block_width, block_height) of the current image
// window into `buffer` (packed rows of 32-bit words, or bytes on 8 bits), 0
// outside the surface. 0 done; 1 no live current window or a block whose byte
// count overflows (nothing copied).
int CopyImageBlock(void* buffer, int x, int y, int block_width, int block_height);
// A new bitmap from the clipboard's picture (CF_DIB, else CF_BITMAP), or null.
// `colors` (256 entries) receives at most 256 colour table entries, `count`
// how many.
HBITMAP GetClipboardBitmap(RGBQUAD* colors, int* count);
// Copies a bitmap into the current image window's surface at (0, 0) and deletes it.
void PasteBitmapToImage(HBITMAP bitmap);
// GDI and GDI+ may fill the reserved byte of the 32-bit pixels they write;
// clears it in the rectangle (clipped to the surface) of the current image
// window so that every pixel reads 0x00RRGGBB. Flushes GDI first; nothing on 8 bits.
void ClearReservedBytes(int x, int y, UINT width, UINT height);

// ---- image files (image_files.cpp, encoders.cpp) --------------------------------
constexpr int kImageFormats = 5;
constexpr int kPathChars = MAX_PATH;         // 260
const wchar_t* FormatMimeType(int format);   // null outside 0-4
const wchar_t* FormatExtension(int format);  // null outside 0-4
// Appends `extension` to `path` (capacity 260 units) unless its last four
// characters, lower-cased, contain it.
void AppendExtension(wchar_t* path, const wchar_t* extension);
// The class id of the first GDI+ encoder with exactly this MIME type; all
// zero when none matches. Returns whether one was found.
bool FindEncoder(const wchar_t* mime, CLSID* class_id);

}  // namespace zul
