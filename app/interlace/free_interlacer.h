// The free-geometry interlacer: any output size, any number of views, a lens
// slanted by any amount per row, RGB or BGR sub-pixels and a phase offset.
//
// Output W x H; pixel x has the sub-pixel columns s = 3x, 3x + 1, 3x + 2 from
// the left, showing red, green, blue (order rgb) or blue, green, red (bgr).
// For sub-pixel column s of row y, in double arithmetic:
//   u = (s + offset - slant * y) / pitch;  phase = u - floor(u);
//   view v = min(N - 1, floor(phase * N))
// and the sub-pixel shows its own channel of view v's picture at
// (x * pw / W, y * ph / H) (whole numbers, 64-bit division), pw x ph being the
// size of a view picture.
//
// The bench's gap, pos and AA carry over as follows (none changes anything
// when it is 0):
// - pos moves every view boundary inside the lens (not the lens's own edge)
//   pos sub-pixels to the right: v = clamp(floor(phase * N - pos * N / pitch),
//   0, N - 1), so view 0 grows by pos and the last view shrinks by it.
// - gap makes black the sub-pixels whose left edge lies within the first gap
//   sub-pixels of their view's strip (measured along the row from where the
//   strip begins: 0 for view 0, v * pitch / N + pos for the others).
// - AA mixes a sub-pixel that a view boundary crosses: when the next
//   sub-pixel of the row shows another view and the boundary lies a distance
//   d (0 < d < 1) right of this one's left edge, it shows, per channel,
//   trunc((1 - x) * own + x * next) with x = 1 - d, the share of its width
//   past the boundary.
#pragma once

#include "interlace/picture.h"
#include "interlace/settings.h"

// The pictures the views show: view v shows view[v]; all have one size.
struct ViewPictures {
  Picture view[kMaxViews];
  int count;
};

struct FreeGeometry {
  double pitch;
  double slant;
  double offset;
  int views;
  int gap;
  int pos;
  int aa;
  SubpixelOrder order;
};
FreeGeometry GeometryOf(const LentiSettings& settings, double pitch);

// The view of sub-pixel column s in row y, or -1 when the gap makes it black.
int FreeViewAt(const FreeGeometry& g, int64_t s, int y);

// Renders rows [first_row, end_row) of `output` (its width and height are
// W and H of the model) sub-pixel by sub-pixel: the reference the view map
// (view_map.h) renders faster, and the way AA is drawn.
void RenderFreeRows(const FreeGeometry& g, const ViewPictures& views, const Picture& output,
                    int first_row, int end_row);
