// The built-in 8 x 14 bitmap font and its text cursor metrics.
#pragma once

#include <cstdint>

namespace zul {

constexpr int kFirstGlyph = 32;  // space
constexpr int kLastGlyph = 127;  // blank, but it advances like a character
constexpr int kGlyphCount = kLastGlyph - kFirstGlyph + 1;
constexpr int kGlyphWidth = 8;    // character pitch
constexpr int kGlyphHeight = 14;  // rows text_y - 14 .. text_y - 1
constexpr int kTextLinePitch = 16;

// One glyph per code 32..127, 14 rows from the top; in each byte the most
// significant bit is the leftmost column. Row 10 is the last row above the
// baseline; rows 11-13 hold only descenders.
extern const uint8_t kBitmapFont[kGlyphCount][kGlyphHeight];

}  // namespace zul
