// Text commands of an image window: built-in font text, TrueType text fitted
// to a dragged box and the choice of the TrueType font.
#include "imagewin/imagewin.h"
#include "textwin/textwin.h"

namespace zul {

namespace {

// "Text>" in the current text window (text window 0 when there is none) and
// the typed line; false when the program is ending meanwhile.
bool ReadTextLine(char line[kPromptLineBytes]) {
  ZUL_ShowTextWindow();
  return PromptLine(line, "Text>");
}

}  // namespace

// Bitmap-font text at a clicked point in the drawing colour.
void DrawTextCommand(HWND, int number) {
  int x, y;
  if (!PointsGiven(ZUL_GetPoint(number, &x, &y))) return;
  char line[kPromptLineBytes];
  if (!ReadTextLine(line)) return;
  text_x = text_left = x;
  text_y = y;
  zul_tc = draw_color;
  if (!SelectSlotAgain(number)) return;
  ZUL_DrawPrintf("%s", line);  // the typed text is never a format
}

// TrueType text whose cells fit a dragged box: the box's height, half its
// width per single-byte character, standing on its bottom row.
void TrueTypeDrawCommand(HWND, int number) {
  int left, top, right, bottom;
  if (!PointsGiven(ZUL_GetBox(number, &left, &top, &right, &bottom))) return;
  char line[kPromptLineBytes];
  if (!ReadTextLine(line)) return;
  text_y = bottom;
  text_x = text_left = left;
  ZUL_SetTTFontSize(right - left + 1, bottom - top + 1);
  if (SelectSlotAgain(number)) ZUL_DrawTTText(line);
}

// The font dialog starts from the present font; its choice (or, after
// Cancel, the same font) is made anew. The old font stays in use until the
// new one exists.
void FontChangeCommand(HWND window) {
  const LOGFONTW present = CurrentTTLogFont();
  LOGFONTW chosen = present;
  CHOOSEFONTW choice = {};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = window;
  choice.lpLogFont = &chosen;
  choice.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_SCRIPTSONLY;
  choice.nFontType = SCREEN_FONTTYPE;
  // A cancelled dialog may have written into the structure all the same.
  bool confirmed = ChooseFontW(&choice) != FALSE;
  ReplaceTTFont(confirmed ? chosen : present);
}

}  // namespace zul
