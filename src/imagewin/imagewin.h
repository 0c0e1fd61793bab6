// Image window interaction: the window procedure, display and zoom, menus and
// the commands built on the image operations.
#pragma once

#include "zullib.h"

LRESULT CALLBACK ImageWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
