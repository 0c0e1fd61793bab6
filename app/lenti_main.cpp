// The application's set-up and main routine: preparing the windows, the
// parameter panel and its button loop.
#include <cstdio>

#include "lenti.h"

namespace {

constexpr int kWorkZoom = 10;
constexpr int kButtonCount = 22;  // polled indexes; the box has 20 buttons

const char* const kCaptions[18] = {
    "pitch-", "pitch+", "pitch-0.01", "pitch+0.01", "pitch-0.001", "pitch+0.001",
    "break",  "cap",    "pic-",       "pic+",       "view-",       "view+",
    "AA on",  "AA off", "gap-",       "gap+",       "pos-",        "pos+",
};

double ClampPitch(double value) {
  if (value < 1) return 1;
  if (value > 50) return 50;
  return value;
}

int AtLeast(int value, int minimum) { return value < minimum ? minimum : value; }

void ReportWindowFailure(const char* what, int code) {
  char text[160];
  snprintf(text, sizeof text, "Can't create the %s window (code %d): the picture is too large.",
           what, code);
  ZUL_Pause(text);
}

// Creates a window the application needs; one that already exists is used as
// it is. Returns false (after telling the user) when there is none to use.
bool EnsureWindow(int number, const char* title, int x, int y, int width, int height, int zoom,
                  const char* what) {
  int code = ZUL_CreateImage(number, title, x, y, width, height, zoom);
  if (code == 0 || code == 1) return ZUL_GetImageWindow(number) != nullptr;
  ReportWindowFailure(what, code);
  return false;
}

// Window 0's picture with every pixel tripled horizontally, into window 1.
void TripleInputIntoWorkWindow() {
  const int width = static_cast<int>(image_surfaces[kInputWindow].width);
  const int height = static_cast<int>(image_surfaces[kInputWindow].height);
  for (int i = 0; i < height; ++i) {
    for (int k = 0; k < width; ++k) {
      ZUL_SelectImage(kInputWindow);
      uint32_t colour = ZUL_GetPixel(k, i);
      ZUL_SelectImage(kWorkWindow);
      ZUL_SetPixel(3 * k, i, colour);
      ZUL_SetPixel(3 * k + 1, i, colour);
      ZUL_SetPixel(3 * k + 2, i, colour);
    }
  }
}

void KeepOutputPositionAndCloseWindows() {
  RECT rect;
  if (GetWindowRect(ZUL_GetImageWindow(kOutputWindow), &rect)) {
    output_x = rect.left;
    output_y = rect.top;
  }
  ZUL_DestroyImage(kInputWindow);
  ZUL_DestroyImage(kWorkWindow);
  ZUL_DestroyImage(kOutputWindow);
}

// Whether the present settings need a dropped picture: every one but a chart does.
bool NeedsInput(const LentiSettings& s) {
  return s.chart == ChartKind::kNone || s.interlacer == InterlacerKind::kClassic;
}

// Window 1 "work" (used as it is when it exists) with window 0 tripled into it.
bool MakeWorkWindow() {
  const int width = static_cast<int>(image_surfaces[kInputWindow].width);
  const int height = static_cast<int>(image_surfaces[kInputWindow].height);
  if (!EnsureWindow(kWorkWindow, "work", 0, 300, 3 * width, height, kWorkZoom, "work")) {
    return false;
  }
  TripleInputIntoWorkWindow();
  return true;
}

}  // namespace

bool PrepareWorkWindow() {
  if (ZUL_GetImageWindow(kWorkWindow)) return true;
  return ZUL_GetImageWindow(kInputWindow) != nullptr && MakeWorkWindow();
}

bool PressButton(int button) {
  switch (button) {
    case kPitchDown: pitch = ClampPitch(pitch - 0.1); break;
    case kPitchUp: pitch = ClampPitch(pitch + 0.1); break;
    case kPitchDownFine: pitch = ClampPitch(pitch - 0.01); break;
    case kPitchUpFine: pitch = ClampPitch(pitch + 0.01); break;
    case kPitchDownFinest: pitch = ClampPitch(pitch - 0.001); break;
    case kPitchUpFinest: pitch = ClampPitch(pitch + 0.001); break;
    case kBreak: return false;
    case kCapture: CaptureOutput(); break;
    case kPicDown: pic_num = AtLeast(pic_num - 1, 2); break;
    case kPicUp: pic_num = pic_num + 1; break;
    case kViewDown: view_num = AtLeast(view_num - 1, 2); break;
    case kViewUp: view_num = view_num + 1; break;
    case kAaOn: AA = 1; break;
    case kAaOff: AA = 0; break;
    case kGapDown: gap = AtLeast(gap - 1, 0); break;
    case kGapUp: gap = gap + 1; break;
    case kPosDown: pos = pos - 1; break;
    case kPosUp: pos = pos + 1; break;
    default: break;  // buttons without an action render again
  }
  return true;
}

namespace {

// Polls the buttons and the settings box until "break" (true) or until the
// program ends (false).
bool RunButtonLoop() {
  while (quit_state == 0) {
    for (int i = 0; i < kButtonCount; ++i) {
      ZUL_Printf("");
      if (ZUL_GetButtonBox(i) == 0) continue;
      if (!PressButton(i)) return true;
      RenderLenticular();
    }
    if (TakeChangedFields()) RenderLenticular();
    // Keep the windows live even when the text window has been closed.
    ZUL_PumpMessages();
    Sleep(1);
  }
  return false;
}

}  // namespace

void AppSetup() {
  pitch = 23.006;
  pic_num = 2;
  view_num = 2;
  ZUL_OpenTextWindow(0, 0, 0, 198, 198);
  // The settings box first: the button box, opened last, keeps the keyboard.
  OpenSettingsBox();
  ZUL_OpenButtonBox(200, 0, 2, 10);
  for (int i = 0; i < 18; ++i) ZUL_SetButtonBoxTitle(i, kCaptions[i]);
}

void AppMain() {
  TakeChangedFields();  // what was typed into the settings box before Start
  const LentiSettings s = BenchSettings();
  if (NeedsInput(s) && ZUL_GetStretchMode(kInputWindow) == 0) {
    // "Drag a stereo pair image here", shown as Japanese whatever the code page.
    ZUL_PauseW(L"ステレオペア画像をドラッグして下さい");
    return;
  }
  const bool classic = s.interlacer == InterlacerKind::kClassic;
  if (classic && !MakeWorkWindow()) return;
  if (!EnsureWindow(kOutputWindow, kOutputTitle, output_x, output_y,
                    classic ? kOutputWidth : s.width, classic ? kOutputHeight : s.height, 100,
                    "output")) {
    return;
  }
  if (output_monitor > 0) ZUL_PresentImage(kOutputWindow, output_monitor);
  RenderLenticular();
  if (RunButtonLoop()) KeepOutputPositionAndCloseWindows();
}
