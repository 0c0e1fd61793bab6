// Snap rectangles: framework windows dragged with Ctrl held snap to the screen
// edges and to each other.
#include "core/core.h"

#include <cstdlib>

namespace zul {

// Both threads move windows: the main window's WM_MOVE rebuilds the list on
// the main window thread, every other window's on the worker thread, and
// either may snap against it meanwhile. The lock makes a rebuild and a snap
// see whole lists; a rebuild gathers its rectangles before taking it.
SnapList snap_rects;
namespace {
SRWLOCK snap_lock = SRWLOCK_INIT;
// Adds every framework window but the screen strips; set by start-up, which
// knows all the window kinds.
void (*gather_snap_windows)(SnapList*) = nullptr;
}  // namespace

void ClearSnapList(SnapList* list) { list->count = 0; }

void AddSnapRect(SnapList* list, const RECT& rect) {
  if (list->count >= kSnapCapacity) return;
  int i = list->count++;
  list->left[i] = rect.left;
  list->top[i] = rect.top;
  list->right[i] = rect.right;
  list->bottom[i] = rect.bottom;
}

void AddScreenStrips(SnapList* list, int w, int h) {
  AddSnapRect(list, RECT{-1000, 0, 0, h});
  AddSnapRect(list, RECT{0, -1000, w, 0});
  AddSnapRect(list, RECT{w, 0, w + 1000, h});
  AddSnapRect(list, RECT{0, h, w, h + 1000});
}

void SetSnapWindowGatherer(void (*gather)(SnapList* list)) { gather_snap_windows = gather; }

void AddWindowRect(SnapList* list, HWND window) {
  RECT rect;
  if (window && GetWindowRect(window, &rect)) AddSnapRect(list, rect);
}

void RebuildSnapRects() {
  SnapList list;  // gathered outside the lock
  ClearSnapList(&list);
  AddScreenStrips(&list, GetSystemMetrics(SM_CXFULLSCREEN),
                  GetSystemMetrics(SM_CYFULLSCREEN) + GetSystemMetrics(SM_CYCAPTION));
  if (gather_snap_windows) gather_snap_windows(&list);
  AcquireSRWLockExclusive(&snap_lock);
  snap_rects = list;
  ReleaseSRWLockExclusive(&snap_lock);
}

namespace {

bool Near(int32_t a, int32_t b) { return std::abs(a - b) < kSnapDistance; }

// The shift that brings `edge_a` onto `to_a` or, failing that, `edge_b` onto
// `to_b`, whichever is near first; false when neither is.
bool NearShift(int32_t to_a, int32_t edge_a, int32_t to_b, int32_t edge_b, int32_t* shift) {
  if (Near(to_a, edge_a)) {
    *shift = to_a - edge_a;
    return true;
  }
  if (Near(to_b, edge_b)) {
    *shift = to_b - edge_b;
    return true;
  }
  return false;
}

void ShiftX(RECT* r, int32_t dx) {
  r->left += dx;
  r->right += dx;
}

void ShiftY(RECT* r, int32_t dy) {
  r->top += dy;
  r->bottom += dy;
}

}  // namespace

void SnapRectAgainst(const SnapList& list, const RECT& present, RECT* proposed, bool ctrl_held) {
  if (!ctrl_held) return;
  const RECT p = *proposed;  // every difference is taken from the rectangle as proposed
  bool x_snapped = false;
  bool y_snapped = false;
  for (int i = 0; i < list.count; ++i) {
    const int32_t el = list.left[i], et = list.top[i], er = list.right[i], eb = list.bottom[i];
    if (el == present.left && et == present.top && er == present.right && eb == present.bottom) {
      continue;
    }
    bool x_overlap = el <= p.right && er >= p.left;
    bool y_overlap = et <= p.bottom && eb >= p.top;

    int32_t shift = 0;
    if (!x_snapped && y_overlap && NearShift(er, p.left, el, p.right, &shift)) {  // side by side
      ShiftX(proposed, shift);
      x_snapped = true;
    }
    // Edges aligned after a side-by-side snap, else stacked.
    if (!y_snapped && x_snapped && x_overlap && NearShift(et, p.top, eb, p.bottom, &shift)) {
      ShiftY(proposed, shift);
      y_snapped = true;
    }
    if (!y_snapped && x_overlap && NearShift(eb, p.top, et, p.bottom, &shift)) {
      ShiftY(proposed, shift);
      y_snapped = true;
    }
    // Edges aligned after a stacked snap.
    if (!x_snapped && y_snapped && y_overlap && NearShift(el, p.left, er, p.right, &shift)) {
      ShiftX(proposed, shift);
      x_snapped = true;
    }
    if (x_snapped && y_snapped) break;
  }
}

void SnapMovingWindow(HWND window, RECT* proposed) {
  RECT present;
  GetWindowRect(window, &present);
  AcquireSRWLockShared(&snap_lock);
  SnapRectAgainst(snap_rects, present, proposed, ControlHeld());
  ReleaseSRWLockShared(&snap_lock);
}

}  // namespace zul
