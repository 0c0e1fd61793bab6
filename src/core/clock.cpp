// The millisecond clock of the high-resolution counter.
#include "core/core.h"

#include <cmath>

namespace zul {

namespace {

// 1000 / the counter's frequency; written by start-up before the worker
// thread starts.
double ms_factor = 1.0;

}  // namespace

void StartClock() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  ms_factor = 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace zul

using namespace zul;

int ZUL_GetTime() {
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  // Past 2^31 - 1 ms the clock wraps; differences of two readings stay right.
  double ms = std::floor(static_cast<double>(count.QuadPart) * ms_factor);
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(ms)));
}
