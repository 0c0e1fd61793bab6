// Small helpers shared by the image window, surface and transform tests.
#pragma once

#include "image_test_helpers.h"

// Window n's top left corner on the screen as x * 10000 + y.
inline long CornerOf(int n) {
  RECT r = {};
  GetWindowRect(image_windows[n].window, &r);
  return r.left * 10000L + r.top;
}
