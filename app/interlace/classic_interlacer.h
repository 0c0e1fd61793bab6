// The classic interlacer of the test bench: a picture of two or more views
// side by side, with every pixel tripled horizontally (the "work" picture),
// interlaced sub-pixel by sub-pixel into 800 x 480 pixels for a lens sheet
// slanted by one sub-pixel per row.
//
// The output's sub-pixel columns are numbered 0 to 2399 and its rows taken in
// blocks of three (block o covers rows 3o to 3o + 2). Lens by lens, each view
// strip samples its picture backwards across one pitch, one work column per
// output column, and writes block o's sample at sub-pixel column X + 3o (plus
// pos for every view but the first) of the block's three rows: the step of
// three in x and y per block slants the layout by one sub-pixel per row.
// Sub-pixel column a of a block is, in its rows 0-2, the red, green and blue
// of pixel a / 3 (a mod 3 = 0); the blue of a / 3, then the red and green of
// a / 3 + 1 (a mod 3 = 1); the green and blue of a / 3, then the red of
// a / 3 + 1 (a mod 3 = 2). A negative column writes nothing, nor does a pixel
// outside the picture; each write keeps the pixel's other channels.
#pragma once

#include <cstdint>
#include <vector>

#include "interlace/picture.h"

constexpr int kClassicWidth = 800;
constexpr int kClassicHeight = 480;
constexpr int kClassicSubpixels = kClassicWidth * 3;   // 2400 sub-pixel columns
constexpr int kClassicRowBlocks = kClassicHeight / 3;  // 160 blocks of three rows

struct ClassicParameters {
  double pitch;  // lens pitch in output sub-pixels
  int pictures;  // pictures side by side in the work picture
  int views;     // views under one lens
  int gap;       // leading columns of each view strip made black
  int pos;       // shift in sub-pixels of every view but the first
  int aa;        // 1: blend the first column of a strip with the previous one
};

// Renders `work` into `output` (800 x 480 words): every sub-pixel that no
// strip writes is black, so the picture depends on the parameters alone.
void RenderClassic(const ClassicParameters& p, const Picture& work, const Picture& output);
// The work picture of `input`: pixel (x, y) of the input at (3x .. 3x + 2, y)
// of `work`, which is 3 x the input's width.
void TriplePicture(const Picture& input, const Picture& work);

// Per channel trunc((1 - x) * c + x * p), as 0xRRGGBB.
uint32_t BlendColors(double x, uint32_t c, uint32_t p);
// The column count less one of each view under the lens that starts at
// sub-pixel column `x`, with the next view boundary at `t` and `dt` sub-pixels
// per view; `widths` gets `views` entries.
void ComputeViewWidths(int x, double t, double dt, int views, std::vector<int>* widths);
