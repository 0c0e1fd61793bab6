// The Test Pattern commands: a pattern drawn into the current image window
// (the command table makes the clicked window current and repaints it).
#include "imagewin/imagewin.h"

namespace zul {

void TestPatternCommand(HWND, int, int id) {
  switch (id) {
    case kIwPatternRgb: ZUL_PatternRgb(); break;
    case kIwPatternHsv: ZUL_PatternHsv(); break;
    case kIwPatternYCrCb: ZUL_PatternYCrCb(); break;
    case kIwPatternYuv: ZUL_PatternYuv(); break;
    case kIwPatternYiq: ZUL_PatternYiq(); break;
    case kIwPatternGrey: ZUL_PatternGrey(); break;
    default: break;
  }
}

}  // namespace zul
