// Framework core, the spine every subsystem stands on: start-up, the worker
// thread and its window requests, snapping, prompts, what every framework
// window does alike, and the small text and menu utilities.
#pragma once

#include "zullib.h"

#include "core/command_ids.h"

#include <cstdarg>
#include <cstddef>

// ---- start-up state -----------------------------------------------------------
constexpr int kPathUnits = MAX_PATH;  // 260

extern HINSTANCE zul_instance;
extern HWND main_window;
extern HWND status_label;
extern HMENU main_menu_bar;
extern ULONG_PTR gdiplus_token;
extern double ms_factor;              // 1000 / performance-counter frequency
extern int bits_per_pixel;            // the display's, read when the main window is made
extern HANDLE worker_thread;

extern wchar_t load_directory_w[kPathUnits];
extern char load_directory[kPathUnits];
extern wchar_t save_directory_w[kPathUnits];
extern char save_directory[kPathUnits];
extern wchar_t log_directory_w[kPathUnits];  // ends with a backslash
extern char log_directory[kPathUnits];

extern COLORREF custom_colors[16];     // the colour dialog's custom colours
extern wchar_t last_input[256];        // the text input's recall line

extern HFONT tt_font;                  // the TrueType text font
extern int tt_cell_width;
extern int tt_cell_height;
// The text font as start-up makes it, at the present cell size.
HFONT CreateTextDrawingFont();

// Process-wide words owned by the text input and the point tools; the main
// window reads them to keep a second command from starting meanwhile.
extern std::atomic<int32_t> text_input_pending;
extern std::atomic<int32_t> point_tool_active;
// A box's menus and renaming must not start while a text window waits for a
// line: they would read from the same input.
inline bool CommandsBlocked() { return text_input_pending != 0; }

// Start-up steps 1-8: GDI+, clock, tables, directories, window classes.
// Returns 0, or 1 when a window class could not be registered. A test program
// calls it to use the framework's windows without the main window.
int ZulInitialize(HINSTANCE instance);
// The whole run of the process: start-up, main window, message loop, shutdown.
// Returns the process exit code.
int ZulMain(HINSTANCE instance);
// The directory that start-up records for logs: `dir` with one trailing
// backslash (none added when it already ends in one), cut to `capacity`.
void MakeLogDirectory(const wchar_t* dir, wchar_t* out, int capacity);

// ---- text and menu helpers ----------------------------------------------------
constexpr int kWindowTextUnits = 256;

// ANSI (CP_ACP) to UTF-16 into `out` of `capacity` units, terminator included;
// text that does not fit is cut. Returns the units written, terminator excluded.
int AnsiToWide(const char* text, wchar_t* out, int capacity);
// The same from a given code page (932 for the framework's Japanese texts).
int CodePageToWide(UINT code_page, const char* text, wchar_t* out, int capacity);
// UTF-16 to ANSI into `out` of `capacity` bytes, terminator included; cut to fit
// without splitting a double-byte character. Returns the bytes written.
int WideToAnsi(const wchar_t* text, char* out, int capacity);

// A colour 0x00RRGGBB as GDI takes it (COLORREF 0x00BBGGRR), and back.
inline COLORREF ColorToGdi(uint32_t rrggbb) {
  return RGB((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}
inline uint32_t ColorFromGdi(COLORREF c) {
  return static_cast<uint32_t>(GetRValue(c)) << 16 | static_cast<uint32_t>(GetGValue(c)) << 8 | GetBValue(c);
}

// printf into `out` of `capacity` bytes: always terminated, longer text cut at
// the end, a formatting failure gives "".
void FormatBounded(char* out, size_t capacity, const char* format, va_list arguments);

void GetWindowTextAnsi(HWND window, char* buffer, int capacity);
void SetWindowTextAnsi(HWND window, const char* text);

constexpr int kStatusFieldBytes = 64;
// Lays `text` out centred around column 18 of a 64-byte blank field.
void FormatStatusField(const char* text, char field[kStatusFieldBytes]);
void SetStatusText(const char* text);
// The status label's normal text: "%d-bit color" with the display's depth.
void ShowDisplayDepth();

constexpr UINT kMenuEnabled = 0;
constexpr UINT kMenuGreyed = 3;
void InsertMenuText(HMENU menu, UINT position, UINT state, UINT id, const char* caption);
void InsertMenuSeparator(HMENU menu, UINT position);
void InsertSubMenu(HMENU menu, HMENU submenu, UINT position, const char* caption);

// ---- prompts (prompt.cpp) ------------------------------------------------------------
constexpr int kPromptLineBytes = 256;  // a typed line, terminator included
// A 64-bit value clamped to the int range.
int ClampToInt(int64_t value);
// A typed number: leading blanks, optional sign, digits; anything else ends
// it. Non-numeric text gives 0, numbers beyond the int range are clamped.
int ParseTypedNumber(const char* text);
// Prints the formatted prompt in the current text window and reads the line
// typed there into `line` (always terminated; empty when no text window is
// live). Both pump messages while they wait. They return false when the
// program is ending: the caller then stops.
bool PromptLine(char line[kPromptLineBytes], const char* format, ...);
bool PromptNumber(int* value, const char* format, ...);

// ---- worker thread and window requests ----------------------------------------
enum RequestCode : int32_t {
  kRequestCreateImage = 9001,
  kRequestRedrawImage = 9002,
  kRequestLoadImageFile = 9003,
  kRequestPasteBitmap = 9004,
  kRequestOpenTextWindow = 9005,
  kRequestOpenInputBox = 9006,
  kRequestOpenButtonBox = 9007,
};

// The single cross-thread request record. `code` and `done` are the
// synchronising words: the requester writes the arguments, then `done` = 0,
// then `code`; the worker writes `result`, then `done` = 1, then `code` = 0.
struct WindowRequest {
  std::atomic<int32_t> code;
  std::atomic<int32_t> done;
  int32_t number;
  const char* title;
  int32_t x, y;
  int32_t width, height;
  int32_t zoom;
  int32_t bits;
  const char* file_name;
  HBITMAP bitmap;
  int32_t result;
  // Where the worker also writes `result`: the requester's own variable, so a
  // request made while another one waits cannot hand its result to the other.
  int32_t* result_out;
};
extern WindowRequest window_request;

DWORD WINAPI WorkerThreadMain(LPVOID);
void PumpWorkerMessages();
void PumpMainMessages();
void DispatchWindowRequest();

// The requesters wait until the worker has carried the request out; when the
// program ends first (Exit), they stop waiting and RequestCreateImage and
// RequestLoadImageFile return 1 (not carried out).
int RequestCreateImage(int number, const char* title, int width, int height, int bits);
void RequestRedrawImage(int number);
int RequestLoadImageFile(int number, const char* file_name);
void RequestPasteBitmap(HBITMAP bitmap);
void RequestOpenTextWindow(int number);
void RequestOpenInputBox(int items);
void RequestOpenButtonBox(int columns, int rows);

// ---- snapping -----------------------------------------------------------------
// Room for the four screen strips, every image and text window, both boxes and
// the main window, so the list can never overflow.
constexpr int kSnapCapacity = 4 + 256 + 256 + 2 + 1;
constexpr int kSnapDistance = 8;  // closer than this snaps

struct SnapList {
  int32_t left[kSnapCapacity];
  int32_t top[kSnapCapacity];
  int32_t right[kSnapCapacity];
  int32_t bottom[kSnapCapacity];
  int count;
};
extern SnapList snap_rects;

void ClearSnapList(SnapList* list);
void AddSnapRect(SnapList* list, const RECT& rect);  // ignored when full
void AddScreenStrips(SnapList* list, int screen_width, int screen_height);
void RebuildSnapRects();
// The geometry of a snap: adjusts `proposed` against `list`, skipping the entry
// equal to `present` (the moving window itself). Nothing happens without Ctrl.
void SnapRectAgainst(const SnapList& list, const RECT& present, RECT* proposed, bool ctrl_held);
void SnapMovingWindow(HWND window, RECT* proposed);

// ---- what every framework window does (window_common.cpp) -------------------------
// Whether Ctrl is held, as the key state of the calling thread says.
bool ControlHeld();
// Snapping: WM_MOVE rebuilds the snap list and WM_MOVING snaps the proposed
// rectangle. Returns true when `message` was one of the two, with what the
// window procedure returns in `result` (TRUE for WM_MOVING: handled).
bool HandleSnapMessage(HWND window, UINT message, LPARAM lparam, LRESULT* result);
// Keys X, Esc, S and C pressed in a framework window are the main window's:
// they are posted to it as they came. Returns whether `key` was one of them.
bool ForwardKeyToMainWindow(WPARAM key, LPARAM lparam);
// Keyboard shortcuts post their menu command to the window itself.
void PostCommandToWindow(HWND window, int id);
// Tracks `menu` (right button) at the cursor, owned by `window`, then destroys
// it; a null menu shows nothing.
void TrackMenuAtCursor(HWND window, HMENU menu);
// Moves a window, by the least distance, so that it lies inside the work area
// (work_area_fit.cpp).
void MoveWindowIntoWorkArea(HWND window);
