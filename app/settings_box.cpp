// The settings box: the framework's input box beside the buttons, holding the
// settings the buttons do not reach, the profile loaded and saved by name and
// the monitor the output is presented on. A changed field takes effect at once.
#include <cstdio>
#include <cstring>

#include "interlace/profile.h"
#include "lenti.h"

namespace {

constexpr int kBoxX = 420;  // right of the button box
constexpr int kBoxY = 0;
constexpr int kLabelWidth = 80;
constexpr int kFieldWidth = 130;
constexpr char kStartProfile[] = "lenti.ini";
constexpr char kCaptureName[] = "lenti_test";
constexpr int kPngFormat = 3;
constexpr int kLargestMonitor = 64;

enum class FieldKind { kSetting, kLoadProfile, kSaveProfile, kMonitor };
struct Field {
  const char* label;
  FieldKind kind;
  const char* key;  // the setting of a kSetting field
};
const Field kFields[] = {
    {"size", FieldKind::kSetting, "size"},
    {"slant", FieldKind::kSetting, "slant"},
    {"order", FieldKind::kSetting, "order"},
    {"offset", FieldKind::kSetting, "offset"},
    {"interlacer", FieldKind::kSetting, "interlacer"},
    {"chart", FieldKind::kSetting, "chart"},
    {"quilt", FieldKind::kSetting, "quilt"},
    {"sweep", FieldKind::kSetting, "sweep"},
    {"profile", FieldKind::kLoadProfile, nullptr},
    {"save as", FieldKind::kSaveProfile, nullptr},
    {"monitor", FieldKind::kMonitor, nullptr},
};
constexpr int kFieldCount = sizeof kFields / sizeof kFields[0];

// Each field's text when the bench last looked at it or wrote it (worker thread).
char seen[kFieldCount][256];
char profile_name[256];

void PutField(int index, const char* text) {
  ZUL_SetInputBox(index, text);
  ZUL_GetInputBox(index, seen[index]);  // as the box holds it
}

int FieldOfKind(FieldKind kind) {
  for (int i = 0; i < kFieldCount; ++i) {
    if (kFields[i].kind == kind) return i;
  }
  return -1;
}

// The settings made the bench's when they can be drawn, else false with the
// reason in the status line. Without an interlacer chosen, the free one
// takes any setting the classic one cannot draw.
bool Adopt(LentiSettings s, bool interlacer_chosen) {
  const char* not_classic = NotClassicBecause(s);
  if (!interlacer_chosen && s.interlacer == InterlacerKind::kClassic && not_classic) {
    s.interlacer = InterlacerKind::kFree;
  }
  char error[256];
  if (!SettingsDrawable(s, error, sizeof error)) {
    SetStatusLine(error);
    return false;
  }
  ApplySettings(s);
  if (s.interlacer == InterlacerKind::kClassic) PrepareWorkWindow();
  return true;
}

bool ChangeSetting(const char* key, const char* text) {
  LentiSettings s = BenchSettings();
  char error[256];
  if (!SetSetting(&s, key, text, error, sizeof error)) {
    SetStatusLine(error);
    return false;
  }
  SetStatusLine("");
  return Adopt(s, std::strcmp(key, "interlacer") == 0);
}

// Loads a profile by name; one that cannot be loaded changes nothing and the
// status line says why, ending with `consequence`.
bool LoadNamedProfile(const char* name, const char* consequence) {
  wchar_t path[MAX_PATH];
  ProfilePath(name, path, MAX_PATH);
  LentiSettings s = BenchSettings();
  ProfileNotes notes = {false};
  char error[200], line[256];
  if (!LoadProfile(path, &s, &notes, error, sizeof error)) {
    std::snprintf(line, sizeof line, "profile %s: %s; %s", name, error, consequence);
    SetStatusLine(line);
    return false;
  }
  if (!Adopt(s, notes.interlacer_given)) return false;
  std::snprintf(profile_name, sizeof profile_name, "%s", name);
  std::snprintf(line, sizeof line, "profile %s loaded", name);
  SetStatusLine(line);
  return true;
}

void SaveNamedProfile(const char* name) {
  wchar_t path[MAX_PATH];
  ProfilePath(name, path, MAX_PATH);
  char error[200], line[256];
  if (SaveProfile(path, BenchSettings(), error, sizeof error)) {
    std::snprintf(line, sizeof line, "profile %s saved", name);
  } else {
    std::snprintf(line, sizeof line, "profile %s: %s", name, error);
  }
  SetStatusLine(line);
}

bool PresentOn(const char* text) {
  int monitor = 0;
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (*text == 0 || *end != 0 || value < 0 || value > kLargestMonitor) {
    SetStatusLine("monitor: 0 (none) or the number of a monitor");
    return false;
  }
  monitor = static_cast<int>(value);
  if (ZUL_GetImageWindow(kOutputWindow) && ZUL_PresentImage(kOutputWindow, monitor) == 2) {
    SetStatusLine("monitor: there is no such monitor");
    return false;
  }
  output_monitor = monitor;
  return true;
}

// A presentation ended with Esc: the field says so again.
void NoticeEndedPresentation() {
  if (output_monitor > 0 && ZUL_GetImageWindow(kOutputWindow) &&
      ZUL_PresentedImage() != kOutputWindow) {
    output_monitor = 0;
    PutField(FieldOfKind(FieldKind::kMonitor), "0");
  }
}

// Acts on one changed field; whether the output must be rendered again.
bool TakeField(int index, const char* text) {
  switch (kFields[index].kind) {
    case FieldKind::kSetting: return ChangeSetting(kFields[index].key, text);
    case FieldKind::kLoadProfile: return LoadNamedProfile(text, "nothing changed");
    case FieldKind::kSaveProfile:
      if (text[0] != 0) SaveNamedProfile(text);
      PutField(index, "");
      return false;
    case FieldKind::kMonitor: PresentOn(text); return false;
  }
  return false;
}

void LoadStartProfile() {
  if (GetFileAttributesA(kStartProfile) == INVALID_FILE_ATTRIBUTES) return;
  // A broken one is worth a box: the bench would otherwise start as it need not.
  if (!LoadNamedProfile(kStartProfile, "the defaults are used")) ZUL_Pause(StatusLine());
}

}  // namespace

void OpenSettingsBox() {
  LoadStartProfile();
  ZUL_OpenInputBox(kBoxX, kBoxY, kFieldCount);
  ZUL_ResizeInputBox(kLabelWidth, kFieldWidth);
  for (int i = 0; i < kFieldCount; ++i) ZUL_SetInputBoxTitle(i, kFields[i].label);
  ShowSettingsInBox();
}

void ShowSettingsInBox() {
  const LentiSettings s = BenchSettings();
  for (int i = 0; i < kFieldCount; ++i) {
    char text[3 * kSettingTextBytes] = "";
    switch (kFields[i].kind) {
      case FieldKind::kSetting: SettingText(s, kFields[i].key, text, sizeof text); break;
      case FieldKind::kLoadProfile: std::snprintf(text, sizeof text, "%s", profile_name); break;
      case FieldKind::kSaveProfile: break;
      case FieldKind::kMonitor: std::snprintf(text, sizeof text, "%d", output_monitor); break;
    }
    PutField(i, text);
  }
}

bool TakeChangedFields() {
  NoticeEndedPresentation();
  bool render = false, changed = false;
  for (int i = 0; i < kFieldCount; ++i) {
    char text[256];
    if (ZUL_GetInputBox(i, text) != 0 || std::strcmp(text, seen[i]) == 0) continue;
    std::memcpy(seen[i], text, sizeof text);
    changed = true;
    if (TakeField(i, text)) render = true;
  }
  if (!changed) return false;
  ShowSettingsInBox();  // refused values go back; a switched interlacer shows
  if (!render) PrintBenchState();
  return render;
}

void CaptureOutput() {
  ZUL_SelectImage(kOutputWindow);
  char name[64];
  std::snprintf(name, sizeof name, "%s.png", kCaptureName);
  ZUL_SaveImageFile(static_cast<int>(image_surfaces[kOutputWindow].width),
                    static_cast<int>(image_surfaces[kOutputWindow].height), kPngFormat, name);
  wchar_t path[MAX_PATH];
  ProfilePath(kCaptureName, path, MAX_PATH);
  char error[200];
  SaveProfile(path, BenchSettings(), error, sizeof error);
}
