// The framework windows the snap list holds, in the order a snap tries them:
// image windows, text windows, the two boxes and the main window.
#include "runtime/runtime.h"

#include "boxes/boxes.h"
#include "surfaces/surfaces.h"
#include "textwin/textwin.h"

namespace zul {

void GatherSnapWindows(SnapList* list) {
  for (const ImageWindow& slot : image_windows) {
    if (slot.in_use) AddWindowRect(list, slot.window);
  }
  for (const TextWindow& slot : text_windows) {
    if (slot.in_use) AddWindowRect(list, slot.window);
  }
  AddWindowRect(list, InputBoxWindow());
  AddWindowRect(list, ButtonBoxWindow());
  AddWindowRect(list, main_window);
}

}  // namespace zul
