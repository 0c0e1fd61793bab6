// Graphs drawn into the current image window: the profile of one channel of
// a row of colours in a band 128 pixels high, and Cb/Cr chroma diagrams of a
// list of colours or of a rectangle of colours on a 257 x 257 field.
#include "zullib.h"

namespace zul {

namespace {

constexpr int kProfileBottom = 127;  // value 0; full scale is drawn at y = 0
constexpr int kChromaCentre = 128;   // the chroma field's axes cross at (128, 128)
constexpr int kChromaEnd = 256;
constexpr uint32_t kAxisColour = 0x808080;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kTraceToggle = 0x00FF00;  // white <-> magenta segment by segment
constexpr uint32_t kCrLabelColour = 0xFF8888;
constexpr uint32_t kCbLabelColour = 0x8888FF;

int RedOf(uint32_t c) { return (c >> 16) & 0xFF; }
int GreenOf(uint32_t c) { return (c >> 8) & 0xFF; }
int BlueOf(uint32_t c) { return c & 0xFF; }
int CrPlus128(uint32_t c) { return ZUL_GetCr(c) + 128; }
int CbPlus128(uint32_t c) { return ZUL_GetCb(c) + 128; }
int ByteOf(uint32_t c) { return static_cast<int>(c); }

struct ProfileChannel {
  int flag;
  int (*value)(uint32_t sample);
  int scale;  // the value drawn at y = 0
};
// In the order that decides when several channel bits are given.
constexpr ProfileChannel kProfileChannels[] = {
    {kProfileRed, RedOf, 255},
    {kProfileGreen, GreenOf, 255},
    {kProfileBlue, BlueOf, 255},
    {kProfileHue, ZUL_GetHue, 359},
    {kProfileSaturation, ZUL_GetSaturation, 255},
    {kProfileValue, ZUL_GetBrightness, 255},
    {kProfileLuminance, ZUL_GetY, 255},
    {kProfileCr, CrPlus128, 255},
    {kProfileCb, CbPlus128, 255},
};
constexpr ProfileChannel kByteChannel = {kProfileBytes, ByteOf, 255};

// The channel the flags select: the byte flag alone decides that the samples
// are bytes, whatever channel bits come with it; null when none is given.
const ProfileChannel* SelectedChannel(int flags) {
  if (flags & kProfileBytes) return &kByteChannel;
  for (const ProfileChannel& channel : kProfileChannels) {
    if (flags & channel.flag) return &channel;
  }
  return nullptr;
}

uint32_t SampleAt(const void* samples, int i, bool bytes) {
  if (bytes) return static_cast<const uint8_t*>(samples)[i];
  return static_cast<const uint32_t*>(samples)[i];
}

// A polyline's first point is set (which moves the pen there); every later
// point is joined to the pen.
void PolylinePoint(bool first, int x, int y, uint32_t colour) {
  if (first) {
    ZUL_SetPixel(x, y, colour);
  } else {
    ZUL_DrawLine(colour, pen_x, pen_y, x, y);
  }
}

void DrawChromaAxesAndLabels() {
  ZUL_DrawLine(kAxisColour, 0, kChromaCentre, kChromaEnd, kChromaCentre);
  ZUL_DrawLine(kAxisColour, kChromaCentre, 0, kChromaCentre, kChromaEnd);
  text_x = text_left = 110;
  text_y = 16;
  zul_tc = kCrLabelColour;
  ZUL_DrawText("Cr");
  text_x = text_left = 238;
  text_y = 144;
  zul_tc = kCbLabelColour;
  ZUL_DrawText("Cb");
}

// Cb to the right, Cr upward, both around the field's centre.
int ChromaX(uint32_t colour) { return kChromaCentre + ZUL_GetCb(colour); }
int ChromaY(uint32_t colour) { return kChromaCentre - ZUL_GetCr(colour); }

}  // namespace

}  // namespace zul

using namespace zul;

void ZUL_PlotProfile(const void* samples, int x0, int count, int flags, uint32_t colour) {
  const bool dots = (flags & kProfileDots) != 0;
  const bool polyline = (flags & kProfilePolyline) != 0;
  const ProfileChannel* channel = SelectedChannel(flags);
  if (samples == nullptr || count <= 0 || channel == nullptr || !(dots || polyline)) return;
  const bool bytes = (flags & kProfileBytes) != 0;
  for (int i = 0; i < count; ++i) {
    const int value = channel->value(SampleAt(samples, i, bytes));
    const int x = static_cast<int>(static_cast<uint32_t>(x0) + static_cast<uint32_t>(i));
    const int y = kProfileBottom - value * kProfileBottom / channel->scale;
    if (dots) {
      ZUL_SetPixel(x, y, colour);
    } else {
      PolylinePoint(i == 0, x, y, colour);
    }
  }
}

void ZUL_PlotChroma(const uint32_t* colours, int count) {
  if (colours == nullptr) return;
  DrawChromaAxesAndLabels();
  uint32_t trace = kWhite;
  for (int i = 0; i < count; ++i) {
    PolylinePoint(i == 0, ChromaX(colours[i]), ChromaY(colours[i]), trace);
    trace ^= kTraceToggle;
  }
}

void ZUL_PlotChromaArea(int rows, const uint32_t* colours, int columns) {
  if (colours == nullptr) return;
  DrawChromaAxesAndLabels();
  if (rows <= 0 || columns <= 0) return;
  for (int r = 0; r < rows; ++r) {
    const uint32_t* row = colours + static_cast<size_t>(r) * static_cast<size_t>(columns);
    for (int j = 0; j < columns; ++j)
      PolylinePoint(j == 0, ChromaX(row[j]), ChromaY(row[j]), kWhite);
  }
}
