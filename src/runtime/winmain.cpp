// The process entry of every ZULLIB program.
#include "runtime/runtime.h"

using namespace zul;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return ZulMain(instance); }
