// Rendering the output window: the classic interlacing of the work window, or
// the free interlacing of the input or a chart, and the printout.
#include <cstdio>
#include <cstring>

#include "interlace/interlace.h"
#include "lenti.h"

double pitch;
int pic_num;
int view_num;
int gap;
int pos;
int AA;
int output_x, output_y;
int output_monitor;
LentiSettings panel_settings;

namespace {

char status_line[256];
InterlaceState interlace_state = {};  // the view map, kept from press to press
// Window 0 when it has 8 bits: its palette indices as the words the pictures
// are read as (worker thread).
OwnedPicture input_words = {Picture{nullptr, 0, 0, 0}, nullptr};

// A 32-bit window's rows, with what GDI still had to draw into them.
Picture SurfacePicture(int number) {
  ImageSurface s;
  ZUL_GetImageRows(number, &s);
  return Picture{reinterpret_cast<uint32_t*>(s.base), static_cast<int>(s.width),
                 static_cast<int>(s.height), static_cast<ptrdiff_t>(s.stride / 4)};
}

bool Shows32Bits(int number) {
  return ZUL_GetImageWindow(number) != nullptr && image_surfaces[number].bits == 32;
}

// Window 0's picture as words: the surface itself, or the indices of an
// 8-bit one copied out.
const Picture* InputPicture() {
  if (!ZUL_GetImageWindow(kInputWindow)) return nullptr;
  if (Shows32Bits(kInputWindow)) return &(input_words.picture = SurfacePicture(kInputWindow));
  const ImageSurface& s = image_surfaces[kInputWindow];
  FreePicture(&input_words);
  if (!MakePicture(static_cast<int>(s.width), static_cast<int>(s.height), &input_words)) {
    return nullptr;
  }
  for (int y = 0; y < input_words.picture.height; ++y) {
    for (int x = 0; x < input_words.picture.width; ++x) {
      PictureRow(input_words.picture, y)[x] = s.base[static_cast<size_t>(y) * s.stride + x];
    }
  }
  return &input_words.picture;
}

// Window 2 at the output size, made again where it is (at zoom 100, and
// presented again when it was); when that size cannot be had it comes back
// at the size it had, and the answer is false.
bool OutputAtSize(int width, int height) {
  HWND window = ZUL_GetImageWindow(kOutputWindow);
  if (!window) return false;
  const ImageSurface& s = image_surfaces[kOutputWindow];
  const int old_width = static_cast<int>(s.width), old_height = static_cast<int>(s.height);
  if (old_width == width && old_height == height && s.bits == 32) return true;
  RECT rect = {};
  GetWindowRect(window, &rect);
  bool presented = ZUL_PresentedImage() == kOutputWindow;
  ZUL_DestroyImage(kOutputWindow);
  bool made =
      ZUL_CreateImage(kOutputWindow, kOutputTitle, rect.left, rect.top, width, height, 100) == 0;
  if (!made) {
    ZUL_CreateImage(kOutputWindow, kOutputTitle, rect.left, rect.top, old_width, old_height, 100);
  }
  if (presented) ZUL_PresentImage(kOutputWindow, output_monitor);
  return made;
}

// Whether the output was rendered: never from or into a window the user has
// closed meanwhile.
bool RenderClassicWindows(const LentiSettings& s) {
  if (!Shows32Bits(kWorkWindow) || !OutputAtSize(kOutputWidth, kOutputHeight)) return false;
  RenderClassic(ClassicParametersOf(s), SurfacePicture(kWorkWindow), SurfacePicture(kOutputWindow));
  return true;
}

// Whether there is an output to show (a setting that cannot be drawn leaves
// it as it was and says why in the status line).
bool RenderFreeWindow(const LentiSettings& s) {
  const Picture* input = s.chart == ChartKind::kNone ? InputPicture() : nullptr;
  if (!OutputAtSize(s.width, s.height)) {
    SetStatusLine("the output window cannot be made at this size");
    return ZUL_GetImageWindow(kOutputWindow) != nullptr;
  }
  char error[256];
  if (!Interlace(&interlace_state, s, input, SurfacePicture(kOutputWindow), error, sizeof error)) {
    SetStatusLine(error);
  }
  return true;
}

// The free settings as the printout shows them after the classic ones, each
// on a line of its own, into `text`.
void FormatFreeSettings(const LentiSettings& s, char* text, size_t bytes) {
  const char* const kShown[] = {"interlacer", "size",  "slant", "order",
                                "offset",     "quilt", "chart", "sweep"};
  size_t used = 0;
  text[0] = 0;
  for (const char* key : kShown) {
    char value[3 * kSettingTextBytes];
    SettingText(s, key, value, sizeof value);
    int n = std::snprintf(text + used, bytes - used, "\n%s: %s", key, value);
    if (n < 0 || static_cast<size_t>(n) >= bytes - used) break;
    used += static_cast<size_t>(n);
  }
}

}  // namespace

LentiSettings BenchSettings() {
  LentiSettings s = panel_settings;
  s.pitch = pitch;
  s.pictures = pic_num;
  s.views = view_num;
  s.gap = gap;
  s.pos = pos;
  s.aa = AA;
  return s;
}

void ApplySettings(const LentiSettings& settings) {
  panel_settings = settings;
  pitch = settings.pitch;
  pic_num = settings.pictures;
  view_num = settings.views;
  gap = settings.gap;
  pos = settings.pos;
  AA = settings.aa;
}

const char* StatusLine() { return status_line; }

void SetStatusLine(const char* text) {
  std::snprintf(status_line, sizeof status_line, "%s", text != nullptr ? text : "");
}

void PrintBenchState() {
  const LentiSettings s = BenchSettings();
  char free_settings[512] = "";
  if (s.interlacer == InterlacerKind::kFree) {
    FormatFreeSettings(s, free_settings, sizeof free_settings);
  }
  ZUL_ClearTextWindow();
  // One call for all lines: the window is repainted once, not once a line.
  ZUL_Printf("pitch: %f\ndt: %f\npic_num: %d\nview_num: %d\ngap: %d\npos: %d\n%s%s%s%s", pitch,
             pitch / view_num, pic_num, view_num, gap, pos, AA ? "AA: on" : "AA: off",
             free_settings, status_line[0] ? "\n" : "", status_line);
}

void RenderLenticular() {
  const LentiSettings s = BenchSettings();
  bool shown =
      s.interlacer == InterlacerKind::kClassic ? RenderClassicWindows(s) : RenderFreeWindow(s);
  if (!shown) return;
  ZUL_SelectImage(kOutputWindow);
  ZUL_RedrawImage(kOutputWindow);
  PrintBenchState();
}
