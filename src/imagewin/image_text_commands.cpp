// Text commands of an image window: built-in font text, TrueType text fitted
// to a dragged box and the choice of the TrueType font.
#include "core/core.h"
#include "imagewin/imagewin.h"

void DrawTextCommand(HWND, int) {}

void TrueTypeDrawCommand(HWND, int) {}

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
