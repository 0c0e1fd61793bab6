// One interlaced picture from settings: the classic or the free interlacer,
// from an input, a chart or as a pitch sweep sheet.
#pragma once

#include <cstddef>

#include "interlace/classic_interlacer.h"
#include "interlace/picture.h"
#include "interlace/settings.h"

// Renders into `output` (settings.width x settings.height). `input` is the
// side-by-side or quilt picture (null when a chart is drawn). False, with a
// one-line reason, when the settings cannot be drawn, the input does not hold
// the pictures they ask for, or memory runs short.
bool Interlace(const LentiSettings& settings, const Picture* input, const Picture& output,
               char* error, size_t error_bytes);
// The classic interlacer's parameters among the settings.
ClassicParameters ClassicParametersOf(const LentiSettings& settings);
