// The drawing colour of the fill and the drawing commands. Worker thread.
#include "zullib.h"

uint32_t draw_color = 0xFFFFFF;
