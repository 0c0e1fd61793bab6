// The free-geometry interlacer, sub-pixel by sub-pixel as the model says.
#include "interlace/free_interlacer.h"

#include <cmath>
#include <vector>

namespace {

// Where a sub-pixel lies under its lens: the model's phase and the view.
struct LensPlace {
  double phase;
  int view;
};

// pos x N / pitch: the view boundaries' shift in view units (0 without pos).
double BoundaryShift(const FreeGeometry& g) {
  return static_cast<double>(g.pos) * g.views / g.pitch;
}

LensPlace PlaceOf(const FreeGeometry& g, double shift, int64_t s, int y) {
  double u = (static_cast<double>(s) + g.offset - g.slant * y) / g.pitch;
  double phase = u - std::floor(u);
  double view = std::floor(phase * g.views - shift);
  if (view < 0) view = 0;
  if (view > g.views - 1) view = g.views - 1;
  return LensPlace{phase, static_cast<int>(view)};
}

// Where view v's strip begins, in sub-pixels from the start of the lens.
double StripStart(const FreeGeometry& g, int v) {
  return v == 0 ? 0.0 : v * g.pitch / g.views + g.pos;
}

// The value of one sub-pixel: channel `shift` of the sample of its view, after
// AA and the gap.
uint32_t SubpixelValue(const FreeGeometry& g, double boundary_shift, const uint32_t* const* rows,
                       int sx, int64_t s, int y, int channel_shift) {
  LensPlace here = PlaceOf(g, boundary_shift, s, y);
  uint32_t value = rows[here.view][sx] >> channel_shift & 0xFF;
  double lens_position = here.phase * g.pitch;
  if (g.aa) {
    LensPlace next = PlaceOf(g, boundary_shift, s + 1, y);
    if (next.view != here.view) {
      double lens_end = next.phase < here.phase ? g.pitch : 0.0;
      double share_past = 1 - (lens_end + StripStart(g, next.view) - lens_position);
      if (share_past > 0 && share_past < 1) {
        uint32_t beyond = rows[next.view][sx] >> channel_shift & 0xFF;
        value = static_cast<uint32_t>(
            static_cast<int>((1.0 - share_past) * value + share_past * beyond));
      }
    }
  }
  if (g.gap > 0 && lens_position - StripStart(g, here.view) < g.gap) value = 0;
  return value;
}

}  // namespace

FreeGeometry GeometryOf(const LentiSettings& s, double pitch) {
  return FreeGeometry{pitch, s.slant, s.offset, s.views, s.gap, s.pos, s.aa, s.order};
}

int FreeViewAt(const FreeGeometry& g, int64_t s, int y) {
  LensPlace here = PlaceOf(g, BoundaryShift(g), s, y);
  if (g.gap > 0 && here.phase * g.pitch - StripStart(g, here.view) < g.gap) return -1;
  return here.view;
}

void RenderFreeRows(const FreeGeometry& g, const ViewPictures& views, const Picture& output,
                    int first_row, int end_row) {
  const int width = output.width, height = output.height;
  const Picture& shape = views.view[0];
  std::vector<int> source_x(static_cast<size_t>(width));
  for (int x = 0; x < width; ++x) {
    source_x[static_cast<size_t>(x)] = static_cast<int>(int64_t{x} * shape.width / width);
  }
  // The channel each sub-pixel of a pixel shows, left to right.
  const int rgb[3] = {16, 8, 0}, bgr[3] = {0, 8, 16};
  const int* channel = g.order == SubpixelOrder::kRgb ? rgb : bgr;
  const double boundary_shift = BoundaryShift(g);
  const uint32_t* rows[kMaxViews];
  for (int y = first_row; y < end_row; ++y) {
    int source_y = static_cast<int>(int64_t{y} * shape.height / height);
    for (int v = 0; v < g.views; ++v) rows[v] = PictureRow(views.view[v], source_y);
    uint32_t* target = PictureRow(output, y);
    for (int x = 0; x < width; ++x) {
      uint32_t pixel = 0;
      for (int c = 0; c < 3; ++c) {
        pixel |= SubpixelValue(g, boundary_shift, rows, source_x[static_cast<size_t>(x)],
                               3 * int64_t{x} + c, y, channel[c])
                 << channel[c];
      }
      target[x] = pixel;
    }
  }
}
