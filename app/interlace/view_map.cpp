// Working out the view map, and rendering from it on every core.
#include "interlace/view_map.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "core/parallel.h"

namespace {

constexpr int kRowsPerPiece = 8;  // even: rows 2k and 2k + 1 often read the same source rows
// The quick step's z stays within this size, so that its rounding (and the
// slant's from P / Q) stays far below kNearBoundary.
constexpr double kLargestQuickZ = 1e6;
constexpr double kNearBoundary = 1e-7;
constexpr double kLargestDrift = 1e-9;
constexpr double kMostMarkedShare = 0.01;

// floor(z) for |z| < 2^31, without a library call.
double Floor(double z) {
  double whole = static_cast<double>(static_cast<int>(z));
  return whole > z ? whole - 1 : whole;
}

bool SameGeometry(const FreeGeometry& a, const FreeGeometry& b) {
  return a.pitch == b.pitch && a.slant == b.slant && a.offset == b.offset && a.views == b.views &&
         a.gap == b.gap && a.pos == b.pos;
}

uint8_t Shown(int view) { return view < 0 ? kBlackSubpixel : static_cast<uint8_t>(view); }

// The model in views: z = (s + offset - slant y) x N / pitch counts views
// from the panel's first lens edge; zz = z mod N is the place in a lens.
struct QuickTerms {
  double views_per_subpixel;
  int views;
  double shift;  // pos x N / pitch: the view boundaries' move
  double gap;    // gap x N / pitch
  bool with_gap;
};

QuickTerms TermsOf(const FreeGeometry& g) {
  double r = g.views / g.pitch;
  return QuickTerms{r, g.views, g.pos * r, g.gap * r, g.gap > 0};
}

bool NearWhole(double q) {
  double part = q - Floor(q);
  return part < kNearBoundary || part > 1 - kNearBoundary;
}

// The view at z, black for the gap, or kModelSubpixel where z lies so close to
// a boundary (a lens edge, a view boundary, the end of a gap) that the
// model's own rounding decides.
uint8_t QuickView(const QuickTerms& t, double z) {
  double zz = z - Floor(z / t.views) * t.views;
  if (zz < kNearBoundary || zz > t.views - kNearBoundary) return kModelSubpixel;
  double q = zz - t.shift;
  if (NearWhole(q)) return kModelSubpixel;
  double whole = Floor(q);
  int view = whole < 0 ? 0 : whole > t.views - 1 ? t.views - 1 : static_cast<int>(whole);
  if (t.with_gap) {
    double into = view == 0 ? zz : q - view;  // views into the strip
    if (std::fabs(into - t.gap) < kNearBoundary) return kModelSubpixel;
    if (into < t.gap) return kBlackSubpixel;
  }
  return static_cast<uint8_t>(view);
}

// A small fraction P / Q close enough to the slant that rows Q apart show the
// same views P sub-pixels apart wherever no mark says otherwise.
bool SlantAsFraction(const FreeGeometry& g, int height, int* p, int* q) {
  for (int d = 1; d <= kLongestPeriod; ++d) {
    double n = std::round(g.slant * d);
    double drift = std::fabs(g.slant * d - n) * (height / d + 1) * g.views / g.pitch;
    if (drift < kLargestDrift && std::fabs(n) < 1e6) {
      *p = static_cast<int>(n);
      *q = d;
      return true;
    }
  }
  return false;
}

bool QuickStepHolds(const FreeGeometry& g, int width, int height) {
  double reach = std::fabs(g.offset) + std::fabs(g.slant) * height + 3.0 * width + 1;
  return reach * g.views / g.pitch < kLargestQuickZ;
}

// ---- working the map out ----------------------------------------------------------

struct MapJob {
  ViewMap* map;
  QuickTerms terms;
  bool quick;  // the quick step holds (else every view is the model's)
};

// One row of views of every output row: marks resolved by the model at once.
void WorkOutFullRows(void* context, int first, int end) {
  const MapJob& job = *static_cast<const MapJob*>(context);
  const ViewMap& m = *job.map;
  const int subpixels = 3 * m.width;
  for (int y = first; y < end; ++y) {
    uint8_t* row = m.views + static_cast<size_t>(y) * subpixels;
    const double start = m.geometry.offset - m.geometry.slant * y;
    for (int s = 0; s < subpixels; ++s) {
      uint8_t view = job.quick ? QuickView(job.terms, (s + start) * job.terms.views_per_subpixel)
                               : kModelSubpixel;
      row[s] = view == kModelSubpixel ? Shown(FreeViewAt(m.geometry, s, y)) : view;
    }
  }
}

// The kept row of kind c (row c of the output and every row Q, 2Q, ... below):
// entry j is sub-pixel j - origin of row c.
int WorkOutKeptRow(const MapJob& job, int c) {
  const ViewMap& m = *job.map;
  uint8_t* row = m.views + static_cast<size_t>(c) * m.length;
  const double start = m.geometry.offset - m.geometry.slant * c;
  int marked = 0;
  for (int j = 0; j < m.length; ++j) {
    row[j] = QuickView(job.terms, (j - m.origin + start) * job.terms.views_per_subpixel);
    marked += row[j] == kModelSubpixel;
  }
  return marked;
}

// Lists the marks of the kept rows, kind after kind; false without memory.
bool ListMarks(ViewMap* m, int64_t marked) {
  std::free(m->marks);
  m->marks = static_cast<int*>(std::malloc(static_cast<size_t>(marked + 1) * sizeof(int)));
  if (!m->marks) return false;
  int count = 0;
  for (int c = 0; c < m->period; ++c) {
    m->mark_begin[c] = count;
    const uint8_t* row = m->views + static_cast<size_t>(c) * m->length;
    for (int j = 0; j < m->length; ++j) {
      if (row[j] == kModelSubpixel) m->marks[count++] = j;
    }
  }
  m->mark_begin[m->period] = count;
  return true;
}

bool AllocateViews(ViewMap* map, size_t bytes) {
  std::free(map->views);
  map->views = static_cast<uint8_t*>(std::malloc(bytes));
  return map->views != nullptr;
}

// ---- rendering -------------------------------------------------------------------------

struct RenderJob {
  const ViewMap* map;
  const ViewPictures* views;
  const Picture* output;
  const int* source_x;
  const uint32_t* black;  // a row of zeros for the sub-pixels the gap blackens
  bool rgb;               // the sub-pixels' order
  // The kept rows as word offsets from view 0's sample to the shown view's
  // (when the views' rows lie at fixed offsets from each other), or null.
  const int32_t* kept_offsets;
};

// The views of row y: entry s is sub-pixel s's.
const uint8_t* ViewsOfRow(const ViewMap& m, int y) {
  if (m.period == 0) return m.views + static_cast<size_t>(y) * 3 * m.width;
  int kind = y % m.period, repeats = y / m.period;
  return m.views + static_cast<size_t>(kind) * m.length + m.origin - repeats * m.step;
}

// One row into `line`: each pixel takes its three channels from the samples
// of its sub-pixels' views (the channel masks fixed at compile time: x86-32
// has few registers). A mark reads black here; PatchMarks mends it.
template <uint32_t kFirst, uint32_t kLast>
void RenderLine(const uint8_t* shown, const uint32_t* const* rows, const int* source_x, int width,
                uint32_t* line) {
  for (int x = 0; x < width; ++x, shown += 3) {
    const int sx = source_x[x];
    line[x] = (rows[shown[0]][sx] & kFirst) | (rows[shown[1]][sx] & 0x00FF00u) |
              (rows[shown[2]][sx] & kLast);
  }
}

// The same with the kept row's views as offsets from view 0's sample: one
// load less per sub-pixel.
template <uint32_t kFirst, uint32_t kLast>
void RenderLineByOffsets(const int32_t* offset, const uint32_t* row0, const int* source_x,
                         int width, uint32_t* line) {
  for (int x = 0; x < width; ++x, offset += 3) {
    const uint32_t* at = row0 + source_x[x];
    line[x] = (at[offset[0]] & kFirst) | (at[offset[1]] & 0x00FF00u) | (at[offset[2]] & kLast);
  }
}

// The sub-pixels of row y whose kept views are marks, with the model's views.
void PatchMarks(const RenderJob& job, int y, const uint32_t* const* rows, uint32_t* line) {
  const ViewMap& m = *job.map;
  const int kind = y % m.period, repeats = y / m.period;
  const int shift = m.origin - repeats * m.step;  // kept index of sub-pixel 0
  const uint32_t rgb[3] = {0xFF0000u, 0x00FF00u, 0x0000FFu},
                 bgr[3] = {0x0000FFu, 0x00FF00u, 0xFF0000u};
  const uint32_t* masks = job.rgb ? rgb : bgr;
  for (int i = m.mark_begin[kind]; i < m.mark_begin[kind + 1]; ++i) {
    const int s = m.marks[i] - shift;
    if (s < 0 || s >= 3 * m.width) continue;
    const int x = s / 3, view = FreeViewAt(m.geometry, s, y);
    const uint32_t mask = masks[s % 3];
    const uint32_t sample = view < 0 ? 0 : rows[view][job.source_x[x]];
    line[x] = (line[x] & ~mask) | (sample & mask);
  }
}

void RenderRows(void* context, int first, int end) {
  const RenderJob& job = *static_cast<const RenderJob*>(context);
  const ViewMap& m = *job.map;
  const int source_height = job.views->view[0].height;
  const uint32_t* rows[256];
  for (const uint32_t*& row : rows) row = job.black;
  for (int y = first; y < end; ++y) {
    // Written straight into the output (plain stores beat a row buffer streamed
    // out past the cache), marks mended while the row is still in the cache.
    uint32_t* line = PictureRow(*job.output, y);
    int source_y = static_cast<int>(int64_t{y} * source_height / m.height);
    for (int v = 0; v < m.geometry.views; ++v) rows[v] = PictureRow(job.views->view[v], source_y);
    if (job.kept_offsets) {
      const int32_t* offsets = job.kept_offsets + (ViewsOfRow(m, y) - m.views);
      if (job.rgb) {
        RenderLineByOffsets<0xFF0000u, 0x0000FFu>(offsets, rows[0], job.source_x, m.width, line);
      } else {
        RenderLineByOffsets<0x0000FFu, 0xFF0000u>(offsets, rows[0], job.source_x, m.width, line);
      }
    } else if (job.rgb) {
      RenderLine<0xFF0000u, 0x0000FFu>(ViewsOfRow(m, y), rows, job.source_x, m.width, line);
    } else {
      RenderLine<0x0000FFu, 0xFF0000u>(ViewsOfRow(m, y), rows, job.source_x, m.width, line);
    }
    if (m.period > 0) PatchMarks(job, y, rows, line);
  }
}

// The kept rows as offsets (see RenderJob), when the map keeps rows of kinds,
// no sub-pixel is black and the views' rows are equally far apart; else empty.
std::vector<int32_t> KeptOffsets(const ViewMap& m, const ViewPictures& views) {
  std::vector<int32_t> kept;
  if (m.period == 0 || m.geometry.gap > 0) return kept;
  int32_t offset[256] = {};  // marks read view 0's sample until they are patched
  const uintptr_t first = reinterpret_cast<uintptr_t>(views.view[0].pixels);
  for (int v = 0; v < m.geometry.views; ++v) {
    if (views.view[v].stride != views.view[0].stride) return kept;
    offset[v] = static_cast<int32_t>(reinterpret_cast<uintptr_t>(views.view[v].pixels) - first) / 4;
  }
  const size_t entries = static_cast<size_t>(m.period) * m.length;
  kept.resize(entries);
  for (size_t i = 0; i < entries; ++i) kept[i] = offset[m.views[i]];
  return kept;
}

}  // namespace

bool PrepareViewMap(ViewMap* map, const FreeGeometry& g, int width, int height) {
  if (map->views && map->width == width && map->height == height &&
      SameGeometry(map->geometry, g)) {
    map->geometry = g;  // AA and the order are not in the map
    return true;
  }
  if (g.views > kMostMappedViews) {
    ReleaseViewMap(map);
    return false;
  }
  map->geometry = g;
  map->width = width;
  map->height = height;
  MapJob job = {map, TermsOf(g), QuickStepHolds(g, width, height)};
  int p = 0, q = 0;
  if (job.quick && SlantAsFraction(g, height, &p, &q)) {
    int repeats = (height - 1) / q;
    map->period = q;
    map->step = p;
    map->origin = p > 0 ? repeats * p : 0;
    map->length = 3 * width + repeats * std::abs(p);
    if (!AllocateViews(map, static_cast<size_t>(q) * map->length)) return false;
    int64_t marked = 0;
    for (int c = 0; c < q; ++c) marked += WorkOutKeptRow(job, c);
    if (marked <= kMostMarkedShare * q * map->length && ListMarks(map, marked)) return true;
  }
  // Every row of its own: the slant is no small fraction, or the quick step
  // cannot be trusted, or nearly every view lies on a boundary.
  map->period = map->step = map->origin = 0;
  map->length = 3 * width;
  if (!AllocateViews(map, static_cast<size_t>(3) * width * height)) {
    ReleaseViewMap(map);
    return false;
  }
  zul::ForEachPiece(height, kRowsPerPiece, WorkOutFullRows, &job);
  return true;
}

void ReleaseViewMap(ViewMap* map) {
  std::free(map->views);
  std::free(map->marks);
  map->views = nullptr;
  map->marks = nullptr;
  map->width = map->height = map->period = 0;
}

void RenderFromViewMap(const ViewMap& map, const ViewPictures& views, const Picture& output) {
  const int source_width = views.view[0].width;
  std::vector<int> source_x(static_cast<size_t>(map.width));
  for (int x = 0; x < map.width; ++x) {
    source_x[static_cast<size_t>(x)] = static_cast<int>(int64_t{x} * source_width / map.width);
  }
  std::vector<uint32_t> black(static_cast<size_t>(source_width), 0);
  std::vector<int32_t> kept_offsets = KeptOffsets(map, views);
  RenderJob job = {&map,
                   &views,
                   &output,
                   source_x.data(),
                   black.data(),
                   map.geometry.order == SubpixelOrder::kRgb,
                   kept_offsets.empty() ? nullptr : kept_offsets.data()};
  zul::ForEachPiece(map.height, kRowsPerPiece, RenderRows, &job);
}
