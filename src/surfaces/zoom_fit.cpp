// The zoom-fitting rule: a new image window keeps the zoom it asks for when it
// fits on the screen, is shrunk to the largest whole percentage that fits when
// it does not, and is enlarged when it would be smaller than a window can be.
#include "surfaces/surfaces.h"

#include <algorithm>
#include <cmath>

namespace zul {

ScreenMetrics ReadScreenMetrics() {
  ScreenMetrics m;
  int caption = GetSystemMetrics(SM_CYCAPTION);
  int frame = GetSystemMetrics(SM_CXDLGFRAME);  // serves for both directions
  m.screen_width = GetSystemMetrics(SM_CXSCREEN);
  m.screen_height = GetSystemMetrics(SM_CYSCREEN) - caption;
  m.min_width = GetSystemMetrics(SM_CXMIN) - 2 * frame;
  m.min_height = GetSystemMetrics(SM_CYMIN) - 2 * frame - caption;
  return m;
}

namespace {

// Size in pixels of `extent` shown at `zoom` percent, truncated; 64-bit so that
// huge sizes cannot overflow.
int64_t ViewExtent(int extent, int zoom) { return static_cast<int64_t>(extent) * zoom / 100; }

// The zoom at which `extent` shows as the smaller of the screen extent and
// extent x zoom / 100 (at least 1 pixel), truncated to a whole percentage.
// Exact integer arithmetic, so that a zoom that fits is kept as it is (in
// floating point 160 x 111 / 100 x 100 / 160 came out as 110.99...).
int64_t FittedZoom(int screen, int extent, int zoom) {
  int64_t wanted = static_cast<int64_t>(extent) * zoom;  // view x 100
  if (wanted > static_cast<int64_t>(screen) * 100)
    return static_cast<int64_t>(screen) * 100 / extent;
  if (wanted < 100) return 100 / extent;  // less than one pixel counts as one
  return zoom;
}

}  // namespace

ZoomFit FitZoom(const ScreenMetrics& m, int width, int height, int zoom) {
  ZoomFit fit = {};
  fit.width = std::max(width, 1);
  fit.height = std::max(height, 1);
  fit.zoom = static_cast<int>(std::min(FittedZoom(m.screen_width, fit.width, zoom),
                                       FittedZoom(m.screen_height, fit.height, zoom)));
  int64_t view_width = ViewExtent(fit.width, fit.zoom);
  int64_t view_height = ViewExtent(fit.height, fit.zoom);
  if (view_width < m.min_width || view_height < m.min_height) {
    double zx = std::ceil(m.min_width * 100.0 / fit.width);
    double zy = std::ceil(m.min_height * 100.0 / fit.height);
    double enlarged = std::max(zx, zy);
    if (enlarged > 2147483647.0) {  // no whole percentage can be shown
      fit.code = 2;
      return fit;
    }
    fit.zoom = static_cast<int>(enlarged);
    view_width = ViewExtent(fit.width, fit.zoom);
    view_height = ViewExtent(fit.height, fit.zoom);
    if (view_width > m.screen_width || view_height > m.screen_height) {
      fit.code = 2;
      return fit;
    }
  }
  fit.view_width = static_cast<int>(view_width);
  fit.view_height = static_cast<int>(view_height);
  fit.code = 0;
  return fit;
}

}  // namespace zul
