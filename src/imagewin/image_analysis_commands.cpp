// Colour analysis commands of an image window: the values of one pixel in
// every colour space, profiles of one row and chroma diagrams of a row or of
// a rectangle. The graphs go into new 32-bit image windows, which become and
// stay the current image window.
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "imagewin/imagewin.h"

namespace zul {

namespace {

constexpr int kGraphTitleBytes = 512;
constexpr int kProfileGraphHeight = 128;
constexpr int kChromaGraphSize = 256;

struct ProfileCurve {
  int flags;
  uint32_t colour;
};
struct GraphLabel {
  const char* text;
  int x, baseline;
  uint32_t colour;
};
// One row-profile command: the kind of window it reads (8 or 32 bits), the
// graph's title, the curves' x offset, the curves drawn in order (the last
// on top) and their labels.
struct ProfileGraph {
  int id;
  int source_bits;
  const char* title_format;
  int offset;
  int curve_count;
  ProfileCurve curves[3];
  GraphLabel labels[3];
};

constexpr int kLine = kProfilePolyline;
constexpr ProfileGraph kProfileGraphs[] = {
    {kIwLineRgb,
     32,
     "RGB(Y=%d)",
     12,
     3,
     {{kLine | kProfileRed, 0xFF0000},
      {kLine | kProfileGreen, 0x00FF00},
      {kLine | kProfileBlue, 0x0000FF}},
     {{"R", 2, 40, 0xFF0000}, {"G", 2, 72, 0x00FF00}, {"B", 2, 104, 0x0000FF}}},
    {kIwLineHsv,
     32,
     "HSV(Y=%d)",
     12,
     3,
     {{kLine | kProfileHue, 0xFFFF00},
      {kLine | kProfileSaturation, 0xFF00FF},
      {kLine | kProfileValue, 0x00FFFF}},
     {{"H", 2, 40, 0xFFFF00}, {"S", 2, 72, 0xFF00FF}, {"V", 2, 104, 0x00FFFF}}},
    {kIwLineYCrCb,
     32,
     "YCrCb(Y=%d)",
     20,
     3,
     {{kLine | kProfileLuminance, 0xFFFFFF},
      {kLine | kProfileCr, 0xFF8888},
      {kLine | kProfileCb, 0x8888FF}},
     {{"Y", 4, 40, 0xFFFFFF}, {"Cr", 2, 72, 0xFF8888}, {"Cb", 2, 104, 0x8888FF}}},
    {kIwLineLumi,
     8,
     "Luminance(Y=%d)",
     12,
     1,
     {{kLine | kProfileBytes, 0xFFFFFF}},
     {{"L", 2, 40, 0xFFFFFF}}},
};

const ProfileGraph* FindProfileGraph(int id) {
  for (const ProfileGraph& graph : kProfileGraphs) {
    if (graph.id == id) return &graph;
  }
  return nullptr;
}

bool PickPoint(int number, int* x, int* y) {
  return PointsGiven(ZUL_GetPoint(number, x, y)) && SelectSlotAgain(number);
}

bool PickRow(int number, int* y) {
  int x = 0;
  return PointsGiven(ZUL_GetRow(number, &x, y)) && SelectSlotAgain(number);
}

bool PickBox(int number, RECT* box) {
  int left = 0, top = 0, right = 0, bottom = 0;
  if (!PointsGiven(ZUL_GetBox(number, &left, &top, &right, &bottom)) || !SelectSlotAgain(number)) {
    return false;
  }
  *box = RECT{left, top, right, bottom};
  return true;
}

void RepaintGraph(int graph) { InvalidateRect(image_windows[graph].window, nullptr, FALSE); }

// The picked row of the current image window, one 32-bit word per pixel
// (an 8-bit row uses the first `width` bytes); null when it cannot be had.
std::unique_ptr<uint32_t[]> ReadPickedRow(int y, int width) {
  std::unique_ptr<uint32_t[]> row(new (std::nothrow) uint32_t[static_cast<size_t>(width)]);
  if (row) ZUL_ReadRow(row.get(), y, width);
  return row;
}

void DrawLabel(const GraphLabel& label) {
  text_x = text_left = label.x;
  text_y = label.baseline;
  zul_tc = label.colour;
  ZUL_DrawText(label.text);
}

void PixelCommand(int number) {
  int x = 0, y = 0;
  if (!PickPoint(number, &x, &y)) return;
  const uint32_t pixel = ZUL_GetPixel(x, y);
  const bool eight_bits = image_windows[number].bits == 8;
  ZUL_ShowTextWindow();
  ZUL_Printf("(X,Y)=(%d,%d)\n", x, y);
  if (eight_bits) {
    ZUL_Printf("(Luminance)=(%d)\n\n", static_cast<int>(pixel));
    return;
  }
  const int luminance = ZUL_GetY(pixel);
  ZUL_Printf("(R,G,B)=(%d,%d,%d)\n", static_cast<int>((pixel >> 16) & 0xFF),
             static_cast<int>((pixel >> 8) & 0xFF), static_cast<int>(pixel & 0xFF));
  ZUL_Printf("(H,S,V)=(%d,%d,%d)\n", ZUL_GetHue(pixel), ZUL_GetSaturation(pixel),
             ZUL_GetBrightness(pixel));
  ZUL_Printf("(Y,Cr,Cb)=(%d,%d,%d)\n", luminance, ZUL_GetCr(pixel), ZUL_GetCb(pixel));
  ZUL_Printf("(Y,u,v)=(%d,%d,%d)\n", luminance, ZUL_GetU(pixel), ZUL_GetV(pixel));
  ZUL_Printf("(Y,I,Q)=(%d,%d,%d)\n\n", luminance, ZUL_GetI(pixel), ZUL_GetQ(pixel));
}

void RowProfileCommand(int number, const ProfileGraph& graph) {
  int y = 0;
  if (!PickRow(number, &y)) return;
  const int width = image_windows[number].width;
  char title[kGraphTitleBytes];
  std::snprintf(title, sizeof title, graph.title_format, y);
  std::unique_ptr<uint32_t[]> row = ReadPickedRow(y, width);
  if (!row) return;
  const int window = CreateInFirstSlot(title, width + graph.offset, kProfileGraphHeight, 32);
  if (window < 0) return;
  for (int i = 0; i < graph.curve_count; ++i)
    ZUL_PlotProfile(row.get(), graph.offset, width, graph.curves[i].flags, graph.curves[i].colour);
  for (int i = 0; i < graph.curve_count; ++i) DrawLabel(graph.labels[i]);
  RepaintGraph(window);
}

void RowChromaCommand(int number) {
  int y = 0;
  if (!PickRow(number, &y)) return;
  const int width = image_windows[number].width;
  char title[kGraphTitleBytes];
  std::snprintf(title, sizeof title, "CrCb(Y=%d)", y);
  std::unique_ptr<uint32_t[]> row = ReadPickedRow(y, width);
  if (!row) return;
  const int window = CreateInFirstSlot(title, kChromaGraphSize, kChromaGraphSize, 32);
  if (window < 0) return;
  ZUL_PlotChroma(row.get(), width);
  RepaintGraph(window);
}

void AreaChromaCommand(int number) {
  RECT box;
  if (!PickBox(number, &box)) return;
  char title[kGraphTitleBytes];
  std::snprintf(title, sizeof title, "CrCb(%d,%d)-(%d,%d)", static_cast<int>(box.left),
                static_cast<int>(box.top), static_cast<int>(box.right),
                static_cast<int>(box.bottom));
  const int64_t w = static_cast<int64_t>(box.right) - box.left + 1;
  const int64_t h = static_cast<int64_t>(box.bottom) - box.top + 1;
  // An area of a large picture can be hundreds of megabytes: a failed
  // allocation ends the command like a refused graph window.
  if (w <= 0 || h <= 0 || w > kMaxSurfaceBytes / 4 / h) return;
  std::unique_ptr<uint32_t[]> area(new (std::nothrow) uint32_t[static_cast<size_t>(w * h)]);
  if (!area) return;
  if (CopyImageBlock(area.get(), box.left, box.top, static_cast<int>(w), static_cast<int>(h)) != 0)
    return;
  const int window = CreateInFirstSlot(title, kChromaGraphSize, kChromaGraphSize, 32);
  if (window < 0) return;
  ZUL_PlotChromaArea(static_cast<int>(h), area.get(), static_cast<int>(w));
  ZUL_RedrawImage(window);
}

// Which window kind a command reads: the menu offers each only there, and a
// command posted to the other kind is ignored (an 8-bit row holds no words).
int SourceBits(int id) {
  if (id == kIwInfoPixel) return 0;  // both kinds
  if (const ProfileGraph* graph = FindProfileGraph(id)) return graph->source_bits;
  return 32;
}

}  // namespace

void AnalysisCommand(HWND, int number, int id) {
  if (!ImageWindowLive(number)) return;
  const int bits = SourceBits(id);
  if (bits != 0 && image_windows[number].bits != bits) return;
  if (id == kIwInfoPixel) {
    PixelCommand(number);
  } else if (id == kIwLineCrCb) {
    RowChromaCommand(number);
  } else if (id == kIwAreaCrCb) {
    AreaChromaCommand(number);
  } else if (const ProfileGraph* graph = FindProfileGraph(id)) {
    RowProfileCommand(number, *graph);
  }
}

}  // namespace zul
