// Window-handle lookups that the image window handlers start with.
#include "imagewin/imagewin.h"

namespace zul {

int ActivateImageWindow(HWND window) {
  int number = FindImageWindow(window);
  ZUL_SelectImage(number);  // refuses -1: the current image window stays
  return number;
}

}  // namespace zul
