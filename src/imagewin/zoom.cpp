// Zoom and pixel size of a live image window, the zoom steps, and the typed
// zoom and size prompts.
#include "imagewin/imagewin.h"

#include <climits>
#include <cstdio>

#include "textwin/textwin.h"

namespace zul {

int ZoomStepUp(int zoom) { return ClampToInt((int64_t{10} * zoom + 4) / 9); }

int ZoomStepDown(int zoom) { return ClampToInt((int64_t{9} * zoom + 5) / 10); }

void StepZoomUp(int number) {
  if (ImageWindowLive(number)) ZUL_SetZoom(number, ZoomStepUp(image_windows[number].zoom));
}

void StepZoomDown(int number) {
  if (ImageWindowLive(number)) ZUL_SetZoom(number, ZoomStepDown(image_windows[number].zoom));
}

// The prompts are asked in text window 0, opened for them when needed.
void PromptZoom(int number) {
  ZUL_OpenTextWindow(0, -1, -1, -1, -1);
  int zoom = 0;
  if (!PromptNumber(&zoom, "[%d] Zoom(%%)=", number)) return;
  ZUL_SetZoom(number, zoom);
}

void PromptResize(int number) {
  ZUL_OpenTextWindow(0, -1, -1, -1, -1);
  int width = 0, height = 0;
  if (!PromptNumber(&width, "[%d] New x-size(pixel)=", number)) return;
  ZUL_OpenTextWindow(0, -1, -1, -1, -1);
  if (!PromptNumber(&height, "[%d] New y-size(pixel)=", number)) return;
  ZUL_ResizeImage(number, width, height);
}

}  // namespace zul

using namespace zul;

int ZUL_SetZoom(int number, int zoom) {
  if (!ImageWindowLive(number)) return 1;
  ImageWindow& slot = image_windows[number];
  // Messages that the resizing sends find no slot meanwhile.
  slot.in_use = 0;
  ZoomFit fit = FitZoom(ReadScreenMetrics(), slot.width, slot.height, zoom);
  if (fit.code != 0) {
    slot.in_use = 1;
    return 2;
  }
  slot.zoom = fit.zoom;
  ResizeToView(slot, fit.view_width, fit.view_height);
  slot.view_width = fit.view_width;
  slot.view_height = fit.view_height;
  slot.in_use = 1;
  InvalidateRect(slot.window, nullptr, FALSE);
  UpdateImageTitle(number);
  RebuildSnapRects();
  return 0;
}

int ZUL_ResizeImage(int number, int width, int height) {
  if (!ImageWindowLive(number)) return 1;
  ImageWindowLook look;
  CaptureImageWindowLook(number, &look);
  int monitor = PresentationMonitorOf(number);
  ZUL_DestroyImage(number);  // and its presentation with it
  int code = RemakeImageWindow(number, look, width, height);
  if (code == 0 && monitor > 0) ZUL_PresentImage(number, monitor);
  return code;
}
