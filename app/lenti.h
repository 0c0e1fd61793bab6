// The lenticular display test bench: interlaces side-by-side views, sub-pixel
// by sub-pixel, for a slanted lens sheet: with the classic interlacer into an
// 800 x 480 picture for a lens slanted by one sub-pixel per row, with the
// free interlacer for any panel or print.
#pragma once

#include "zullib.h"

#include "interlace/classic_interlacer.h"
#include "interlace/settings.h"

// Window numbers.
constexpr int kInputWindow = 0;
constexpr int kWorkWindow = 1;
constexpr int kOutputWindow = 2;

constexpr int kOutputWidth = kClassicWidth;
constexpr int kOutputHeight = kClassicHeight;
constexpr int kOutputSubpixels = kClassicSubpixels;  // 2400 sub-pixel columns
constexpr int kRowBlocks = kClassicRowBlocks;        // 160 blocks of three rows

// Parameters of the button panel; they keep their values from one run to the next.
extern double pitch;            // lens pitch in output sub-pixels, 1 to 50
extern int pic_num;             // pictures side by side in the input, at least 2
extern int view_num;            // views under one lens, at least 2
extern int gap;                 // leading columns of each view strip made black
extern int pos;                 // shift in sub-pixels of every view but the first
extern int AA;                  // 1: blend the first column of a strip with the previous one
extern int output_x, output_y;  // where the output window opens
constexpr char kOutputTitle[] = "Hello,there!";
extern int output_monitor;  // the monitor the output is presented on; 0 none

// The rest of the settings (output size, slant, order, offset, source,
// interlacer), which the settings box shows; worker thread.
extern LentiSettings panel_settings;
// All the settings: panel_settings with the buttons' parameters.
LentiSettings BenchSettings();
// Makes `settings` the bench's: the buttons' parameters and panel_settings.
void ApplySettings(const LentiSettings& settings);

enum Button {
  kPitchDown = 0,
  kPitchUp = 1,
  kPitchDownFine = 2,
  kPitchUpFine = 3,
  kPitchDownFinest = 4,
  kPitchUpFinest = 5,
  kBreak = 6,
  kCapture = 7,
  kPicDown = 8,
  kPicUp = 9,
  kViewDown = 10,
  kViewUp = 11,
  kAaOn = 12,
  kAaOff = 13,
  kGapDown = 14,
  kGapUp = 15,
  kPosDown = 16,
  kPosUp = 17,
};
// Carries out the action of one button press (without rendering); returns
// false for "break".
bool PressButton(int button);

// Renders the output with the present settings, shows it and prints the
// parameters (render.cpp). The classic interlacer renders window 1 into
// window 2; the free one window 0 (or a chart) into window 2 at the output
// size.
void RenderLenticular();
// Prints the parameters and the last status line in text window 0.
void PrintBenchState();
// A line shown under the parameters until the next one (a profile loaded,
// a value refused); "" for none.
void SetStatusLine(const char* text);
const char* StatusLine();
// The work window, window 0 with every pixel tripled, made when it is not
// there: false when there is no input or it cannot be made (lenti_main.cpp).
bool PrepareWorkWindow();

// ---- the settings box (settings_box.cpp) -----------------------------------------------
// The input box with the settings beside the buttons; `lenti.ini` in the
// working folder is loaded first when there is one.
void OpenSettingsBox();
// Puts the present settings in the box's fields.
void ShowSettingsInBox();
// Acts on the fields changed since the last look: a setting, a profile to
// load or save, the monitor to present the output on. True when the output
// must be rendered again.
bool TakeChangedFields();
// "cap": the output and, beside it, the settings that made it.
void CaptureOutput();
