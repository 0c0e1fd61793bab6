// One interlaced picture from settings: the classic or the free interlacer,
// from an input, a chart or as a pitch sweep sheet.
#pragma once

#include <cstddef>

#include "interlace/classic_interlacer.h"
#include "interlace/picture.h"
#include "interlace/settings.h"
#include "interlace/view_map.h"

// What the interlacing keeps from one picture to the next: the free
// interlacer's view map, worked out again only when the panel or the lens
// changes. Start from {} and release it when done.
struct InterlaceState {
  ViewMap map;
};
void ReleaseInterlaceState(InterlaceState* state);

// Renders into `output` (settings.width x settings.height). `input` is the
// side-by-side or quilt picture (null when a chart is drawn). False, with a
// one-line reason, when the settings cannot be drawn, the input does not hold
// the pictures they ask for, or memory runs short. The free interlacer draws
// from the view map, but AA and sweep sheets sub-pixel by sub-pixel.
bool Interlace(InterlaceState* state, const LentiSettings& settings, const Picture* input,
               const Picture& output, char* error, size_t error_bytes);
// The classic interlacer's parameters among the settings.
ClassicParameters ClassicParametersOf(const LentiSettings& settings);
