// The settings of one interlaced picture: the panel or print (size, sub-pixel
// order, lens slant and phase), the lens sheet (pitch, views), the source
// (pictures side by side, a quilt or a chart) and the interlacer. One set of
// names serves the batch program's options, the profiles and the bench's
// input box.
#pragma once

#include <cstddef>

constexpr int kMaxViews = 255;
constexpr int kMaxSide = 32768;  // pixels of an output's side
constexpr int kSettingTextBytes = 32;

enum class SubpixelOrder { kRgb, kBgr };
enum class InterlacerKind { kClassic, kFree };
enum class ChartKind { kNone, kViews, kSingle, kNumbers };

struct LentiSettings {
  // The output, in pixels of three sub-pixels each.
  int width = 800;
  int height = 480;
  SubpixelOrder order = SubpixelOrder::kRgb;
  // Lens shift in sub-pixels per row (1: the classic panel; negative leans the
  // other way), kept as it was written ("1/3", "0.25") and as its value.
  char slant_text[kSettingTextBytes] = "1";
  double slant = 1;
  double offset = 0;  // sub-pixels
  // The lens sheet.
  double pitch = 23.006;  // sub-pixels
  int views = 2;
  int gap = 0;  // leading sub-pixels of each view strip made black
  int pos = 0;  // shift in sub-pixels of every view boundary but the lens's own
  int aa = 0;   // 1: mix the views a sub-pixel straddles
  // The source: `pictures` side by side, or a quilt of columns x rows tiles,
  // or a chart instead of any input.
  int pictures = 2;
  int quilt_columns = 0;  // 0: no quilt
  int quilt_rows = 0;
  ChartKind chart = ChartKind::kNone;
  int chart_view = 0;  // the lit view of single:K
  // A pitch sweep sheet: `sweep_count` bands (0: none), each interlaced with
  // its own pitch, sweep_start + band x sweep_step.
  double sweep_start = 0;
  double sweep_step = 0;
  int sweep_count = 0;
  InterlacerKind interlacer = InterlacerKind::kClassic;
  int dpi = 0;  // pixels per inch recorded in a saved PNG; 0: none
};

// The keys, in the order profiles write them: key `index` (0 to
// SettingKeyCount() - 1), null beyond.
int SettingKeyCount();
const char* SettingKey(int index);

// Sets `key` from its text. False, with a one-line reason in `error` and the
// settings unchanged, for an unknown key or a value out of its range.
bool SetSetting(LentiSettings* settings, const char* key, const char* value, char* error,
                size_t error_bytes);
// The text of a setting as SetSetting reads it back to the same value.
void SettingText(const LentiSettings& settings, const char* key, char* text, size_t text_bytes);

// What makes a setting the classic interlacer cannot draw (its 800 x 480
// panel with one sub-pixel of slant per row, RGB, no offset, side-by-side
// input): the first such setting's key, or null when there is none.
const char* NotClassicBecause(const LentiSettings& settings);
// Whether the settings can be drawn as they are: false with a reason (the
// classic interlacer asked for with a setting it cannot draw, a lit view
// beyond the views, a sweep band whose pitch is not positive).
bool SettingsDrawable(const LentiSettings& settings, char* error, size_t error_bytes);

// A number written as the shortest decimal that reads back as the same double.
void ShortestDecimal(double value, char* text, size_t text_bytes);
