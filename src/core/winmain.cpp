// The process entry of every ZULLIB program.
#include "core/core.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return ZulMain(instance); }
