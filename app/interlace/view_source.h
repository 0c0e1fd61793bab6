// What each view shows: a picture of a side-by-side input, a tile of a quilt,
// or a chart made for the views.
//
// - Side by side: P pictures (picture width = input width / P); view v shows
//   picture v * P / N (whole numbers), so a stereo pair on 8 views is LLLLRRRR.
// - Quilt of C x R tiles: tile t at column t mod C, row t / C (view 0 top
//   left, reading order); view v shows tile v * (C x R) / N.
// - Charts: `views` (view v flat grey 255 v / (N - 1)), `single:K` (view K
//   white, the others black), `numbers` (each view its number, large, in a
//   hue of its own on black).
#pragma once

#include <cstddef>
#include <cstdint>

#include "interlace/free_interlacer.h"
#include "interlace/picture.h"
#include "interlace/settings.h"

struct ViewSource {
  ViewPictures pictures;
  uint32_t flat[kMaxViews];         // a flat chart's colour per view (1 x 1 pictures)
  OwnedPicture numbers[kMaxViews];  // the numbers chart's pictures
};

// Sets `source` up for the settings: their chart, else `input` (null when a
// chart is drawn). False with a reason when the input cannot hold the
// pictures or tiles asked for, or memory runs short.
bool PrepareViewSource(const LentiSettings& settings, const Picture* input, ViewSource* source,
                       char* error, size_t error_bytes);
void ReleaseViewSource(ViewSource* source);
// The hue of view v of n at full saturation and value, as 0xRRGGBB.
uint32_t ViewHue(int v, int n);
