// The classic interlacing on pictures in memory.
#include "interlace/classic_interlacer.h"

#include <cmath>
#include <cstring>

namespace {

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;

bool Inside(const Picture& p, int x, int y) {
  return static_cast<uint32_t>(x) < static_cast<uint32_t>(p.width) &&
         static_cast<uint32_t>(y) < static_cast<uint32_t>(p.height);
}

uint32_t BlendChannel(double x, uint32_t c, uint32_t p, int shift) {
  double mixed = (1.0 - x) * ((c >> shift) & 0xFF) + x * ((p >> shift) & 0xFF);
  return static_cast<uint32_t>(static_cast<int>(mixed)) << shift;
}

// Replaces one channel of pixel (x, y) with the same channel of `colour`.
void WriteChannel(const Picture& out, int x, int y, uint32_t colour, uint32_t mask) {
  if (!Inside(out, x, y)) return;
  uint32_t& word = PictureRow(out, y)[x];
  word = (word & ~mask & 0xFFFFFF) | (colour & mask);
}

// The sample of the work picture for one row block; black outside it.
uint32_t ReadSample(const Picture& work, int sx, int o) {
  int x = sx + 3 * o, y = 3 * o;
  return Inside(work, x, y) ? PictureRow(work, y)[x] : 0;
}

void ClearPicture(const Picture& p) {
  for (int y = 0; y < p.height; ++y) {
    std::memset(PictureRow(p, y), 0, static_cast<size_t>(p.width) * sizeof(uint32_t));
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
  ClearPicture(output);
  const double dt = p.pitch / p.views;
  const int picture_width = work.width / p.pictures;
  std::vector<int> widths;
  uint32_t prev[kClassicRowBlocks] = {};
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
      // A view of no width has one column, whose source lies outside the picture.
      const bool outside = width == 0;
      const int sx =
          outside ? 0
                  : v * picture_width + base - static_cast<int>(std::trunc((p.pitch / width) * k));
      const int shift = v != 0 ? p.pos : 0;
      for (int o = 0; o < kClassicRowBlocks; ++o) {
        uint32_t c = outside ? 0 : ReadSample(work, sx, o);
        uint32_t out = blend && p.aa ? BlendColors(frac, c, prev[o]) : c;
        if (k < p.gap) out = 0;
        prev[o] = c;
        WriteSubpixels(output, o, x + 3 * o + shift, out);
      }
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
}
