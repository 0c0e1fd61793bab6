// Framework core, the bottom layer every subsystem stands on: the process-wide
// words and handles, text, menu and path helpers, the clock, message pumps,
// snap geometry and what every framework window does alike. It includes no
// other subsystem.
#pragma once

#include "zullib.h"

#include "core/command_ids.h"

#include <cstdarg>
#include <cstddef>

namespace zul {

// ---- process-wide words and handles (process_state.cpp) --------------------------
constexpr int kPathUnits = MAX_PATH;  // 260

// The values of `quit_state` (zullib.h): the main window sets kQuitting at
// Exit; the worker sets kQuitWorkerGone when it has left its loop and serves
// no request any more.
enum QuitState : int32_t { kQuitNone = 0, kQuitting = 1, kQuitWorkerGone = 2 };

// Process-wide words owned by the text input and the point tools; every
// window reads them to keep a second command from starting meanwhile.
// `text_input_pending` is kNoInputPending, or the marker of the text window
// being read.
extern std::atomic<int32_t> text_input_pending;
constexpr int32_t kNoInputPending = 0;
constexpr int32_t InputMarkerOf(int text_window) { return text_window + 1; }
extern std::atomic<int32_t> point_tool_active;

extern HINSTANCE zul_instance;
extern HWND main_window;    // set by the main window's creation
extern HWND status_label;   // the main window's status label
extern int bits_per_pixel;  // the display's, read when the main window is made

// Who asks whether a context menu may open (window_common.cpp).
enum class MenuOwner {
  kMainWindow,       // opens while a text window waits, its worker commands greyed
  kFrameworkWindow,  // image and text windows and the boxes
};
// No context menu opens while a point tool waits for clicks (the click is the
// tool's); no framework window's opens while a text window waits for a line
// (its commands would read from the same input).
bool ContextMenuMayOpen(MenuOwner owner = MenuOwner::kFrameworkWindow);

// ---- the clock (clock.cpp) and message pumps (message_pump.cpp) -------------------
// Start-up: reads the counter's frequency for ZUL_GetTime.
void StartClock();
// The open input box, whose messages the worker's pump gives its dialog keys
// (Tab, Enter); worker thread.
extern HWND worker_dialog;
// Process every waiting message of the calling thread.
void PumpWorkerMessages();
void PumpMainMessages();

// ---- text helpers (text_convert.cpp) ------------------------------------------------
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
  return static_cast<uint32_t>(GetRValue(c)) << 16 | static_cast<uint32_t>(GetGValue(c)) << 8 |
         GetBValue(c);
}

// printf into `out` of `capacity` bytes: always terminated, longer text cut at
// the end, a formatting failure gives "".
void FormatBounded(char* out, size_t capacity, const char* format, va_list arguments);

void GetWindowTextAnsi(HWND window, char* buffer, int capacity);
void SetWindowTextAnsi(HWND window, const char* text);

// A 64-bit value clamped to the int range.
inline int ClampToInt(int64_t value) {
  return value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : static_cast<int>(value);
}

// ---- the status label (status_label.cpp) --------------------------------------------
constexpr int kStatusFieldBytes = 64;
// Lays `text` out centred around column 18 of a 64-byte blank field.
void FormatStatusField(const char* text, char field[kStatusFieldBytes]);
void SetStatusText(const char* text);
// The status label's normal text: "%d-bit color" with the display's depth.
void ShowDisplayDepth();

// ---- menus (menus.cpp) -----------------------------------------------------------------
constexpr UINT kMenuEnabled = 0;
constexpr UINT kMenuGreyed = 3;
void InsertMenuText(HMENU menu, UINT position, UINT state, UINT id, const char* caption);
void InsertMenuSeparator(HMENU menu, UINT position);
void InsertSubMenu(HMENU menu, HMENU submenu, UINT position, const char* caption);

// Every menu of the framework is a table of rows, built afresh by BuildMenu
// each time it opens. A row's rules are asked about the window the menu
// belongs to, given by its number (the slot; 0 for a window without one).
using MenuRule = bool (*)(int number);
struct MenuTable;
struct MenuRow {
  UINT id;                   // the command; 0 for a separator or a submenu
  const char* caption;       // null for a separator; a "%d" shows the number
  const MenuTable* submenu;  // the rows of a submenu, else null
  MenuRule checked;          // null: never checked
  MenuRule greyed;           // null: never greyed
  MenuRule shown;            // null: always there
};
struct MenuTable {
  const MenuRow* rows;
  int count;
};
template <size_t N>
constexpr MenuTable Rows(const MenuRow (&rows)[N]) {
  return MenuTable{rows, static_cast<int>(N)};
}
constexpr MenuRow Item(UINT id, const char* caption, MenuRule checked = nullptr,
                       MenuRule greyed = nullptr) {
  return MenuRow{id, caption, nullptr, checked, greyed, nullptr};
}
constexpr MenuRow Separator() { return MenuRow{0, nullptr, nullptr, nullptr, nullptr, nullptr}; }
constexpr MenuRow SubMenu(const char* caption, const MenuTable* rows, MenuRule shown = nullptr) {
  return MenuRow{0, caption, rows, nullptr, nullptr, shown};
}
enum class MenuKind { kPopup, kBar };
// The menu of `table` for window `number`; the caller destroys it (and with
// it its submenus).
HMENU BuildMenu(const MenuTable& table, int number, MenuKind kind = MenuKind::kPopup);

// ---- snapping (snap.cpp) ----------------------------------------------------------------
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
void AddWindowRect(SnapList* list, HWND window);     // nothing for no window
void AddScreenStrips(SnapList* list, int screen_width, int screen_height);
// Who adds the framework's windows to the list on each rebuild (start-up).
void SetSnapWindowGatherer(void (*gather)(SnapList* list));
// Rebuilds the list: the screen strips, then the gatherer's windows.
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

}  // namespace zul
