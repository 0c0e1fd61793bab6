// ZULLIB 7.0: a window framework for image-processing experiments.
//
// The one header an application includes. An application is a program that
// defines AppSetup (called once when the worker thread starts) and AppMain
// (called on every Start) and links the zullib library, which holds the
// process entry. Windows are addressed by kind and number (0-255); calls
// return small integer codes, 0 for success.
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

// ---- run state (process-wide words polled by both threads) ------------------
extern std::atomic<int32_t> start_requested;  // Start was chosen
extern std::atomic<int32_t> running;          // AppMain is running
extern std::atomic<int32_t> stop_requested;   // Stop was chosen: running code should stop
extern std::atomic<int32_t> quit_state;       // 0 normal; non-zero: the program is ending

// ---- core utilities ---------------------------------------------------------
int ZUL_GetTime();                 // milliseconds from the high-resolution counter
void ZUL_Pause(const char* text);  // modal message box captioned "Pause"

// ---- image windows and surfaces ---------------------------------------------
int ZUL_CreateImage(int number, const char* title, int x, int y, int width, int height, int zoom);
int ZUL_CreateImage8(int number, const char* title, int x, int y, int width, int height, int zoom);
int ZUL_DestroyImage(int number);
int ZUL_RedrawImage(int number);
int ZUL_SelectImage(int number);
int ZUL_RestoreImage();

// ---- pixels and colour conversions ------------------------------------------
// Drawing state shared by the bitmap-font and TrueType text.
extern uint32_t zul_tttc;             // TrueType text colour, 0xRRGGBB
extern int text_x, text_y, text_left; // text cursor and its left margin

// ---- image files --------------------------------------------------------------
int ZUL_LoadImageFile(const char* file_name, int x, int y);

// ---- image window display and zoom ------------------------------------------

// ---- text windows -------------------------------------------------------------
int ZUL_OpenTextWindow(int number, int x, int y, int width, int height);
int ZUL_CloseTextWindow(int number);
int ZUL_SelectTextWindow(int number);
void ZUL_ShowTextWindow();
void ZUL_Printf(const char* format, ...);
void ZUL_ClearTextWindow();
void ZUL_PushTextColor(uint32_t text, uint32_t back);
void ZUL_PopTextColor();

// ---- text input -----------------------------------------------------------------
// Reads a typed line from the current text window into `buffer` (256 bytes).
void ZUL_Input(char* buffer);

// ---- input box and button box ----------------------------------------------------
