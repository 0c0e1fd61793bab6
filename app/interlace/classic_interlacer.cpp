// The classic interlacing on pictures in memory.
#include "interlace/classic_interlacer.h"

#include "interlace/parallel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;
constexpr int kBlocksPerPiece = 16;

bool Inside(const Picture& p, int x, int y) {
  return static_cast<uint32_t>(x) < static_cast<uint32_t>(p.width) &&
         static_cast<uint32_t>(y) < static_cast<uint32_t>(p.height);
}

uint32_t BlendChannel(double x, uint32_t c, uint32_t p, int shift) {
  double mixed = (1.0 - x) * ((c >> shift) & 0xFF) + x * ((p >> shift) & 0xFF);
  return static_cast<uint32_t>(static_cast<int>(mixed)) << shift;
}

// Replaces the channel `mask` of a pixel with the same channel of `colour`
// (the spare top byte becomes 0).
void Merge(uint32_t& word, uint32_t colour, uint32_t mask) {
  word = (word & ~mask & 0xFFFFFF) | (colour & mask);
}

// The same for pixel (x, y) of `out`, when it is inside.
void WriteChannel(const Picture& out, int x, int y, uint32_t colour, uint32_t mask) {
  if (Inside(out, x, y)) Merge(PictureRow(out, y)[x], colour, mask);
}

// What one output column of the lens loop does in every row block: the work
// column it samples (block o reads work pixel (sx + 3o, 3o)), where it writes
// (block o at sub-pixel column a0 + 3o), and whether it is blended with the
// column before (by `frac`) or black (the gap).
struct ClassicColumn {
  int sx;
  int a0;
  double frac;
  bool outside;  // a view of no width: its sample lies outside the picture
  bool blend;
  bool black;
};

struct BlockJob {
  const ClassicParameters* p;
  const Picture* work;
  const Picture* output;
  const std::vector<ClassicColumn>* columns;
};

// Row blocks [first, end) of the output, column after column as the lens loop
// goes: a block's writes touch its own three rows only, so blocks may be
// drawn apart (on several cores) and the picture is the same.
void RenderBlocks(void* context, int first, int end) {
  const BlockJob& job = *static_cast<const BlockJob*>(context);
  const Picture& out = *job.output;
  const Picture& work = *job.work;
  const bool aa = job.p->aa != 0;
  for (int o = first; o < end; ++o) {
    const int y0 = 3 * o;
    for (int row = y0; row < y0 + 3 && row < out.height; ++row) {
      std::memset(PictureRow(out, row), 0, static_cast<size_t>(out.width) * sizeof(uint32_t));
    }
    const bool work_row_inside = y0 < work.height;
    const uint32_t* work_row = work_row_inside ? PictureRow(work, y0) : nullptr;
    uint32_t* rows[3] = {};
    for (int r = 0; r < 3; ++r) rows[r] = y0 + r < out.height ? PictureRow(out, y0 + r) : nullptr;
    uint32_t prev = 0;
    for (const ClassicColumn& c : *job.columns) {
      const int x = c.sx + y0;
      uint32_t sample = !c.outside && work_row_inside &&
                                static_cast<uint32_t>(x) < static_cast<uint32_t>(work.width)
                            ? work_row[x]
                            : 0;
      uint32_t colour = c.blend && aa ? BlendColors(c.frac, sample, prev) : sample;
      if (c.black) colour = 0;
      prev = sample;
      const int a = c.a0 + y0;
      if (a < 0 || !rows[2]) {
        WriteSubpixels(out, o, a, colour);
        continue;
      }
      const int col = a / 3;
      if (col >= out.width) continue;
      const bool next_inside = col + 1 < out.width;
      switch (a % 3) {
        case 0:
          Merge(rows[0][col], colour, kRed), Merge(rows[1][col], colour, kGreen);
          Merge(rows[2][col], colour, kBlue);
          break;
        case 1:
          Merge(rows[0][col], colour, kBlue);
          if (next_inside)
            Merge(rows[1][col + 1], colour, kRed), Merge(rows[2][col + 1], colour, kGreen);
          break;
        default:
          Merge(rows[0][col], colour, kGreen), Merge(rows[1][col], colour, kBlue);
          if (next_inside) Merge(rows[2][col + 1], colour, kRed);
          break;
      }
    }
  }
}

}  // namespace

uint32_t BlendColors(double x, uint32_t c, uint32_t p) {
  return BlendChannel(x, c, p, 16) | BlendChannel(x, c, p, 8) | BlendChannel(x, c, p, 0);
}

void WriteSubpixels(const Picture& output, int o, int a, uint32_t colour) {
  int col = a / 3;
  int y0 = 3 * o;
  switch (a % 3) {
    case 0:
      WriteChannel(output, col, y0, colour, kRed);
      WriteChannel(output, col, y0 + 1, colour, kGreen);
      WriteChannel(output, col, y0 + 2, colour, kBlue);
      break;
    case 1:
      WriteChannel(output, col, y0, colour, kBlue);
      WriteChannel(output, col + 1, y0 + 1, colour, kRed);
      WriteChannel(output, col + 1, y0 + 2, colour, kGreen);
      break;
    case 2:
      WriteChannel(output, col, y0, colour, kGreen);
      WriteChannel(output, col, y0 + 1, colour, kBlue);
      WriteChannel(output, col + 1, y0 + 2, colour, kRed);
      break;
    default: break;  // a negative column that is not a whole pixel: nothing
  }
}

void ComputeViewWidths(int x, double t, double dt, int views, std::vector<int>* widths) {
  widths->assign(static_cast<size_t>(views), 0);
  int p = x;
  double g = t;
  int n = 0;
  for (int j = 0; j < views;) {
    p = p + 1;
    if (p < std::trunc(g)) {
      n = n + 1;
    } else {
      (*widths)[static_cast<size_t>(j)] = n;
      j = j + 1;
      n = 0;
      g = g + dt;
    }
  }
}

void TriplePicture(const Picture& input, const Picture& work) {
  for (int y = 0; y < input.height; ++y) {
    const uint32_t* from = PictureRow(input, y);
    uint32_t* to = PictureRow(work, y);
    for (int x = 0; x < input.width; ++x) to[3 * x] = to[3 * x + 1] = to[3 * x + 2] = from[x];
  }
}

void RenderClassic(const ClassicParameters& p, const Picture& work, const Picture& output) {
  // The lens loop, once: what each output column does.
  const double dt = p.pitch / p.views;
  const int picture_width = work.width / p.pictures;
  std::vector<int> widths;
  std::vector<ClassicColumn> columns;
  columns.reserve(kClassicSubpixels + 64);
  double frac = 0;
  bool blend = false;
  int x = 0;
  double t = dt;
  bool first_lens = true;
  do {
    ComputeViewWidths(x, t, dt, p.views, &widths);
    const int base = static_cast<int>(first_lens ? std::trunc(p.pitch) : std::trunc(t));
    first_lens = false;
    int v = 0;
    int k = 0;
    while (v < p.views) {
      const int width = widths[static_cast<size_t>(v)];
      ClassicColumn column = {0, x + (v != 0 ? p.pos : 0), frac, width == 0, blend, k < p.gap};
      if (width != 0) {
        column.sx = v * picture_width + base - static_cast<int>(std::trunc((p.pitch / width) * k));
      }
      columns.push_back(column);
      x = x + 1;
      blend = false;
      if (x >= std::trunc(t)) {
        frac = t - std::trunc(t);
        v = v + 1;
        k = 0;
        blend = true;
        t = t + dt;
      } else {
        k = k + 1;
      }
    }
  } while (x < kClassicSubpixels);
  // Then every row block: the picture is cleared block by block as it is drawn,
  // so every sub-pixel no column writes is black.
  BlockJob job = {&p, &work, &output, &columns};
  ForEachPiece((output.height + 2) / 3, kBlocksPerPiece, RenderBlocks, &job);
}
