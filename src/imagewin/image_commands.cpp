// The command table of an image window: for every menu id, which slot it
// acts on, the operation it runs and whether the current image window is
// repainted afterwards.
#include "imagewin/imagewin.h"

namespace zul {

namespace {

enum class SlotRule {
  kNone,       // the command needs no slot (a dialog of its own)
  kFound,      // the window's slot; the current image window stays as it was
  kActivated,  // the window's slot, made the current image window first
};

using CommandHandler = void (*)(HWND window, int number, int id);

struct CommandRow {
  int id;
  SlotRule rule;
  CommandHandler run;
  bool repaint_current;  // repaint the current image window afterwards
};

constexpr SlotRule kNone = SlotRule::kNone;
constexpr SlotRule kFound = SlotRule::kFound;
constexpr SlotRule kActivated = SlotRule::kActivated;

constexpr CommandRow kCommands[] = {
    // Window, zoom and size.
    {kIwDestroy, kFound, [](HWND, int n, int) { ZUL_DestroyImage(n); }, false},
    {kIwZoom50, kFound, [](HWND, int n, int) { ZUL_SetZoom(n, 50); }, false},
    {kIwZoom100, kFound, [](HWND, int n, int) { ZUL_SetZoom(n, 100); }, false},
    {kIwZoom200, kFound, [](HWND, int n, int) { ZUL_SetZoom(n, 200); }, false},
    {kIwZoomPrompt, kFound, [](HWND, int n, int) { PromptZoom(n); }, false},
    {kIwResizePrompt, kFound, [](HWND, int n, int) { PromptResize(n); }, false},
    // Files and the clipboard.
    {kIwLoadImage, kActivated, [](HWND w, int n, int) { LoadImageCommand(w, n); }, true},
    {kIwSaveAs, kActivated, [](HWND w, int n, int) { SaveImageCommand(w, n); }, false},
    {kIwCut, kFound, [](HWND w, int n, int) { CutImageCommand(w, n); }, false},
    {kIwCopy, kFound, [](HWND w, int n, int) { CopyImageCommand(w, n); }, false},
    {kIwPaste, kFound, [](HWND w, int n, int) { PasteImageCommand(w, n, false); }, false},
    {kIwPasteTopLeft, kFound, [](HWND w, int n, int) { PasteImageCommand(w, n, true); }, false},
    // Colour analysis: each command shows its own result.
    {kIwInfoPixel, kFound, AnalysisCommand, false},
    {kIwLineRgb, kFound, AnalysisCommand, false},
    {kIwLineHsv, kFound, AnalysisCommand, false},
    {kIwLineYCrCb, kFound, AnalysisCommand, false},
    {kIwLineCrCb, kFound, AnalysisCommand, false},
    {kIwLineLumi, kFound, AnalysisCommand, false},
    {kIwAreaCrCb, kFound, AnalysisCommand, false},
    // Drawing, colours and text.
    {kIwDrawLine, kActivated, DrawingCommand, true},
    {kIwDrawRow, kActivated, DrawingCommand, true},
    {kIwDrawColumn, kActivated, DrawingCommand, true},
    {kIwDrawBox, kActivated, DrawingCommand, true},
    {kIwFillBox, kActivated, DrawingCommand, true},
    {kIwXorFillBox, kActivated, DrawingCommand, true},
    {kIwDrawCircle, kActivated, DrawingCommand, true},
    {kIwFillCircle, kActivated, DrawingCommand, true},
    {kIwXorFillCircle, kActivated, DrawingCommand, true},
    {kIwPaint, kActivated, DrawingCommand, true},
    {kIwColorChange, kNone, [](HWND w, int, int) { ColorChangeCommand(w); }, false},
    {kIwColorPick, kFound, [](HWND w, int n, int) { ColorPickCommand(w, n); }, false},
    {kIwDrawText, kActivated, [](HWND w, int n, int) { DrawTextCommand(w, n); }, true},
    {kIwTrueTypeDraw, kActivated, [](HWND w, int n, int) { TrueTypeDrawCommand(w, n); }, true},
    {kIwFontChange, kNone, [](HWND w, int, int) { FontChangeCommand(w); }, false},
    // Test patterns.
    {kIwPatternRgb, kActivated, TestPatternCommand, true},
    {kIwPatternHsv, kActivated, TestPatternCommand, true},
    {kIwPatternYCrCb, kActivated, TestPatternCommand, true},
    {kIwPatternYuv, kActivated, TestPatternCommand, true},
    {kIwPatternYiq, kActivated, TestPatternCommand, true},
    {kIwPatternGrey, kActivated, TestPatternCommand, true},
    // Whole-image transforms.
    {kIwClipping, kFound, [](HWND w, int n, int) { ClippingCommand(w, n); }, false},
    {kIwInvert, kFound, [](HWND w, int n, int) { InvertCommand(w, n); }, false},
    {kIwHorzFlip, kFound, FlipCommand, false},
    {kIwVertFlip, kFound, FlipCommand, false},
    {kIwRotateRight, kActivated, RotateCommand, true},
    {kIwRotateLeft, kActivated, RotateCommand, true},
    {kIwSize50, kActivated, [](HWND w, int n, int) { ScaleCommand(w, n, 500); }, true},
    {kIwSize71, kActivated, [](HWND w, int n, int) { ScaleCommand(w, n, 707); }, true},
    {kIwSize141, kActivated, [](HWND w, int n, int) { ScaleCommand(w, n, 1414); }, true},
    {kIwSize200, kActivated, [](HWND w, int n, int) { ScaleCommand(w, n, 2000); }, true},
};

const CommandRow* FindCommandRow(int id) {
  for (const CommandRow& row : kCommands) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

// The slot the row's rule gives, or -1 when the window has none.
int SlotForRule(HWND window, SlotRule rule) {
  switch (rule) {
    case SlotRule::kFound: return FindImageWindow(window);
    case SlotRule::kActivated: return ActivateImageWindow(window);
    default: return 0;
  }
}

void RepaintCurrentImage() {
  if (ImageWindow* slot = CurrentLiveImage()) InvalidateRect(slot->window, nullptr, FALSE);
}

}  // namespace

void ImageWindowCommand(HWND window, int id) {
  const CommandRow* row = FindCommandRow(id);
  if (row == nullptr) return;
  int number = SlotForRule(window, row->rule);
  if (number < 0) return;
  row->run(window, number, id);
  if (row->repaint_current) RepaintCurrentImage();
}

}  // namespace zul
