// Image window interaction: the window procedure, display and zoom, menus and
// the commands built on the image operations.
#pragma once

#include "core/core.h"
#include "surfaces/surfaces.h"

namespace zul {

LRESULT CALLBACK ImageWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// ---- window lookups (image_lookup.cpp) --------------------------------------------
// FindImageWindow (surfaces) gives the slot of a window; this one also makes
// it the current image window. -1 when the window has no live slot (the
// current image window then stays as it was).
int ActivateImageWindow(HWND window);
// After a wait for the user (wait_checks.cpp), where other commands ran:
// - a point tool's result as a command takes it: the points were given only
//   when it returned 0 and neither Stop nor Exit ended the wait;
// - whether slot `number` still shows `window` (it was not closed, nor its
//   number reused, meanwhile), and both together;
// - makes a slot current again when it is live (a command run during the wait
//   may have made another current); false when it is gone.
bool PointsGiven(int tool_result);
bool SlotStillShows(int number, HWND window);
bool ToolAnsweredInSlot(int code, int number, HWND window);
bool SelectSlotAgain(int number);

// ---- display and zoom (zoom.cpp, stretch_mode.cpp) -------------------------------
// The zoom steps of Ctrl + keypad "+" / "-" and the Ctrl + wheel.
int ZoomStepUp(int zoom);    // (10 x zoom + 4) div 9
int ZoomStepDown(int zoom);  // (9 x zoom + 5) div 10
void StepZoomUp(int number);
void StepZoomDown(int number);
// Tab: COLORONCOLOR <-> HALFTONE.
void ToggleStretchMode(int number);
// "&Zoom..." and "&Resize...": prompt in text window 0, read, apply.
void PromptZoom(int number);
void PromptResize(int number);

// What ZUL_ResizeImage carries over to the re-made window (window_remake.cpp):
// title, outer position, zoom request, bits, stretch mode and 8-bit palette.
struct ImageWindowLook {
  char title[kCaptionBytes];
  int left, top, zoom, bits, stretch_mode;
  RGBQUAD colors[kPaletteEntries];
};
void CaptureImageWindowLook(int number, ImageWindowLook* look);
// Makes the slot's window (free) again at width x height with that look; the
// creation's code (0 done; 2, 3 cannot be made).
int RemakeImageWindow(int number, const ImageWindowLook& look, int width, int height);
// Resizes the slot's window so that its client grows by the change of view;
// the frame is carried over as it is.
void ResizeToView(const ImageWindow& slot, int view_width, int view_height);
// A slot's window taking a new pixel size without being made again: the
// next surface is made beside the present one (same bits, colour table and
// stretch mode, fitted at the window's zoom), filled from it by the caller,
// then adopted: the window takes the new view and the old surface is kept
// as the spare for the next change of the same size.
struct NextSurface {
  ZoomFit fit;
  HBITMAP dib;
  HDC dc;  // holds `dib` until it is adopted
  HGDIOBJ previous;
  ImageSurface surface;  // its pixels: any values, the caller writes every one
};
// 0 made; 2 it cannot be shown at any zoom; 3 no memory (nothing made).
int MakeNextSurface(int number, int width, int height, NextSurface* next);
void DropNextSurface(NextSurface* next);
void AdoptNextSurface(int number, NextSurface* next);
// A new window at the top left of the screen, zoom 100, in the first slot
// that accepts it (it becomes current): that slot, or -1 when none does.
int CreateInFirstSlot(const char* title, int width, int height, int bits);

// ---- presentation (presentation.cpp; the public calls are in zullib.h) ---------------
LRESULT CALLBACK PresentationProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
void EndPresentation();
// Copies slot `number`'s picture to its presentation, if it is presented.
void ShowPresentedChanges(int number);
// The monitor slot `number` is presented on, or 0.
int PresentationMonitorOf(int number);

// ---- menus (image_menus.cpp) -------------------------------------------------------
// The right-click menu of slot `number` (zoom items checked at 50 / 100 / 200).
HMENU BuildImageMenu(int number);
// The Ctrl + right click (or middle click) menu; its Information submenu
// follows the slot's bit depth.
HMENU BuildToolsMenu(int number);
// The menu a right (or, with MK_CONTROL forced, middle) click on `window`
// opens, or null when none may open: a point tool waits, a text window waits
// for a line, or the window has no live slot.
HMENU BuildContextMenu(HWND window, WPARAM wparam);
// Builds the menu as above, tracks it at the cursor and destroys it.
void ShowContextMenu(HWND window, WPARAM wparam);

// ---- file dialogs (image_dialogs.cpp) -----------------------------------------------
// Start-up: both dialogs open first in the directory current at start-up.
void RecordDialogDirectories();

// ---- keys and commands (image_keys.cpp, image_commands.cpp) -----------------------
void ImageWindowKey(HWND window, WPARAM key);
void ImageWindowCommand(HWND window, int id);

// ---- mouse (mouse_feed.cpp) -----------------------------------------------------------
// Image coordinate of a client coordinate at `zoom` percent.
int ClientToImage(int client, int zoom);
// WM_MOUSEMOVE, the left, right and middle presses and the wheel; false
// for any other message.
bool ImageMouseMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// ---- operations of the commands, one place each ----------------------------------------
// Each gets the slot the command table chose (found or activated) and the
// window the message came in on; the table repaints afterwards where the
// command asks for it.
// Files and clipboard (image_file_commands.cpp).
void LoadImageCommand(HWND window, int number);
void SaveImageCommand(HWND window, int number);
void CutImageCommand(HWND window, int number);
void CopyImageCommand(HWND window, int number);
void PasteImageCommand(HWND window, int number, bool at_top_left);
void DropFilesCommand(HWND window, HDROP drop);
// Colour analysis (image_analysis_commands.cpp): ids 1015-1018, 1021, 1022, 1070.
void AnalysisCommand(HWND window, int number, int id);
// Drawing and colours (image_drawing_commands.cpp): lines, boxes, circles, Paint.
void DrawingCommand(HWND window, int number, int id);
void ColorChangeCommand(HWND window);
void ColorPickCommand(HWND window, int number);
// Text (image_text_commands.cpp).
void DrawTextCommand(HWND window, int number);
void TrueTypeDrawCommand(HWND window, int number);
void FontChangeCommand(HWND window);
// The TrueType text font (truetype_text.cpp) and its cell size; start-up
// makes it, shutdown releases it.
extern HFONT tt_font;
extern int tt_cell_width;
extern int tt_cell_height;
void MakeTrueTypeFont();
void ReleaseTrueTypeFont();
// The LOGFONTW of the TrueType text font (made as at start-up when there is
// none yet); all zero when it cannot be read.
LOGFONTW CurrentTTLogFont();
// Makes the TrueType text font anew from `font`: 0, or 1 when that failed and
// the old font stays.
int ReplaceTTFont(const LOGFONTW& font);
// How the TrueType text font is made (CreateFontIndirectW; a test may put a
// failing maker here).
extern HFONT(WINAPI* create_tt_font)(const LOGFONTW*);
// Test patterns on the current image window (image_pattern_commands.cpp).
void TestPatternCommand(HWND window, int number, int id);
// Whole-image transforms and clipping (image_transform_commands.cpp).
void ClippingCommand(HWND window, int number);
void InvertCommand(HWND window, int number);
void FlipCommand(HWND window, int number, int id);
void RotateCommand(HWND window, int number, int id);
void ScaleCommand(HWND window, int number, int per_mille);

}  // namespace zul
