// The key queue: a ring of 256 UTF-16 units that a text window fills with
// typed characters while an input is pending and the input loop drains.
//
// The window procedure puts and the input loop takes, possibly on different
// threads. `queue_read` is -1 when the queue is empty; the two hand-overs of
// that marker use compare-and-swap so that a unit put while the last one is
// taken is never lost.
#include "textwin/textwin.h"

namespace zul {

wchar_t key_queue[kKeyQueueUnits];
std::atomic<int32_t> queue_write{0};
std::atomic<int32_t> queue_read{-1};
std::atomic<int32_t> input_action{kInputActionNone};

namespace {

int32_t NextQueueIndex(int32_t index) { return (index + 1) % kKeyQueueUnits; }

}  // namespace

void ClearKeyQueue() {
  queue_write = 0;
  queue_read = -1;
}

bool PutKeyUnitIfRoom(wchar_t unit) {
  int32_t write = queue_write;
  if (write == queue_read) return false;  // full
  key_queue[write] = unit;
  int32_t empty = -1;
  queue_read.compare_exchange_strong(empty, write);
  queue_write = NextQueueIndex(write);
  return true;
}

void PutKeyUnit(wchar_t unit) { PutKeyUnitIfRoom(unit); }

wchar_t TakeKeyUnit() {
  int32_t read = queue_read;
  if (read < 0) return 0;
  wchar_t unit = key_queue[read];
  int32_t next = NextQueueIndex(read);
  if (next != queue_write) {
    queue_read = next;
    return unit;
  }
  queue_read.compare_exchange_strong(read, -1);
  // A unit put meanwhile saw the queue as non-empty and left the marker to us.
  if (queue_write != next) {
    int32_t empty = -1;
    queue_read.compare_exchange_strong(empty, next);
  }
  return unit;
}

}  // namespace zul
