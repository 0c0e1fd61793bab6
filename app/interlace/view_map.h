// The view every sub-pixel of an output shows, worked out once for a panel
// and lens and kept, so that rendering again (with other pictures, or the
// same) only copies samples.
//
// Along a row the views repeat lens after lens, and from row to row they
// move by the slant. When the slant is a small fraction P / Q (1/3, -2/5,
// 0.2, 1), rows y and y + Q show the same views moved P sub-pixels, so the
// map keeps Q rows only, each long enough for every row of its kind: for a
// 4K panel with slant 1/3 three rows of 12,240 views instead of 2,160 of
// 11,520, which stay in the processor's cache while the output is drawn.
// Any other slant keeps a row of views for every output row.
//
// Each view is worked out by a quick step (one addition, one product)
// wherever that cannot round differently from the model's own arithmetic;
// close to a view boundary (within 1e-7 of a view) it is marked, and such a
// sub-pixel takes the model's own view, so the picture is exactly the
// model's. Where the marks are many (a pitch that is a whole number of
// views, say) the map holds every row with the model's views in them.
#pragma once

#include <cstdint>

#include "interlace/free_interlacer.h"

constexpr uint8_t kBlackSubpixel = 255;  // a sub-pixel the gap makes black
constexpr uint8_t kModelSubpixel = 254;  // close to a boundary: ask the model
constexpr int kMostMappedViews = 254;    // more views are drawn by the model alone
constexpr int kLongestPeriod = 64;       // rows of a slant's kinds the map may keep

struct ViewMap {
  FreeGeometry geometry;  // what the views were worked out for (AA and order aside)
  int width;
  int height;
  int period;  // Q: rows kept; 0 when `views` holds a row for every output row
  int step;    // P: sub-pixels the views move right from one kept row's kind to the next
  int origin;  // the kept rows' index of sub-pixel 0 of row 0 of their kind
  int length;  // views in a kept row
  uint8_t* views;
  // Where the kept rows are marked (kModelSubpixel): the entries of kind c
  // are marks[mark_begin[c]] up to marks[mark_begin[c + 1]], in order.
  int* marks;
  int mark_begin[kLongestPeriod + 1];
};

// Brings `map` to the geometry and size, working the views out again only
// when they changed. False, with the map emptied, when its memory cannot be
// had or the views are more than kMostMappedViews.
bool PrepareViewMap(ViewMap* map, const FreeGeometry& geometry, int width, int height);
void ReleaseViewMap(ViewMap* map);
// Renders every row of `output` from the map (AA aside: it mixes nothing).
void RenderFromViewMap(const ViewMap& map, const ViewPictures& views, const Picture& output);
