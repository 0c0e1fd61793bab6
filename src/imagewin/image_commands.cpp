// The command table of an image window: for every menu id, which slot it
// acts on (found, or activated as the current image window), the operation
// it runs and whether the current image window is repainted afterwards.
#include "imagewin/imagewin.h"

#include "surfaces/surfaces.h"

namespace {

void RepaintCurrentImage() {
  if (ImageWindow* slot = CurrentLiveImage()) InvalidateRect(slot->window, nullptr, FALSE);
}

// Commands on the slot of the window, which stays as current as it was.
void FoundSlotCommand(HWND window, int id) {
  int number = FindImageWindow(window);
  if (number < 0) return;
  switch (id) {
    case kIwDestroy: ZUL_DestroyImage(number); break;
    case kIwZoom50: ZUL_SetZoom(number, 50); break;
    case kIwZoom100: ZUL_SetZoom(number, 100); break;
    case kIwZoom200: ZUL_SetZoom(number, 200); break;
    case kIwZoomPrompt: PromptZoom(number); break;
    case kIwResizePrompt: PromptResize(number); break;
    case kIwCut: CutImageCommand(window, number); break;
    case kIwCopy: CopyImageCommand(window, number); break;
    case kIwPaste: PasteImageCommand(window, number, false); break;
    case kIwPasteTopLeft: PasteImageCommand(window, number, true); break;
    case kIwInfoPixel:
    case kIwLineRgb:
    case kIwLineHsv:
    case kIwLineYCrCb:
    case kIwLineCrCb:
    case kIwLineLumi:
    case kIwAreaCrCb: AnalysisCommand(window, number, id); break;
    case kIwClipping: ClippingCommand(window, number); break;
    case kIwColorPick: ColorPickCommand(window, number); break;
    case kIwInvert: InvertCommand(window, number); break;
    case kIwHorzFlip:
    case kIwVertFlip: FlipCommand(window, number, id); break;
    default: break;
  }
}

// Commands that act on the current image window: the window's slot becomes
// current first, and the current image window is repainted after.
void ActivatedSlotCommand(HWND window, int id) {
  int number = ActivateImageWindow(window);
  if (number < 0) return;
  switch (id) {
    case kIwLoadImage: LoadImageCommand(window, number); break;
    case kIwSaveAs: SaveImageCommand(window, number); return;  // nothing to repaint
    case kIwDrawLine:
    case kIwDrawRow:
    case kIwDrawColumn:
    case kIwDrawBox:
    case kIwFillBox:
    case kIwXorFillBox:
    case kIwDrawCircle:
    case kIwFillCircle:
    case kIwXorFillCircle:
    case kIwPaint: DrawingCommand(window, number, id); break;
    case kIwDrawText: DrawTextCommand(window, number); break;
    case kIwTrueTypeDraw: TrueTypeDrawCommand(window, number); break;
    case kIwPatternRgb:
    case kIwPatternHsv:
    case kIwPatternYCrCb:
    case kIwPatternYuv:
    case kIwPatternYiq:
    case kIwPatternGrey: TestPatternCommand(window, number, id); break;
    case kIwRotateRight:
    case kIwRotateLeft: RotateCommand(window, number, id); return;  // shows its own result
    case kIwSize50: ScaleCommand(window, number, 500); return;
    case kIwSize71: ScaleCommand(window, number, 707); return;
    case kIwSize141: ScaleCommand(window, number, 1414); return;
    case kIwSize200: ScaleCommand(window, number, 2000); return;
    default: return;
  }
  RepaintCurrentImage();
}

bool ActsOnCurrentImage(int id) {
  switch (id) {
    case kIwLoadImage:
    case kIwSaveAs:
    case kIwDrawLine:
    case kIwDrawRow:
    case kIwDrawColumn:
    case kIwDrawBox:
    case kIwFillBox:
    case kIwXorFillBox:
    case kIwDrawCircle:
    case kIwFillCircle:
    case kIwXorFillCircle:
    case kIwPaint:
    case kIwDrawText:
    case kIwTrueTypeDraw:
    case kIwPatternRgb:
    case kIwPatternHsv:
    case kIwPatternYCrCb:
    case kIwPatternYuv:
    case kIwPatternYiq:
    case kIwPatternGrey:
    case kIwRotateRight:
    case kIwRotateLeft:
    case kIwSize50:
    case kIwSize71:
    case kIwSize141:
    case kIwSize200:
      return true;
    default:
      return false;
  }
}

}  // namespace

void ImageWindowCommand(HWND window, int id) {
  switch (id) {
    case kIwColorChange: ColorChangeCommand(window); return;
    case kIwFontChange: FontChangeCommand(window); return;
    default: break;
  }
  if (ActsOnCurrentImage(id)) {
    ActivatedSlotCommand(window, id);
  } else {
    FoundSlotCommand(window, id);
  }
}
