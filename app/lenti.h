// The lenticular display test bench: interlaces side-by-side views, sub-pixel
// by sub-pixel, into an 800 x 480 picture for a slanted lens sheet.
#pragma once

#include "zullib.h"

#include <vector>

// Window numbers.
constexpr int kInputWindow = 0;
constexpr int kWorkWindow = 1;
constexpr int kOutputWindow = 2;

constexpr int kOutputWidth = 800;
constexpr int kOutputHeight = 480;
constexpr int kOutputSubpixels = kOutputWidth * 3;  // 2400 sub-pixel columns
constexpr int kRowBlocks = kOutputHeight / 3;       // 160 blocks of three rows

// Parameters; they keep their values from one run to the next.
extern double pitch;            // lens pitch in output sub-pixels, 1 to 50
extern int pic_num;             // pictures side by side in the input, at least 2
extern int view_num;            // views under one lens, at least 2
extern int gap;                 // leading columns of each view strip made black
extern int pos;                 // shift in sub-pixels of every view but the first
extern int AA;                  // 1: blend the first column of a strip with the previous one
extern int output_x, output_y;  // where the output window opens

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

// Per channel trunc((1 - x) * c + x * p), as 0xRRGGBB.
uint32_t BlendColors(double x, uint32_t c, uint32_t p);
// Writes one colour into sub-pixel column `a` of the three rows of block `o`
// of the current image window.
void WriteSubpixels(int o, int a, uint32_t colour);
// The column count less one of each view under the lens that starts at
// sub-pixel column `x`, with the next view boundary at `t` and `dt` sub-pixels
// per view; `widths` gets view_num entries.
void ComputeViewWidths(int x, double t, double dt, int views, std::vector<int>* widths);
// Renders window 1 into window 2, shows it and prints the parameters.
void RenderLenticular();
