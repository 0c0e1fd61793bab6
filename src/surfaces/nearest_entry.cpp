// The nearest entry of a colour table for a colour: the smallest squared
// distance in red, green and blue; of equally near entries the lowest index.
// The colour cube is cut into 4 x 4 x 4 cells; the first colour asked for in a
// cell settles the whole cell at once: only the entries that can be nearest to
// some point of the cell are tried, each over the cell's 64 colours. Those
// candidates are picked from the candidates of the cell's block (16 x 16 x 16
// colours), worked out once per block.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "surfaces/surfaces.h"

namespace zul {

namespace {

constexpr int kCellSide = 4;
constexpr int kCellColours = kCellSide * kCellSide * kCellSide;
constexpr int kCells = 1 << 18;
constexpr int kBlockSide = 16;  // blocks of 4 x 4 x 4 cells
constexpr int kBlocks = 1 << 12;

// The cell of a colour (6 bits of each channel) and the colour's place within
// it (the low 2 bits of each channel): together the answer's position.
int CellOf(uint32_t colour) {
  return static_cast<int>((colour >> 18 & 63) << 12 | (colour >> 10 & 63) << 6 |
                          (colour >> 2 & 63));
}
size_t AnswerAt(int cell, uint32_t colour) {
  return static_cast<size_t>(cell) * kCellColours +
         static_cast<size_t>((colour >> 16 & 3) << 4 | (colour >> 8 & 3) << 2 | (colour & 3));
}
bool CellSettled(const NearestEntryMap& map, int cell) {
  return map.cell_settled[cell >> 3] & (1 << (cell & 7));
}

// Squared distances from a channel value to the nearest and the farthest point
// of [low, low + side - 1].
int NearSquare(int value, int low, int side) {
  int d = value < low ? low - value : value > low + side - 1 ? value - low - side + 1 : 0;
  return d * d;
}
int FarSquare(int value, int low, int side) {
  int d = std::max(std::abs(value - low), std::abs(value - low - side + 1));
  return d * d;
}

// Of the entries `from` (in index order), those that may be nearest to a point
// of the box of `side` whose lowest corner is (r0, g0, b0): none is nearer
// everywhere in the box than they are anywhere in it. Kept in index order.
int BoxCandidates(const uint8_t (*table)[3], const uint8_t* from, int count, int r0, int g0, int b0,
                  int side, uint8_t* candidates) {
  int closest[kPaletteEntries];
  int bound = 3 * 255 * 255;
  for (int k = 0; k < count; ++k) {
    const uint8_t* e = table[from[k]];
    closest[k] =
        NearSquare(e[0], r0, side) + NearSquare(e[1], g0, side) + NearSquare(e[2], b0, side);
    bound = std::min(
        bound, FarSquare(e[0], r0, side) + FarSquare(e[1], g0, side) + FarSquare(e[2], b0, side));
  }
  int kept = 0;
  for (int k = 0; k < count; ++k) {
    if (closest[k] <= bound) candidates[kept++] = from[k];
  }
  return kept;
}

// The candidates of the block of 4 x 4 x 4 cells holding the cell at
// (r0, g0, b0): every candidate of a cell is one of its block's.
const uint8_t* BlockCandidates(NearestEntryMap* map, int r0, int g0, int b0, int* count) {
  int block = (r0 >> 4) << 8 | (g0 >> 4) << 4 | (b0 >> 4);
  uint8_t* list = map->block_candidates + static_cast<size_t>(block) * kPaletteEntries;
  if (map->block_count[block] < 0) {
    uint8_t all[kPaletteEntries];
    for (int i = 0; i < kPaletteEntries; ++i) all[i] = static_cast<uint8_t>(i);
    map->block_count[block] = static_cast<int16_t>(BoxCandidates(
        map->table, all, kPaletteEntries, r0 & ~15, g0 & ~15, b0 & ~15, kBlockSide, list));
  }
  *count = map->block_count[block];
  return list;
}

void SettleCell(NearestEntryMap* map, int cell) {
  int r0 = (cell >> 12 & 63) * kCellSide, g0 = (cell >> 6 & 63) * kCellSide;
  int b0 = (cell & 63) * kCellSide;
  int block_count = 0;
  const uint8_t* block = BlockCandidates(map, r0, g0, b0, &block_count);
  uint8_t candidates[kPaletteEntries];
  int count = BoxCandidates(map->table, block, block_count, r0, g0, b0, kCellSide, candidates);
  int best[kCellColours], nearest[kCellColours] = {};
  std::fill(best, best + kCellColours, 3 * 255 * 255 + 1);
  for (int c = 0; c < count; ++c) {  // in index order: a later entry must be nearer
    const uint8_t* e = map->table[candidates[c]];
    int index = candidates[c];
    int db[kCellSide];
    for (int k = 0; k < kCellSide; ++k) db[k] = (b0 + k - e[2]) * (b0 + k - e[2]);
    for (int r = 0; r < kCellSide; ++r) {
      for (int g = 0; g < kCellSide; ++g) {
        int drg = (r0 + r - e[0]) * (r0 + r - e[0]) + (g0 + g - e[1]) * (g0 + g - e[1]);
        int* row_best = best + (r * kCellSide + g) * kCellSide;
        int* row_nearest = nearest + (r * kCellSide + g) * kCellSide;
        for (int k = 0; k < kCellSide; ++k) {  // written to become one vector operation
          int d = drg + db[k];
          bool nearer = d < row_best[k];
          row_best[k] = nearer ? d : row_best[k];
          row_nearest[k] = nearer ? index : row_nearest[k];
        }
      }
    }
  }
  uint8_t* answer = map->nearest + static_cast<size_t>(cell) * kCellColours;
  for (int place = 0; place < kCellColours; ++place) {
    answer[place] = static_cast<uint8_t>(nearest[place]);
  }
  map->cell_settled[cell >> 3] |= static_cast<uint8_t>(1 << (cell & 7));
}

}  // namespace

bool PrepareNearestEntryMap(const RGBQUAD table[kPaletteEntries], NearestEntryMap* map) {
  map->nearest = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(kCells) * kCellColours));
  map->cell_settled = static_cast<uint8_t*>(std::calloc(kCells / 8, 1));
  map->block_candidates = static_cast<uint8_t*>(std::malloc(size_t{kBlocks} * kPaletteEntries));
  map->block_count = static_cast<int16_t*>(std::malloc(kBlocks * sizeof(int16_t)));
  if (map->nearest == nullptr || map->cell_settled == nullptr || map->block_candidates == nullptr ||
      map->block_count == nullptr) {
    ReleaseNearestEntryMap(map);
    return false;
  }
  std::fill(map->block_count, map->block_count + kBlocks, int16_t{-1});
  for (int i = 0; i < kPaletteEntries; ++i) {
    map->table[i][0] = table[i].rgbRed;
    map->table[i][1] = table[i].rgbGreen;
    map->table[i][2] = table[i].rgbBlue;
  }
  return true;
}

void ReleaseNearestEntryMap(NearestEntryMap* map) {
  std::free(map->nearest);
  std::free(map->cell_settled);
  std::free(map->block_candidates);
  std::free(map->block_count);
  *map = NearestEntryMap{};
}

uint8_t NearestEntry(NearestEntryMap* map, uint32_t colour) {
  int cell = CellOf(colour);
  if (!CellSettled(*map, cell)) SettleCell(map, cell);
  return map->nearest[AnswerAt(cell, colour)];
}

void NearestEntriesOfRow(NearestEntryMap* map, const uint32_t* colours, uint8_t* out, int count) {
  for (int i = 0; i < count; ++i) {
    uint32_t colour = colours[i];
    int cell = CellOf(colour);
    if (!CellSettled(*map, cell)) SettleCell(map, cell);
    out[i] = map->nearest[AnswerAt(cell, colour)];
  }
}

}  // namespace zul
