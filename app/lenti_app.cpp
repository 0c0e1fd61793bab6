// The lenticular display test bench.
#include "zullib.h"

void AppSetup() {}

void AppMain() {}
