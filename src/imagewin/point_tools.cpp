// The point tools: blocking calls of the worker thread that wait for clicks
// in an image window while they keep its messages flowing, and show what
// the click would give as an XOR cursor or rubber band in the picture.
//
// The window procedure only records mouse events in the feed variables
// (mouse_feed.cpp); a tool polls them once per round of messages. Whatever
// ends a wait (a click, a cancel, Stop, Exit), the picture is left exactly as
// it was: the feedback is drawn once more where it was last drawn.
#include "imagewin/imagewin.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace zul {

namespace {

constexpr int kGiven = 0, kCancelled = 1, kRefused = 2;

// ---- feedback in the picture ------------------------------------------------------

enum FigureKind {
  kNoFigure,
  kRowFigure,
  kColumnFigure,
  kPlacedBoxFigure,
  kLineFigure,
  kBoxFigure,
  kCircleFigure
};

// An XOR figure as it was drawn, so that it can be erased there whatever
// the feed variables say meanwhile.
struct Feedback {
  int slot;
  FigureKind kind;
  int x1, y1, x2, y2;  // points, or the placed box's size in x2, y2
  int radius;
  bool shown;
};

void DrawPlacedBox(int x, int y, int w, int h) {
  int64_t left = static_cast<int64_t>(x) - w / 2, top = static_cast<int64_t>(y) - h / 2;
  int64_t right = left + w - 1, bottom = top + h - 1;
  ZUL_XorBox(ClampToInt(left), ClampToInt(top), ClampToInt(right), ClampToInt(bottom));
  if (w > 8 && h > 8) {
    ZUL_XorLine(ClampToInt(left + 1), ClampToInt(top + 1), ClampToInt(right - 1),
                ClampToInt(bottom - 1));
    ZUL_XorLine(ClampToInt(right - 1), ClampToInt(top + 1), ClampToInt(left + 1),
                ClampToInt(bottom - 1));
  }
}

void DrawFigure(const Feedback& f) {
  const ImageSurface& s = image_surfaces[f.slot];
  switch (f.kind) {
    case kRowFigure: ZUL_XorLine(0, f.y1, static_cast<int>(s.width) - 1, f.y1); break;
    case kColumnFigure: ZUL_XorLine(f.x1, 0, f.x1, static_cast<int>(s.height) - 1); break;
    case kPlacedBoxFigure: DrawPlacedBox(f.x1, f.y1, f.x2, f.y2); break;
    case kLineFigure: ZUL_XorLine(f.x1, f.y1, f.x2, f.y2); break;
    case kBoxFigure: ZUL_XorBox(f.x1, f.y1, f.x2, f.y2); break;
    case kCircleFigure: ZUL_XorCircle(f.x1, f.y1, f.radius); break;
    case kNoFigure: break;
  }
}

// Inverts the figure in the watched picture (even when a command run inside
// the wait made another window current) and shows the change.
void ToggleFigure(Feedback* f) {
  if (f->kind == kNoFigure) return;
  const ImageSurface* saved = current_surface;
  current_surface = &image_surfaces[f->slot];
  DrawFigure(*f);
  current_surface = saved;
  f->shown = !f->shown;
  InvalidateRect(image_windows[f->slot].window, nullptr, FALSE);
}

void ShowFigure(Feedback* f) {
  if (!f->shown) ToggleFigure(f);
}

void HideFigure(Feedback* f) {
  if (f->shown) ToggleFigure(f);
}

// ---- start, wait and finish ----------------------------------------------------------

struct Wait {
  int slot;
  HWND window;  // the watched window as it was at the start
};

void Put(int* out, int value) {
  if (out != nullptr) *out = value;
}

// A tool may start on a live slot when no other tool waits (a second one
// would take the feed from the first and leave it waiting forever).
bool ToolMayStart(int slot) { return ImageWindowLive(slot) && point_tool_active == 0; }

Wait BeginWait(int slot, const char* prompt) {
  SetStatusText(prompt);
  DragAcceptFiles(main_window, FALSE);
  ZUL_SelectImage(slot);
  point_tool_window = slot;
  point_clicked = 0;
  point_cancelled = 0;  // a stray press from before must not cancel this tool
  stop_requested = 0;
  point_tool_active = 1;
  return Wait{slot, image_windows[slot].window};
}

// Stop or Exit ends the wait; the caller sees stop_requested still set.
bool WaitInterrupted() { return stop_requested != 0 || quit_state != kQuitNone; }

// The watched window was closed (or its slot made again) during the wait.
bool WatchedWindowGone(const Wait& wait) {
  return !ImageWindowLive(wait.slot) || image_windows[wait.slot].window != wait.window;
}

// One round of the worker's messages; when none came, idles at most 1 ms
// (the flags that end a wait are set without any message).
void PumpRound() {
  PumpWorkerMessages();
  MsgWaitForMultipleObjectsEx(0, nullptr, 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

int FinishWait(Feedback* feedback, int code) {
  HideFigure(feedback);
  ShowDisplayDepth();
  point_tool_active = 0;
  point_tool_window = -1;
  if (running == 0) DragAcceptFiles(main_window, TRUE);  // AppMain keeps them off itself
  return code;
}

// Pumps the messages of one round (the first right after the start);
// returns the code that ends the wait, or -1 to go on. A closed window leaves
// nothing to erase.
int AfterRound(const Wait& wait, Feedback* feedback) {
  PumpRound();
  if (WaitInterrupted()) return kGiven;
  if (WatchedWindowGone(wait)) {
    feedback->shown = false;
    return kCancelled;
  }
  return -1;
}

// ---- one-point tools ----------------------------------------------------------------

void MoveCursorFigure(Feedback* f, int x, int y) {
  HideFigure(f);
  f->x1 = x;
  f->y1 = y;
  ShowFigure(f);
}

int WaitForPoint(int slot, FigureKind cursor, int w, int h, int* x, int* y) {
  if (!ToolMayStart(slot)) return kRefused;
  Put(x, 0);
  Put(y, 0);
  Wait wait = BeginWait(slot, "Click a point");
  Feedback f{slot, cursor, point_move_x, point_move_y, w, h, 0, false};
  ShowFigure(&f);
  bool taken = false;
  for (;;) {
    int code = AfterRound(wait, &f);
    if (code >= 0) return FinishWait(&f, code);
    if (taken) return FinishWait(&f, kGiven);
    if (cursor != kNoFigure && point_moved) {
      point_moved = 0;
      MoveCursorFigure(&f, point_move_x, point_move_y);
    }
    if (point_clicked) {
      point_clicked = 0;
      HideFigure(&f);
      Put(x, point_click_x);
      Put(y, point_click_y);
      taken = true;
    }
    if (point_cancelled && !taken) {
      point_cancelled = 0;
      return FinishWait(&f, kCancelled);
    }
  }
}

// ---- two-point tools ------------------------------------------------------------------

int Radius(int cx, int cy, int x, int y) {
  double dx = static_cast<double>(x) - cx, dy = static_cast<double>(y) - cy;
  return ClampToInt(static_cast<int64_t>(std::sqrt(dx * dx + dy * dy) + 0.5));
}

// The outputs of a two-point tool: the first point and the second point, or
// the centre and the radius (`r` set).
struct TwoPointOutputs {
  int *x1, *y1, *x2, *y2, *r;
  bool ordered;  // the two points become left, top, right, bottom when given
};

void SetSecondPoint(Feedback* f, const TwoPointOutputs& out, int x, int y) {
  f->x2 = x;
  f->y2 = y;
  f->radius = Radius(f->x1, f->y1, x, y);
  if (out.r != nullptr) {
    Put(out.r, f->radius);
  } else {
    Put(out.x2, x);
    Put(out.y2, y);
  }
}

void SetFirstPoint(Feedback* f, const TwoPointOutputs& out, int x, int y) {
  f->x1 = x;
  f->y1 = y;
  Put(out.x1, x);
  Put(out.y1, y);
  SetSecondPoint(f, out, x, y);
}

void Order(int* low, int* high) {
  if (low != nullptr && high != nullptr && *low > *high) {
    int t = *low;
    *low = *high;
    *high = t;
  }
}

void OrderCorners(const TwoPointOutputs& out) {
  Order(out.x1, out.x2);
  Order(out.y1, out.y2);
}

int WaitForTwoPoints(int slot, FigureKind band, const TwoPointOutputs& out) {
  if (!ToolMayStart(slot)) return kRefused;
  for (int* p : {out.x1, out.y1, out.x2, out.y2, out.r}) Put(p, 0);
  Wait wait = BeginWait(slot, "Click the first point");
  Feedback f{slot, band, 0, 0, 0, 0, 0, false};
  enum class Stage { kFirstPoint, kSecondPoint, kDone };
  Stage stage = Stage::kFirstPoint;
  for (;;) {
    int code = AfterRound(wait, &f);
    if (code >= 0) return FinishWait(&f, code);
    if (stage == Stage::kDone) return FinishWait(&f, kGiven);
    if (point_clicked && stage == Stage::kFirstPoint) {
      point_clicked = 0;
      SetFirstPoint(&f, out, point_click_x, point_click_y);
      ShowFigure(&f);
      SetStatusText("Click the second point");
      stage = Stage::kSecondPoint;
    }
    if (point_clicked && stage == Stage::kSecondPoint) {
      point_clicked = 0;
      HideFigure(&f);
      SetSecondPoint(&f, out, point_click_x, point_click_y);
      if (out.ordered) OrderCorners(out);
      stage = Stage::kDone;
    }
    if (point_cancelled) {
      if (stage == Stage::kFirstPoint) {
        point_cancelled = 0;
        return FinishWait(&f, kCancelled);
      }
      if (stage == Stage::kSecondPoint) {
        HideFigure(&f);
        point_cancelled = 0;
        SetStatusText("Click the first point");
        stage = Stage::kFirstPoint;
      }
    } else if (stage == Stage::kSecondPoint && point_moved) {
      point_moved = 0;
      HideFigure(&f);
      SetSecondPoint(&f, out, point_move_x, point_move_y);
      ShowFigure(&f);
    }
  }
}

}  // namespace

}  // namespace zul

using namespace zul;

int ZUL_GetPoint(int slot, int* x, int* y) { return WaitForPoint(slot, kNoFigure, 0, 0, x, y); }

int ZUL_GetRow(int slot, int* x, int* y) { return WaitForPoint(slot, kRowFigure, 0, 0, x, y); }

int ZUL_GetColumn(int slot, int* x, int* y) {
  return WaitForPoint(slot, kColumnFigure, 0, 0, x, y);
}

int ZUL_PlaceBox(int slot, int w, int h, int* x, int* y) {
  return WaitForPoint(slot, kPlacedBoxFigure, w, h, x, y);
}

int ZUL_GetLine(int slot, int* x1, int* y1, int* x2, int* y2) {
  return WaitForTwoPoints(slot, kLineFigure, TwoPointOutputs{x1, y1, x2, y2, nullptr, false});
}

int ZUL_GetBox(int slot, int* left, int* top, int* right, int* bottom) {
  return WaitForTwoPoints(slot, kBoxFigure,
                          TwoPointOutputs{left, top, right, bottom, nullptr, true});
}

int ZUL_GetCircle(int slot, int* cx, int* cy, int* r) {
  return WaitForTwoPoints(slot, kCircleFigure, TwoPointOutputs{cx, cy, nullptr, nullptr, r, false});
}
