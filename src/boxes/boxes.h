// The input box (labelled fields) and the button box (a grid of buttons).
#pragma once

#include "zullib.h"

// The open box's window, or none.
HWND InputBoxWindow();
HWND ButtonBoxWindow();

void ZUL_OpenInputBox(int x, int y, int items);
void ZUL_DestroyInputBox();
void ZUL_OpenButtonBox(int x, int y, int columns, int rows);
void ZUL_DestroyButtonBox();

LRESULT CALLBACK InputBoxProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK ButtonBoxProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
