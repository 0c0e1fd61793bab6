// Choosing the interlacer and the source, and the pitch sweep sheet.
#include "interlace/interlace.h"

#include <cstdio>

#include "interlace/classic_interlacer.h"
#include "interlace/free_interlacer.h"
#include "interlace/text_stamp.h"
#include "interlace/view_source.h"

namespace {

bool NoMemory(char* error, size_t error_bytes, const char* what, int width, int height) {
  std::snprintf(error, error_bytes, "no memory for the %s (%dx%d pixels)", what, width, height);
  return false;
}

bool InterlaceClassic(const LentiSettings& s, const Picture* input, const Picture& output,
                      char* error, size_t error_bytes) {
  if (input == nullptr) {
    std::snprintf(error, error_bytes, "the classic interlacer needs an input picture");
    return false;
  }
  OwnedPicture work;
  if (!MakePicture(3 * input->width, input->height, &work)) {
    return NoMemory(error, error_bytes, "work picture", 3 * input->width, input->height);
  }
  TriplePicture(*input, work.picture);
  RenderClassic(ClassicParametersOf(s), work.picture, output);
  FreePicture(&work);
  return true;
}

// Horizontal bands, each interlaced with its own pitch and labelled with it.
void RenderSweep(const LentiSettings& s, const ViewPictures& views, const Picture& output) {
  for (int band = 0; band < s.sweep_count; ++band) {
    int top = static_cast<int>(int64_t{band} * output.height / s.sweep_count);
    int bottom = static_cast<int>(int64_t{band + 1} * output.height / s.sweep_count);
    double pitch = s.sweep_start + band * s.sweep_step;
    RenderFreeRows(GeometryOf(s, pitch), views, output, top, bottom);
    int text_height = (bottom - top) / 3;
    if (text_height > 48) text_height = 48;
    if (text_height < 8) continue;  // no room for a label
    char label[48], value[32];
    ShortestDecimal(pitch, value, sizeof value);
    std::snprintf(label, sizeof label, " pitch %s ", value);
    StampText(output, 8, top + text_height / 2, label, text_height, 0x000000, 0xFFFFFF);
  }
}

}  // namespace

ClassicParameters ClassicParametersOf(const LentiSettings& s) {
  return ClassicParameters{s.pitch, s.pictures, s.views, s.gap, s.pos, s.aa};
}

void ReleaseInterlaceState(InterlaceState* state) { ReleaseViewMap(&state->map); }

bool Interlace(InterlaceState* state, const LentiSettings& s, const Picture* input,
               const Picture& output, char* error, size_t error_bytes) {
  if (!SettingsDrawable(s, error, error_bytes)) return false;
  if (s.interlacer == InterlacerKind::kClassic) {
    return InterlaceClassic(s, input, output, error, error_bytes);
  }
  ViewSource source;
  if (!PrepareViewSource(s, input, &source, error, error_bytes)) return false;
  const FreeGeometry geometry = GeometryOf(s, s.pitch);
  bool drawn = true;
  if (s.sweep_count > 0) {
    RenderSweep(s, source.pictures, output);
  } else if (s.aa) {
    RenderFreeRows(geometry, source.pictures, output, 0, output.height);
  } else if (PrepareViewMap(&state->map, geometry, output.width, output.height)) {
    RenderFromViewMap(state->map, source.pictures, output);
  } else {
    drawn = NoMemory(error, error_bytes, "view map", output.width, output.height);
  }
  ReleaseViewSource(&source);
  return drawn;
}
