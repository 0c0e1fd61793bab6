// Lines, boxes and circles drawn into the current image window, each in a
// plain form (stores a colour) and an XOR form (inverts every covered pixel
// exactly once, so drawing a figure twice restores the picture).
//
// Every figure is clipped pixel by pixel. Runs along a row or a column, box
// rows and disc spans are cut to the surface before they are walked, a
// slanted line starts at the first column (or row) inside the surface, and
// all differences and error terms are 64-bit: any int arguments, INT_MAX
// included, draw exactly the pixels of the integer algorithm and end soon.
#include "surfaces/surfaces.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace zul {

namespace {

// What a figure does to a pixel: store `value`, or XOR it in.
struct Ink {
  bool invert;
  uint32_t value;
};

Ink PlainInk(uint32_t colour) { return Ink{false, colour}; }
Ink XorInk() { return Ink{true, 0}; }

// The word a pixel of type T is stored or XORed with.
template <typename T>
T InkValue(const Ink& ink) {
  if (ink.invert) return static_cast<T>(sizeof(T) == 4 ? 0xFFFFFFu : 0xFFu);
  return static_cast<T>(ink.value);
}

template <typename T, bool kInvert>
inline void Apply(uint8_t* p, T v) {
  if (kInvert) {
    *reinterpret_cast<T*>(p) ^= v;
  } else {
    *reinterpret_cast<T*>(p) = v;
  }
}

int64_t Width(const ImageSurface& s) { return static_cast<int64_t>(s.width); }
int64_t Height(const ImageSurface& s) { return static_cast<int64_t>(s.height); }

uint8_t* Address(const ImageSurface& s, int64_t x, int64_t y) {
  return SurfaceRow(s, static_cast<int>(y)) + static_cast<size_t>(x) * (s.bits == 32 ? 4 : 1);
}

bool Inside(const ImageSurface& s, int64_t x, int64_t y) {
  return x >= 0 && y >= 0 && x < Width(s) && y < Height(s);
}

void SetPen(int64_t x, int64_t y) {
  pen_x = static_cast<int32_t>(x);
  pen_y = static_cast<int32_t>(y);
}

// ---- single pixels ---------------------------------------------------------------

void PutPixel(const ImageSurface& s, const Ink& ink, int64_t x, int64_t y) {
  if (!Inside(s, x, y)) return;
  uint8_t* p = Address(s, x, y);
  if (s.bits == 32) {
    if (ink.invert)
      Apply<uint32_t, true>(p, InkValue<uint32_t>(ink));
    else
      Apply<uint32_t, false>(p, InkValue<uint32_t>(ink));
  } else {
    if (ink.invert)
      Apply<uint8_t, true>(p, InkValue<uint8_t>(ink));
    else
      Apply<uint8_t, false>(p, InkValue<uint8_t>(ink));
  }
}

// ---- runs along a row or a column, cut to the surface ----------------------------

template <typename T, bool kInvert>
void RowRun(uint8_t* p, int count, T v) {
  T* q = reinterpret_cast<T*>(p);
  if (kInvert) {
    for (int i = 0; i < count; ++i) q[i] ^= v;
  } else {
    std::fill_n(q, count, v);
  }
}

template <typename T, bool kInvert>
void ColumnRun(uint8_t* p, ptrdiff_t stride, int count, T v) {
  for (int i = 0; i < count; ++i, p += stride) Apply<T, kInvert>(p, v);
}

template <typename T>
void RunOf(const ImageSurface& s, const Ink& ink, uint8_t* p, bool along_row, int count) {
  T v = InkValue<T>(ink);
  ptrdiff_t stride = static_cast<ptrdiff_t>(s.stride);
  if (along_row) {
    if (ink.invert)
      RowRun<T, true>(p, count, v);
    else
      RowRun<T, false>(p, count, v);
  } else {
    if (ink.invert)
      ColumnRun<T, true>(p, stride, count, v);
    else
      ColumnRun<T, false>(p, stride, count, v);
  }
}

void Run(const ImageSurface& s, const Ink& ink, uint8_t* p, bool along_row, int count) {
  if (s.bits == 32)
    RunOf<uint32_t>(s, ink, p, along_row, count);
  else
    RunOf<uint8_t>(s, ink, p, along_row, count);
}

// Pixels a..b (in either order) of row `fixed` (along_row) or of column
// `fixed`; only the visible ones are visited.
void Span(const ImageSurface& s, const Ink& ink, bool along_row, int64_t fixed, int64_t a,
          int64_t b) {
  if (fixed < 0 || fixed >= (along_row ? Height(s) : Width(s))) return;
  int64_t lo = std::max<int64_t>(std::min(a, b), 0);
  int64_t hi = std::min<int64_t>(std::max(a, b), (along_row ? Width(s) : Height(s)) - 1);
  if (lo > hi) return;
  uint8_t* first = along_row ? Address(s, lo, fixed) : Address(s, fixed, lo);
  Run(s, ink, first, along_row, static_cast<int>(hi - lo + 1));
}

// Pixels (xa..xb, y) and (x, ya..yb) in either order.
void RowSpan(const ImageSurface& s, const Ink& ink, int64_t y, int64_t xa, int64_t xb) {
  Span(s, ink, true, y, xa, xb);
}
void ColumnSpan(const ImageSurface& s, const Ink& ink, int64_t x, int64_t ya, int64_t yb) {
  Span(s, ink, false, x, ya, yb);
}

// ---- slanted lines -------------------------------------------------------------------
// The walk of one line along its major axis: pixel k (k = 0 .. dmaj) lies at
// major coordinate a1 + sa x k and minor coordinate b1 + sb x m(k), where the
// error term e = (dmaj + 1) / 2 - k x dmin + m x dmaj is kept in (0, dmaj].
// Hence m(k) = (k x dmin + dmaj / 2) div dmaj and e(k) = dmaj - remainder,
// which lets the walk start at the first visible k instead of at k = 0.
struct SlantWalk {
  bool x_major;
  int64_t a1, b1;  // start (major, minor)
  int sa, sb;      // steps (+1 or -1)
  uint64_t dmaj, dmin;
};

int64_t MinorSteps(const SlantWalk& w, int64_t k) {
  return static_cast<int64_t>((static_cast<uint64_t>(k) * w.dmin + w.dmaj / 2) / w.dmaj);
}

int64_t ErrorAt(const SlantWalk& w, int64_t k) {
  return static_cast<int64_t>(w.dmaj - (static_cast<uint64_t>(k) * w.dmin + w.dmaj / 2) % w.dmaj);
}

// Every pixel inside: walked with pointer steps (E = int32_t when it fits).
template <typename T, bool kInvert, typename E>
void WalkInside(uint8_t* p, ptrdiff_t major_step, ptrdiff_t minor_step, E e, E dmaj, E dmin,
                int64_t count, T v) {
  for (;;) {
    Apply<T, kInvert>(p, v);
    if (--count == 0) return;
    e -= dmin;
    p += major_step;
    const bool minor = e <= 0;  // written without a branch: slopes are not predictable
    e += minor ? dmaj : 0;
    p += minor ? minor_step : 0;
  }
}

template <typename T, bool kInvert>
void WalkInsideOf(const ImageSurface& s, const SlantWalk& w, int64_t a, int64_t b, int64_t e,
                  int64_t count, T v) {
  ptrdiff_t pixel = sizeof(T), row = static_cast<ptrdiff_t>(s.stride);
  ptrdiff_t major_step = w.x_major ? w.sa * pixel : w.sa * row;
  ptrdiff_t minor_step = w.x_major ? w.sb * row : w.sb * pixel;
  uint8_t* p = w.x_major ? Address(s, a, b) : Address(s, b, a);
  if (w.dmaj <= INT32_MAX) {
    WalkInside<T, kInvert, int32_t>(p, major_step, minor_step, static_cast<int32_t>(e),
                                    static_cast<int32_t>(w.dmaj), static_cast<int32_t>(w.dmin),
                                    count, v);
  } else {
    WalkInside<T, kInvert, int64_t>(p, major_step, minor_step, e, static_cast<int64_t>(w.dmaj),
                                    static_cast<int64_t>(w.dmin), count, v);
  }
}

void WalkAllInside(const ImageSurface& s, const Ink& ink, const SlantWalk& w, int64_t a, int64_t b,
                   int64_t e, int64_t count) {
  if (s.bits == 32) {
    if (ink.invert)
      WalkInsideOf<uint32_t, true>(s, w, a, b, e, count, InkValue<uint32_t>(ink));
    else
      WalkInsideOf<uint32_t, false>(s, w, a, b, e, count, InkValue<uint32_t>(ink));
  } else {
    if (ink.invert)
      WalkInsideOf<uint8_t, true>(s, w, a, b, e, count, InkValue<uint8_t>(ink));
    else
      WalkInsideOf<uint8_t, false>(s, w, a, b, e, count, InkValue<uint8_t>(ink));
  }
}

// The minor coordinate leaves the surface somewhere: every pixel is tested.
void WalkClipped(const ImageSurface& s, const Ink& ink, const SlantWalk& w, int64_t a, int64_t b,
                 int64_t e, int64_t count) {
  const int64_t dmaj = static_cast<int64_t>(w.dmaj), dmin = static_cast<int64_t>(w.dmin);
  for (;;) {
    if (w.x_major)
      PutPixel(s, ink, a, b);
    else
      PutPixel(s, ink, b, a);
    if (--count == 0) return;
    e -= dmin;
    a += w.sa;
    if (e <= 0) {
      e += dmaj;
      b += w.sb;
    }
  }
}

// A line with x1 != x2 and y1 != y2; end points within the int range.
void SlantedLine(const ImageSurface& s, const Ink& ink, int64_t x1, int64_t y1, int64_t x2,
                 int64_t y2) {
  if (x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  uint64_t dx = static_cast<uint64_t>(x2 - x1);
  uint64_t dy = static_cast<uint64_t>(y2 > y1 ? y2 - y1 : y1 - y2);
  int sy = y2 > y1 ? 1 : -1;
  SlantWalk w;
  w.x_major = dx >= dy;
  w.a1 = w.x_major ? x1 : y1;
  w.b1 = w.x_major ? y1 : x1;
  w.sa = w.x_major ? 1 : sy;
  w.sb = w.x_major ? sy : 1;
  w.dmaj = w.x_major ? dx : dy;
  w.dmin = w.x_major ? dy : dx;

  // The steps k whose major coordinate is on the surface.
  int64_t major_last = (w.x_major ? Width(s) : Height(s)) - 1;
  int64_t k_first = w.sa > 0 ? -w.a1 : w.a1 - major_last;
  int64_t k_last = w.sa > 0 ? major_last - w.a1 : w.a1;
  k_first = std::max<int64_t>(k_first, 0);
  k_last = std::min<int64_t>(k_last, static_cast<int64_t>(w.dmaj));
  if (k_first > k_last) return;

  int64_t a = w.a1 + w.sa * k_first;
  int64_t b = w.b1 + w.sb * MinorSteps(w, k_first);
  int64_t b_end = w.b1 + w.sb * MinorSteps(w, k_last);
  int64_t e = ErrorAt(w, k_first);
  int64_t count = k_last - k_first + 1;
  int64_t minor_last = (w.x_major ? Height(s) : Width(s)) - 1;
  bool inside = b >= 0 && b <= minor_last && b_end >= 0 && b_end <= minor_last;
  if (inside)
    WalkAllInside(s, ink, w, a, b, e, count);
  else
    WalkClipped(s, ink, w, a, b, e, count);
}

// ---- lines and the figures made of them ------------------------------------------------

// A line of the integer algorithm; the pen goes to the second end as given.
// Slanted lines need end points in the int range; rows and columns take any.
void Line(const Ink& ink, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  SetPen(x2, y2);
  const ImageSurface& s = CurrentSurface();
  if (x1 == x2) {
    ColumnSpan(s, ink, x1, y1, y2);
  } else if (y1 == y2) {
    RowSpan(s, ink, y1, x1, x2);
  } else {
    SlantedLine(s, ink, x1, y1, x2, y2);
  }
}

struct Box {
  int64_t left, top, right, bottom;
};

Box OrderedBox(int x1, int y1, int x2, int y2) {
  return Box{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

// Every pixel of the box, rows cut to the surface first.
void FillRows(const Ink& ink, const Box& b) {
  const ImageSurface& s = CurrentSurface();
  int64_t first = std::max<int64_t>(b.top, 0);
  int64_t last = std::min<int64_t>(b.bottom, Height(s) - 1);
  for (int64_t y = first; y <= last; ++y) RowSpan(s, ink, y, b.left, b.right);
}

// ---- circles ---------------------------------------------------------------------------

struct OctantVisit {
  int64_t x, y;
  bool y_step;
};

// The octant iteration shared by the four circle routines: `visit` gets each
// step (x, y) and whether it is a y step; the last visit is returned.
template <typename Visit>
OctantVisit WalkOctant(int r, Visit visit) {
  const int64_t limit = 5 * static_cast<int64_t>(r) / 7;
  int64_t x = 0, y = r, d = r;
  OctantVisit last{0, r, false};
  for (;;) {
    d -= 2 * x + 1;
    last = OctantVisit{x, y, d <= 0};
    visit(last);
    if (last.y_step) {
      d += 2 * y - 2;
      --y;
    }
    ++x;
    if (x > limit || x > y) return last;
  }
}

// Where the outline's last point lies: its last step's (cx - y, cy - x).
void PenAtLastOutlinePoint(int64_t cx, int64_t cy, const OctantVisit& last) {
  SetPen(cx - last.y, cy - last.x);
}

// The outline; the pen goes to the last point plotted.
void Outline(const Ink& ink, int64_t cx, int64_t cy, int r) {
  const ImageSurface& s = CurrentSurface();
  OctantVisit last = WalkOctant(r, [&](const OctantVisit& v) {
    const int64_t x = v.x, y = v.y;
    PutPixel(s, ink, cx - x, cy + y);
    PutPixel(s, ink, cx + x, cy - y);
    if (x != 0 && x != y) {
      PutPixel(s, ink, cx + x, cy + y);
      PutPixel(s, ink, cx - x, cy - y);
      PutPixel(s, ink, cx + y, cy - x);
      PutPixel(s, ink, cx - y, cy + x);
    }
    PutPixel(s, ink, cx + y, cy + x);
    PutPixel(s, ink, cx - y, cy - x);
  });
  PenAtLastOutlinePoint(cx, cy, last);
}

// The disc as horizontal spans, each pixel once; the pen is left at the end
// of the last span. Returns the octant walk's last step.
OctantVisit Disc(const Ink& ink, int64_t cx, int64_t cy, int r) {
  const ImageSurface& s = CurrentSurface();
  int64_t pen_end_x = 0, pen_row = 0;
  auto span = [&](int64_t y, int64_t xa, int64_t xb) {
    RowSpan(s, ink, y, xa, xb);
    pen_end_x = xb;
    pen_row = y;
  };
  OctantVisit last = WalkOctant(r, [&](const OctantVisit& v) {
    if (v.x != v.y) {
      span(cy + v.x, cx - v.y, cx + v.y);
      if (v.x != 0) span(cy - v.x, cx - v.y, cx + v.y);
    }
    if (v.y_step) {
      span(cy + v.y, cx - v.x, cx + v.x);
      span(cy - v.y, cx - v.x, cx + v.x);
    }
  });
  if (!last.y_step) {
    span(cy + last.y, cx - last.x, cx + last.x);
    span(cy - last.y, cx - last.x, cx + last.x);
  }
  SetPen(pen_end_x, pen_row);
  return last;
}

}  // namespace

}  // namespace zul

using namespace zul;

uint32_t draw_color = 0xFFFFFF;  // worker thread: drawing commands, application

void ZUL_DrawLine(uint32_t colour, int x1, int y1, int x2, int y2) {
  Line(PlainInk(colour), x1, y1, x2, y2);
}

void ZUL_XorLine(int x1, int y1, int x2, int y2) { Line(XorInk(), x1, y1, x2, y2); }

void ZUL_DrawBox(int x1, int y1, int x2, int y2) {
  Ink ink = PlainInk(draw_color);
  Line(ink, x1, y1, x2, y1);
  Line(ink, x2, y1, x2, y2);
  Line(ink, x2, y2, x1, y2);
  Line(ink, x1, y2, x1, y1);
}

void ZUL_XorBox(int x1, int y1, int x2, int y2) {
  Box b = OrderedBox(x1, y1, x2, y2);
  Ink ink = XorInk();
  Line(ink, b.left, b.top, b.right, b.top);
  if (b.bottom != b.top) Line(ink, b.left, b.bottom, b.right, b.bottom);
  if (b.bottom - b.top >= 2) {
    Line(ink, b.left, b.top + 1, b.left, b.bottom - 1);
    Line(ink, b.right, b.top + 1, b.right, b.bottom - 1);
  }
}

void ZUL_FillBox(int x1, int y1, int x2, int y2) {
  Box b = OrderedBox(x1, y1, x2, y2);
  FillRows(PlainInk(draw_color), b);
  // Where the edges and inner rows, drawn one line at a time, leave the pen.
  if (b.right - b.left >= 2 && b.bottom - b.top >= 2) {
    SetPen(b.right - 1, b.bottom - 1);
  } else {
    SetPen(b.left, b.top);
  }
}

void ZUL_XorFillBox(int x1, int y1, int x2, int y2) {
  Box b = OrderedBox(x1, y1, x2, y2);
  FillRows(XorInk(), b);
  SetPen(b.right, b.bottom);
}

void ZUL_DrawCircle(int cx, int cy, uint32_t colour, int r) {
  Outline(PlainInk(colour), cx, cy, r);
}

void ZUL_XorCircle(int cx, int cy, int r) { Outline(XorInk(), cx, cy, r); }

// The outline drawn over the disc in the same colour lies inside it and
// changes no pixel, so only the pen is moved to its last point.
void ZUL_FillCircle(int cx, int cy, int r) {
  PenAtLastOutlinePoint(cx, cy, Disc(PlainInk(draw_color), cx, cy, r));
}

void ZUL_XorFillCircle(int cx, int cy, int r) { Disc(XorInk(), cx, cy, r); }
