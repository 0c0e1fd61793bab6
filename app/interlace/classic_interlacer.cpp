// The classic interlacing on pictures in memory.
#include "interlace/classic_interlacer.h"

#include "core/parallel.h"

#include <cmath>

namespace {

constexpr int kBlocksPerPiece = 4;

uint32_t BlendChannel(double x, uint32_t c, uint32_t p, int shift) {
  double mixed = (1.0 - x) * ((c >> shift) & 0xFF) + x * ((p >> shift) & 0xFF);
  return static_cast<uint32_t>(static_cast<int>(mixed)) << shift;
}

// What one output column of the lens loop takes in every row block: its
// sample, the sample blended with the column before's (the first column of a
// strip, with AA), or black (the gap).
enum class Take : uint8_t { kSample, kBlend, kBlack };

// What one output column of the lens loop does in every row block: block o
// reads work pixel (sx + 3o, 3o) and writes sub-pixel column a0 + 3o. Its
// colour goes to `slot` of the block's colours, where slot s holds sub-pixel
// column s + first_column + 3o.
struct ClassicColumn {
  int sx;    // kNoSample for a view of no width
  int slot;  // the spare slot when no block reads a0 + 3o
  Take take;
  double frac;  // kBlend: the share of the column before
};

// A work column left of every picture: the view has no width, its sample is 0.
constexpr int kNoSample = -(1 << 30);

struct BlockJob {
  const Picture* work;
  const Picture* output;
  std::vector<ClassicColumn> columns;
  int first_column;  // a0 of slot 0: the lowest sub-pixel column a block reads, less 3o
  int slots;         // the slots a block reads, and one spare
};

// The colour column c gives in a block where its sample is `sample` and the
// column before's `prev`.
uint32_t ColourOf(const ClassicColumn& c, uint32_t sample, uint32_t prev) {
  switch (c.take) {
    case Take::kSample: return sample;
    case Take::kBlend: return BlendColors(c.frac, sample, prev);
    default: return 0;
  }
}

// Block o's colours: each column in the lens loop's order puts its colour in
// its slot, so a later column overwrites an earlier one. Slots no column
// fills keep their 0 (black).
void TakeColours(const BlockJob& job, int o, uint32_t* slots) {
  const Picture& work = *job.work;
  const int y0 = 3 * o;
  const uint32_t* work_row = y0 < work.height ? PictureRow(work, y0) : nullptr;
  const uint32_t work_width = work_row ? static_cast<uint32_t>(work.width) : 0;
  uint32_t prev = 0;
  for (const ClassicColumn& c : job.columns) {
    const uint32_t x = static_cast<uint32_t>(c.sx + y0);
    const uint32_t sample = x < work_width ? work_row[x] : 0;
    slots[c.slot] = ColourOf(c, sample, prev);
    prev = sample;
  }
}

// Column a lights, in rows 0-2 of its block, the red, green and blue of pixel
// a / 3 (a mod 3 = 0); the blue of a / 3, then the red and green of a / 3 + 1
// (a mod 3 = 1); the green and blue of a / 3, then the red of a / 3 + 1 (a mod
// 3 = 2). So pixel p of row s takes its red, green and blue from the columns
// 3p + kFrom[s][0 .. 2]. Negative columns light nothing.
constexpr int kFrom[3][3] = {{0, 2, 1}, {-2, 0, 2}, {-1, -2, 0}};

// Row s of a block from the block's colours, `at[a]` being sub-pixel column a's.
template <int kRow>
void PutRow(uint32_t* row, int width, const uint32_t* at) {
  constexpr int r = kFrom[kRow][0], g = kFrom[kRow][1], b = kFrom[kRow][2];
  for (int p = 0; p < width; ++p, at += 3)
    row[p] = (at[r] & 0xFF0000) | (at[g] & 0x00FF00) | (at[b] & 0x0000FF);
}

void PutRows(const Picture& out, int o, const uint32_t* at) {
  const int y0 = 3 * o;
  PutRow<0>(PictureRow(out, y0), out.width, at);
  if (y0 + 1 < out.height) {
    PutRow<1>(PictureRow(out, y0 + 1), out.width, at);
    PictureRow(out, y0 + 1)[0] &= 0x00FFFF;  // its red is column -2's
  }
  if (y0 + 2 < out.height) {
    PutRow<2>(PictureRow(out, y0 + 2), out.width, at);
    PictureRow(out, y0 + 2)[0] &= 0x0000FF;  // red and green: -1 and -2
  }
}

// Row blocks [first, end) of the output: a block's colours, then its rows. A
// block touches its own three rows only, so blocks may be drawn apart (on
// several cores) and the picture is the same.
void RenderBlocks(void* context, int first, int end) {
  const BlockJob& job = *static_cast<const BlockJob*>(context);
  std::vector<uint32_t> slots(static_cast<size_t>(job.slots), 0);
  for (int o = first; o < end; ++o) {
    TakeColours(job, o, slots.data());
    PutRows(*job.output, o, slots.data() - job.first_column - 3 * o);
  }
}

}  // namespace

uint32_t BlendColors(double x, uint32_t c, uint32_t p) {
  return BlendChannel(x, c, p, 16) | BlendChannel(x, c, p, 8) | BlendChannel(x, c, p, 0);
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
  // Block o reads sub-pixel columns -2 to 3 width - 1, that is a0 from
  // first_column to 3 width - 1 over all blocks.
  const int blocks = (output.height + 2) / 3;
  const int last_column = 3 * output.width - 1;
  BlockJob job = {&work, &output, {}, -2 - 3 * (blocks - 1), 0};
  job.slots = last_column - job.first_column + 2;
  auto slot_of = [&](int a0) {
    return a0 >= job.first_column && a0 <= last_column ? a0 - job.first_column : job.slots - 1;
  };
  job.columns.reserve(kClassicSubpixels + 64);
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
      const int sx = width == 0 ? kNoSample
                                : v * picture_width + base -
                                      static_cast<int>(std::trunc((p.pitch / width) * k));
      const Take take = k < p.gap ? Take::kBlack : blend && p.aa ? Take::kBlend : Take::kSample;
      job.columns.push_back({sx, slot_of(x + (v != 0 ? p.pos : 0)), take, frac});
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
  // Then every row block.
  zul::ForEachPiece(blocks, kBlocksPerPiece, RenderBlocks, &job);
}
