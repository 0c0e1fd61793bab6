// The pictures of the views, from an input or drawn as charts.
#include "interlace/view_source.h"

#include <cstdio>

#include "interlace/text_stamp.h"

namespace {

// The numbers chart's pictures together stay within this many pixels.
constexpr int64_t kNumberChartPixels = int64_t{16} << 20;
constexpr int kNumberPictureWidth = 480;

void ShowFlat(ViewSource* source, int views, uint32_t (*colour)(int v, int n, int lit), int lit) {
  for (int v = 0; v < views; ++v) {
    source->flat[v] = colour(v, views, lit);
    source->pictures.view[v] = Picture{&source->flat[v], 1, 1, 1};
  }
}

bool DrawNumbers(ViewSource* source, int views, int width, int height) {
  int picture_width = width < kNumberPictureWidth ? width : kNumberPictureWidth;
  int picture_height = static_cast<int>(int64_t{height} * picture_width / width);
  while (picture_width > 1 &&
         int64_t{picture_width} * picture_height * views > kNumberChartPixels) {
    picture_width /= 2;
    picture_height /= 2;
  }
  if (picture_height < 1) picture_height = 1;
  for (int v = 0; v < views; ++v) {
    if (!MakePicture(picture_width, picture_height, &source->numbers[v])) return false;
    const Picture& picture = source->numbers[v].picture;
    char number[8];
    std::snprintf(number, sizeof number, "%d", v);
    int text_height = picture_height * 6 / 10;
    TextBox box = MeasureText(number, text_height);
    StampText(picture, (picture_width - box.width) / 2, (picture_height - box.height) / 2, number,
              text_height, ViewHue(v, views), 0);
    source->pictures.view[v] = picture;
  }
  return true;
}

bool ShowInputParts(const LentiSettings& s, const Picture& input, ViewSource* source, char* error,
                    size_t error_bytes) {
  const bool quilt = s.quilt_columns > 0;
  const int columns = quilt ? s.quilt_columns : s.pictures;
  const int rows = quilt ? s.quilt_rows : 1;
  const int part_width = input.width / columns, part_height = input.height / rows;
  if (part_width < 1 || part_height < 1) {
    std::snprintf(error, error_bytes, "the input (%dx%d) is too small for %d x %d %s", input.width,
                  input.height, columns, rows, quilt ? "tiles" : "pictures");
    return false;
  }
  const int parts = columns * rows;
  for (int v = 0; v < s.views; ++v) {
    int part = v * parts / s.views;
    source->pictures.view[v] = PicturePart(input, part % columns * part_width,
                                           part / columns * part_height, part_width, part_height);
  }
  return true;
}

}  // namespace

uint32_t ViewHue(int v, int n) {
  // Six sectors of 256 steps around the colour circle.
  int h = static_cast<int>(int64_t{v} * 1536 / n), sector = h / 256, rise = h % 256;
  int fall = 255 - rise;
  const int rgb[6][3] = {{255, rise, 0}, {fall, 255, 0}, {0, 255, rise},
                         {0, fall, 255}, {rise, 0, 255}, {255, 0, fall}};
  const int* c = rgb[sector];
  return static_cast<uint32_t>(c[0] << 16 | c[1] << 8 | c[2]);
}

bool PrepareViewSource(const LentiSettings& s, const Picture* input, ViewSource* source,
                       char* error, size_t error_bytes) {
  *source = ViewSource{};
  source->pictures.count = s.views;
  switch (s.chart) {
    case ChartKind::kViews:
      ShowFlat(
          source, s.views,
          [](int v, int n, int) { return static_cast<uint32_t>(255 * v / (n - 1)) * 0x010101u; },
          0);
      return true;
    case ChartKind::kSingle:
      ShowFlat(
          source, s.views, [](int v, int, int lit) { return v == lit ? 0xFFFFFFu : 0u; },
          s.chart_view);
      return true;
    case ChartKind::kNumbers:
      if (DrawNumbers(source, s.views, s.width, s.height)) return true;
      ReleaseViewSource(source);
      std::snprintf(error, error_bytes, "no memory for the numbers chart");
      return false;
    case ChartKind::kNone: break;
  }
  if (input == nullptr) {
    std::snprintf(error, error_bytes, "no input picture");
    return false;
  }
  return ShowInputParts(s, *input, source, error, error_bytes);
}

void ReleaseViewSource(ViewSource* source) {
  for (OwnedPicture& picture : source->numbers) FreePicture(&picture);
}
