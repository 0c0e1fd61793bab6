// Working out the view map, and rendering from it on every core.
#include "interlace/view_map.h"

#include <emmintrin.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "interlace/parallel.h"

namespace {

constexpr int kRowsPerPiece = 8;  // even: rows 2k and 2k + 1 often read the same source rows
constexpr int kLongestPeriod = 64;
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
};

// The views of row y: entry s is sub-pixel s's.
const uint8_t* ViewsOfRow(const ViewMap& m, int y) {
  if (m.period == 0) return m.views + static_cast<size_t>(y) * 3 * m.width;
  int kind = y % m.period, repeats = y / m.period;
  return m.views + static_cast<size_t>(kind) * m.length + m.origin - repeats * m.step;
}

// The views of pixel x of row y with every mark replaced by the model's view.
__attribute__((noinline)) void ResolveMarks(const ViewMap& m, int x, int y, uint8_t views[3]) {
  for (int c = 0; c < 3; ++c) {
    if (views[c] == kModelSubpixel) views[c] = Shown(FreeViewAt(m.geometry, 3 * int64_t{x} + c, y));
  }
}

// One row: each pixel takes its three channels from the samples of its
// sub-pixels' views (the channel masks fixed at compile time: x86-32 has
// few registers).
template <uint32_t kFirst, uint32_t kLast>
void RenderRow(const ViewMap& m, int y, const uint8_t* shown, const uint32_t* const* rows,
               const int* source_x, int* target) {
  const int width = m.width;
  for (int x = 0; x < width; ++x, shown += 3) {
    uint8_t v[3] = {shown[0], shown[1], shown[2]};
    if ((v[0] == kModelSubpixel) | (v[1] == kModelSubpixel) | (v[2] == kModelSubpixel)) {
      ResolveMarks(m, x, y, v);
    }
    const int sx = source_x[x];
    uint32_t pixel =
        (rows[v[0]][sx] & kFirst) | (rows[v[1]][sx] & 0x00FF00u) | (rows[v[2]][sx] & kLast);
    // Past the cache: the output is not read again here.
    _mm_stream_si32(target + x, static_cast<int>(pixel));
  }
}

void RenderRows(void* context, int first, int end) {
  const RenderJob& job = *static_cast<const RenderJob*>(context);
  const ViewMap& m = *job.map;
  const int source_height = job.views->view[0].height;
  const uint32_t* rows[256];
  for (const uint32_t*& row : rows) row = job.black;
  for (int y = first; y < end; ++y) {
    int source_y = static_cast<int>(int64_t{y} * source_height / m.height);
    for (int v = 0; v < m.geometry.views; ++v) rows[v] = PictureRow(job.views->view[v], source_y);
    int* target = reinterpret_cast<int*>(PictureRow(*job.output, y));
    if (job.rgb) {
      RenderRow<0xFF0000u, 0x0000FFu>(m, y, ViewsOfRow(m, y), rows, job.source_x, target);
    } else {
      RenderRow<0x0000FFu, 0xFF0000u>(m, y, ViewsOfRow(m, y), rows, job.source_x, target);
    }
  }
  _mm_sfence();
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
    if (marked <= kMostMarkedShare * q * map->length) return true;
  }
  // Every row of its own: the slant is no small fraction, or the quick step
  // cannot be trusted, or nearly every view lies on a boundary.
  map->period = map->step = map->origin = 0;
  map->length = 3 * width;
  if (!AllocateViews(map, static_cast<size_t>(3) * width * height)) {
    ReleaseViewMap(map);
    return false;
  }
  ForEachPiece(height, kRowsPerPiece, WorkOutFullRows, &job);
  return true;
}

void ReleaseViewMap(ViewMap* map) {
  std::free(map->views);
  map->views = nullptr;
  map->width = map->height = map->period = 0;
}

void RenderFromViewMap(const ViewMap& map, const ViewPictures& views, const Picture& output) {
  const int source_width = views.view[0].width;
  std::vector<int> source_x(static_cast<size_t>(map.width));
  for (int x = 0; x < map.width; ++x) {
    source_x[static_cast<size_t>(x)] = static_cast<int>(int64_t{x} * source_width / map.width);
  }
  std::vector<uint32_t> black(static_cast<size_t>(source_width), 0);
  RenderJob job = {&map,         &views,
                   &output,      source_x.data(),
                   black.data(), map.geometry.order == SubpixelOrder::kRgb};
  ForEachPiece(map.height, kRowsPerPiece, RenderRows, &job);
}
