// Text window colours: the current pair and the two 8-entry stacks.
#include "textwin/textwin.h"

namespace zul {

void ApplyTextColours(TextWindow& t) {
  LockTextDrawing();
  SetTextColor(t.memory_dc, ColorToGdi(t.text_colour));
  SetBkColor(t.memory_dc, ColorToGdi(t.back_colour));
  UnlockTextDrawing();
}

void ResetTextColours(TextWindow& t) {
  t.text_colour = 0xFFFFFF;
  t.back_colour = 0x000000;
  for (int i = 0; i < kColorStackDepth; ++i) {
    t.text_colour_stack[i] = t.text_colour;
    t.back_colour_stack[i] = t.back_colour;
  }
  ApplyTextColours(t);
}

}  // namespace zul

using namespace zul;

void ZUL_PushTextColor(uint32_t text, uint32_t back) {
  TextWindow* t = CurrentLiveTextWindow();
  if (!t) return;
  for (int i = kColorStackDepth - 1; i > 0; --i) {
    t->text_colour_stack[i] = t->text_colour_stack[i - 1];
    t->back_colour_stack[i] = t->back_colour_stack[i - 1];
  }
  t->text_colour_stack[0] = t->text_colour;
  t->back_colour_stack[0] = t->back_colour;
  t->text_colour = text;
  t->back_colour = back;
  ApplyTextColours(*t);
}

void ZUL_PopTextColor() {
  TextWindow* t = CurrentLiveTextWindow();
  if (!t) return;
  t->text_colour = t->text_colour_stack[0];
  t->back_colour = t->back_colour_stack[0];
  for (int i = 0; i < kColorStackDepth - 1; ++i) {
    t->text_colour_stack[i] = t->text_colour_stack[i + 1];
    t->back_colour_stack[i] = t->back_colour_stack[i + 1];
  }
  ApplyTextColours(*t);
}
