// Text windows: the table of 256 console-like text windows, their output,
// line input and (per window number) their log files.
#pragma once

#include "core/core.h"

#include <cstdarg>
#include <cstdio>

namespace zul {

constexpr int kTextSlots = 256;
constexpr int kTextHistory = 8;  // previously current text windows kept
constexpr int kColorStackDepth = 8;
constexpr int kDefaultTextWidth = 400;
constexpr int kDefaultTextHeight = 300;
constexpr int kPrintfBytes = 4096;  // formatted output, terminator included
constexpr int kPrintfUnits = 4096;  // the same converted to UTF-16
constexpr DWORD kTextWindowStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;

struct TextWindow {
  int32_t in_use;
  int32_t width, height;
  int32_t cursor_x, cursor_y;
  int32_t char_width, char_height;
  uint32_t text_colour, back_colour;
  uint32_t text_colour_stack[kColorStackDepth];
  uint32_t back_colour_stack[kColorStackDepth];
  HWND window;
  HDC memory_dc;
  HDC window_dc;
  HBITMAP bitmap;
  HGDIOBJ previous_bitmap;
};

extern TextWindow text_windows[kTextSlots];
extern int current_text_window;
extern int text_window_history[kTextHistory];  // entry 0 newest

// ---- table, open / close / select (text_table.cpp) ----------------------------
// Start-up: every slot free, the history cleared, the current window 0.
void ClearTextTable();
bool TextNumberValid(int number);
bool TextWindowLive(int number);
// The live slot whose window is `window`, or -1.
int FindTextWindow(HWND window);
// The current text window's slot when it is live, otherwise null.
TextWindow* CurrentLiveTextWindow();

// ---- back buffer and layout (text_layout.cpp) ----------------------------------
// Every call below that draws into a back buffer or copies it to its window
// holds the text drawing lock (re-entrant) while it does; so do the colours.
void LockTextDrawing();
void UnlockTextDrawing();
// Makes the window's device contexts and back buffer of its width x height,
// black, with the black brush, the OEM fixed font and the colours selected.
void CreateTextBackBuffer(TextWindow& t);
// Puts the previous bitmap back and frees the back buffer and both DCs.
void ReleaseTextBackBuffer(TextWindow& t);
// The WM_SIZE rebuild: new size, new buffer, cleared, cursor at the top left.
void RebuildTextBackBuffer(TextWindow& t, int width, int height);
void FillTextBackBuffer(TextWindow& t, int top);  // black from `top` down
// Draws `count` units at (x, y) with the current colours, opaque cells.
void DrawTextUnits(TextWindow& t, int x, int y, const wchar_t* units, int count);
// Width in pixels of one unit: one cell below 0x80, two cells otherwise.
int UnitAdvance(const TextWindow& t, wchar_t unit);
// Moves the cursor to the start of the next line and scrolls when the new
// line does not fit. Returns whether the buffer scrolled.
bool AdvanceTextLine(TextWindow& t);
// One-line scroll when the line at `cursor_y` does not fit. Returns whether
// it scrolled.
bool ScrollTextIfNeeded(TextWindow& t);
void InvalidateTextCells(const TextWindow& t, int x, int y, int cells);
void InvalidateWholeTextWindow(const TextWindow& t);
// Rows top to bottom (exclusive) of a back buffer, across its whole width.
struct TextRows {
  int top, bottom;
};
// Lays `units` (zero-terminated) out from the cursor with wrapping, one draw
// per run. Returns the rows that changed: the whole buffer after a scroll.
TextRows LayOutTextUnits(TextWindow& t, const wchar_t* units);
// Copies `area` of the back buffer to the same place of the window.
void CopyBackBufferToWindow(const TextWindow& t, const RECT& area);
// Copies `rows` of the back buffer straight to the window, so they show
// without a paint (a paint copies the same pixels); on another thread than
// the window's, the rows are invalidated instead.
void ShowTextRows(const TextWindow& t, TextRows rows);

// ---- colours (text_colors.cpp) -----------------------------------------------
void ApplyTextColours(TextWindow& t);
void ResetTextColours(TextWindow& t);  // white on black, both stacks filled

// ---- log files (text_log.cpp; the public calls are in zullib.h) ----------------
// The state of each window number's log. Both tables are changed under the
// log lock of text_log.cpp, from either thread.
enum LogState : int32_t { kNoLog = 0, kLogging = 1, kLogPaused = 2 };
extern std::atomic<int32_t> log_state[kTextSlots];
extern FILE* log_file[kTextSlots];
// Writes `text` unchanged to the log of `number` when it is logging, flushed.
void WriteTextLog(int number, const char* text);
// The directory current at start-up, with its backslash (ANSI): the logs go
// there. RecordLogDirectory sets it.
extern char log_directory[kPathUnits];
void RecordLogDirectory();
// The directory that start-up records for logs: `dir` with one trailing
// backslash (none added when it already ends in one), cut to `capacity`.
void MakeLogDirectory(const wchar_t* dir, wchar_t* out, int capacity);

// ---- text input (text_input.cpp, key_queue.cpp) --------------------------------
constexpr int kKeyQueueUnits = 256;
constexpr int kInputLineUnits = 255;    // typed units, terminator not counted
constexpr int kInputBufferBytes = 256;  // the caller's buffer
constexpr int kCaretBlinkMs = 200;

extern wchar_t key_queue[kKeyQueueUnits];
extern std::atomic<int32_t> queue_write;  // next slot to fill
extern std::atomic<int32_t> queue_read;   // next unit to take, -1 empty
// Request from a text window's keys to the waiting input: 0 none, 1 recall
// the previous line, 2 paste the clipboard.
extern std::atomic<int32_t> input_action;
constexpr int32_t kInputActionNone = 0;
constexpr int32_t kInputActionRecall = 1;
constexpr int32_t kInputActionPaste = 2;

extern wchar_t last_input[kInputLineUnits + 1];  // the recall line

void ClearKeyQueue();
void PutKeyUnit(wchar_t unit);        // dropped when the queue is full
bool PutKeyUnitIfRoom(wchar_t unit);  // false when full (the unit is dropped)
wchar_t TakeKeyUnit();                // 0 when nothing is queued

// ---- window procedure (text_window_proc.cpp) and its commands -------------------
LRESULT CALLBACK TextWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// Keys and mouse of a text window while no input is pending; the context menu
// and the command ids (text_commands.cpp).
void TextWindowKey(HWND window, int number, WPARAM key);
// The context menu of text window `number`, built afresh (the caller destroys
// it); null while an input is pending, a point tool waits or the window is not
// live, when no menu may open.
HMENU BuildTextWindowMenu(int number);
void ShowTextWindowMenu(HWND window, int number);
void TextWindowCommand(HWND window, int number, int id);

// Prints `text`, given in `code_page`, to the current text window; the log
// gets the bytes unchanged (text_output.cpp).
void PrintCodePageText(UINT code_page, const char* text);
// ZUL_Printf with its arguments as a va_list.
void PrintFormatted(const char* format, va_list arguments);

// ---- prompts (prompt.cpp) ---------------------------------------------------------
constexpr int kPromptLineBytes = 256;  // a typed line, terminator included
// A typed number: leading blanks, optional sign, digits; anything else ends
// it. Non-numeric text gives 0, numbers beyond the int range are clamped.
int ParseTypedNumber(const char* text);
// Prints the formatted prompt in the current text window and reads the line
// typed there into `line` (always terminated; empty when no live text window
// can read it). Both pump messages while they wait. They return false when
// the program is ending: the caller then stops.
bool PromptLine(char line[kPromptLineBytes], const char* format, ...);
bool PromptNumber(int* value, const char* format, ...);
// Renaming a control of a box: shows the text window, prints
// "<index> '<present caption>' ->" and reads the new caption into `line`.
// Returns whether one was typed (an empty answer keeps the caption).
constexpr int kCaptionPromptUnits = 512;  // a caption as read back
bool PromptNewCaption(HWND control, int index, char line[kPromptLineBytes]);

// ---- window information report (window_report.cpp, source_fragment.cpp) --------
// Makes text window `number` current, prints every live framework window into
// it and puts source lines that recreate the layout on the clipboard.
void PrintWindowInformation(int number);

// The generated source: a zero-terminated text on the heap that grows as whole
// lines are appended. Owned by the report that made it (worker thread).
struct SourceFragment {
  char* text;     // null when not even the first block could be allocated
  size_t length;  // bytes before the terminator
  size_t capacity;
  bool full;  // no more lines are added (growth failed or no text)
};
void StartFragment(SourceFragment* fragment);
// Appends one formatted line whole, or (when the text cannot grow) nothing,
// then no later line either.
void AppendFragmentLine(SourceFragment* fragment, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
void FreeFragment(SourceFragment* fragment);
// Copies `text` into `out` of `capacity` bytes with every line feed written as
// the two characters backslash and n.
void EscapeLineFeeds(const char* text, char* out, int capacity);

}  // namespace zul
