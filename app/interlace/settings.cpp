// Reading and writing the settings as text.
#include "interlace/settings.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr double kLargestDistance = 1e9;  // sub-pixels: any real panel or print is far smaller

// ---- numbers, strictly: the whole text must be the number --------------------------

bool ReadInt(const char* text, long low, long high, int* out) {
  if (text == nullptr || *text == 0) return false;
  char* end = nullptr;
  errno = 0;
  long value = std::strtol(text, &end, 10);
  if (errno != 0 || *end != 0 || value < low || value > high) return false;
  *out = static_cast<int>(value);
  return true;
}

bool ReadDouble(const char* text, double* out) {
  if (text == nullptr || *text == 0) return false;
  char* end = nullptr;
  double value = std::strtod(text, &end);
  if (*end != 0 || !std::isfinite(value)) return false;
  *out = value;
  return true;
}

// "P/Q" with whole P and Q (Q not 0) as P / Q, or a decimal.
bool ReadRatio(const char* text, double* out) {
  const char* slash = text != nullptr ? std::strchr(text, '/') : nullptr;
  if (slash == nullptr) return ReadDouble(text, out);
  char numerator[kSettingTextBytes];
  size_t length = static_cast<size_t>(slash - text);
  if (length == 0 || length >= sizeof numerator) return false;
  std::memcpy(numerator, text, length);
  numerator[length] = 0;
  int p = 0, q = 0;
  if (!ReadInt(numerator, -1000000, 1000000, &p) || !ReadInt(slash + 1, 1, 1000000, &q)) {
    return false;
  }
  *out = static_cast<double>(p) / q;
  return true;
}

// "AxB" with whole A and B within [low, high].
bool ReadPair(const char* text, char separator, int low, int high, int* a, int* b) {
  const char* mark = text != nullptr ? std::strchr(text, separator) : nullptr;
  if (mark == nullptr) return false;
  char first[kSettingTextBytes];
  size_t length = static_cast<size_t>(mark - text);
  if (length == 0 || length >= sizeof first) return false;
  std::memcpy(first, text, length);
  first[length] = 0;
  return ReadInt(first, low, high, a) && ReadInt(mark + 1, low, high, b);
}

// ---- one function per key ----------------------------------------------------------

using Setter = bool (*)(LentiSettings* s, const char* value);
using Writer = void (*)(const LentiSettings& s, char* text, size_t bytes);

bool SetSize(LentiSettings* s, const char* v) {
  return ReadPair(v, 'x', 1, kMaxSide, &s->width, &s->height);
}
bool SetSlant(LentiSettings* s, const char* v) {
  double slant = 0;
  if (std::strlen(v) >= kSettingTextBytes || !ReadRatio(v, &slant)) return false;
  if (std::fabs(slant) > kLargestDistance) return false;
  s->slant = slant;
  std::snprintf(s->slant_text, sizeof s->slant_text, "%s", v);
  return true;
}
bool SetOrder(LentiSettings* s, const char* v) {
  if (std::strcmp(v, "rgb") == 0) {
    s->order = SubpixelOrder::kRgb;
  } else if (std::strcmp(v, "bgr") == 0) {
    s->order = SubpixelOrder::kBgr;
  } else {
    return false;
  }
  return true;
}
bool SetOffset(LentiSettings* s, const char* v) {
  double offset = 0;
  if (!ReadDouble(v, &offset) || std::fabs(offset) > kLargestDistance) return false;
  s->offset = offset;
  return true;
}
bool SetPitch(LentiSettings* s, const char* v) {
  double pitch = 0;
  if (!ReadDouble(v, &pitch) || !(pitch > 0) || pitch > kLargestDistance) return false;
  s->pitch = pitch;
  return true;
}
bool SetViews(LentiSettings* s, const char* v) { return ReadInt(v, 2, kMaxViews, &s->views); }
bool SetGap(LentiSettings* s, const char* v) { return ReadInt(v, 0, 1000000, &s->gap); }
bool SetPos(LentiSettings* s, const char* v) { return ReadInt(v, -1000000, 1000000, &s->pos); }
bool SetAa(LentiSettings* s, const char* v) { return ReadInt(v, 0, 1, &s->aa); }
bool SetPictures(LentiSettings* s, const char* v) { return ReadInt(v, 1, kMaxViews, &s->pictures); }
bool SetQuilt(LentiSettings* s, const char* v) {
  if (std::strcmp(v, "none") == 0) {
    s->quilt_columns = s->quilt_rows = 0;
    return true;
  }
  int columns = 0, rows = 0;
  if (!ReadPair(v, 'x', 1, kMaxViews, &columns, &rows) || columns * rows > kMaxViews) {
    return false;
  }
  s->quilt_columns = columns;
  s->quilt_rows = rows;
  return true;
}
bool SetChart(LentiSettings* s, const char* v) {
  if (std::strcmp(v, "none") == 0) {
    s->chart = ChartKind::kNone;
  } else if (std::strcmp(v, "views") == 0) {
    s->chart = ChartKind::kViews;
  } else if (std::strcmp(v, "numbers") == 0) {
    s->chart = ChartKind::kNumbers;
  } else if (std::strncmp(v, "single:", 7) == 0 &&
             ReadInt(v + 7, 0, kMaxViews - 1, &s->chart_view)) {
    s->chart = ChartKind::kSingle;
  } else {
    return false;
  }
  return true;
}
// "off", or START:STEP:COUNT.
bool SetSweep(LentiSettings* s, const char* v) {
  if (std::strcmp(v, "off") == 0) {
    s->sweep_count = 0;
    return true;
  }
  char text[3 * kSettingTextBytes];
  if (std::strlen(v) >= sizeof text) return false;
  std::snprintf(text, sizeof text, "%s", v);
  char* step = std::strchr(text, ':');
  char* count = step != nullptr ? std::strchr(step + 1, ':') : nullptr;
  if (count == nullptr) return false;
  *step++ = 0;
  *count++ = 0;
  double start = 0, increment = 0;
  int bands = 0;
  if (!ReadDouble(text, &start) || !ReadDouble(step, &increment) ||
      !ReadInt(count, 1, 1000, &bands) || !(start > 0) || start > kLargestDistance ||
      std::fabs(increment) > kLargestDistance) {
    return false;
  }
  s->sweep_start = start;
  s->sweep_step = increment;
  s->sweep_count = bands;
  return true;
}
bool SetInterlacer(LentiSettings* s, const char* v) {
  if (std::strcmp(v, "classic") == 0) {
    s->interlacer = InterlacerKind::kClassic;
  } else if (std::strcmp(v, "free") == 0) {
    s->interlacer = InterlacerKind::kFree;
  } else {
    return false;
  }
  return true;
}
bool SetDpi(LentiSettings* s, const char* v) { return ReadInt(v, 0, 100000, &s->dpi); }

void WriteInt(int value, char* text, size_t bytes) { std::snprintf(text, bytes, "%d", value); }

struct KeyRow {
  const char* key;
  Setter set;
  Writer write;
  const char* accepted;  // how the value must look, for the error message
};

const KeyRow kKeys[] = {
    {"size", SetSize,
     [](const LentiSettings& s, char* t, size_t n) {
       std::snprintf(t, n, "%dx%d", s.width, s.height);
     },
     "WxH, each 1 to 32768"},
    {"order", SetOrder,
     [](const LentiSettings& s, char* t, size_t n) {
       std::snprintf(t, n, "%s", s.order == SubpixelOrder::kRgb ? "rgb" : "bgr");
     },
     "rgb or bgr"},
    {"slant", SetSlant,
     [](const LentiSettings& s, char* t, size_t n) { std::snprintf(t, n, "%s", s.slant_text); },
     "P/Q or a decimal"},
    {"offset", SetOffset,
     [](const LentiSettings& s, char* t, size_t n) { ShortestDecimal(s.offset, t, n); },
     "a decimal"},
    {"pitch", SetPitch,
     [](const LentiSettings& s, char* t, size_t n) { ShortestDecimal(s.pitch, t, n); },
     "a decimal above 0"},
    {"views", SetViews, [](const LentiSettings& s, char* t, size_t n) { WriteInt(s.views, t, n); },
     "2 to 255"},
    {"gap", SetGap, [](const LentiSettings& s, char* t, size_t n) { WriteInt(s.gap, t, n); },
     "0 or more"},
    {"pos", SetPos, [](const LentiSettings& s, char* t, size_t n) { WriteInt(s.pos, t, n); },
     "a whole number"},
    {"aa", SetAa, [](const LentiSettings& s, char* t, size_t n) { WriteInt(s.aa, t, n); },
     "0 or 1"},
    {"pics", SetPictures,
     [](const LentiSettings& s, char* t, size_t n) { WriteInt(s.pictures, t, n); }, "1 to 255"},
    {"quilt", SetQuilt,
     [](const LentiSettings& s, char* t, size_t n) {
       if (s.quilt_columns == 0) {
         std::snprintf(t, n, "none");
       } else {
         std::snprintf(t, n, "%dx%d", s.quilt_columns, s.quilt_rows);
       }
     },
     "none or CxR with at most 255 tiles"},
    {"chart", SetChart,
     [](const LentiSettings& s, char* t, size_t n) {
       switch (s.chart) {
         case ChartKind::kNone: std::snprintf(t, n, "none"); break;
         case ChartKind::kViews: std::snprintf(t, n, "views"); break;
         case ChartKind::kSingle: std::snprintf(t, n, "single:%d", s.chart_view); break;
         case ChartKind::kNumbers: std::snprintf(t, n, "numbers"); break;
       }
     },
     "none, views, single:K or numbers"},
    {"sweep", SetSweep,
     [](const LentiSettings& s, char* t, size_t n) {
       if (s.sweep_count == 0) {
         std::snprintf(t, n, "off");
         return;
       }
       char start[kSettingTextBytes], step[kSettingTextBytes];
       ShortestDecimal(s.sweep_start, start, sizeof start);
       ShortestDecimal(s.sweep_step, step, sizeof step);
       std::snprintf(t, n, "%s:%s:%d", start, step, s.sweep_count);
     },
     "off or START:STEP:COUNT (start above 0, 1 to 1000 bands)"},
    {"interlacer", SetInterlacer,
     [](const LentiSettings& s, char* t, size_t n) {
       std::snprintf(t, n, "%s", s.interlacer == InterlacerKind::kClassic ? "classic" : "free");
     },
     "classic or free"},
    {"dpi", SetDpi, [](const LentiSettings& s, char* t, size_t n) { WriteInt(s.dpi, t, n); },
     "0 to 100000"},
};

const KeyRow* FindKey(const char* key) {
  for (const KeyRow& row : kKeys) {
    if (key != nullptr && std::strcmp(row.key, key) == 0) return &row;
  }
  return nullptr;
}

}  // namespace

int SettingKeyCount() { return static_cast<int>(sizeof kKeys / sizeof kKeys[0]); }

const char* SettingKey(int index) {
  return index >= 0 && index < SettingKeyCount() ? kKeys[index].key : nullptr;
}

bool SetSetting(LentiSettings* settings, const char* key, const char* value, char* error,
                size_t error_bytes) {
  const KeyRow* row = FindKey(key);
  if (row == nullptr) {
    std::snprintf(error, error_bytes, "unknown setting '%s'", key ? key : "");
    return false;
  }
  LentiSettings changed = *settings;
  if (value == nullptr || !row->set(&changed, value)) {
    std::snprintf(error, error_bytes, "%s: '%.40s' is not %s", key, value ? value : "",
                  row->accepted);
    return false;
  }
  *settings = changed;
  return true;
}

void SettingText(const LentiSettings& settings, const char* key, char* text, size_t text_bytes) {
  const KeyRow* row = FindKey(key);
  if (row == nullptr) {
    if (text_bytes > 0) text[0] = 0;
    return;
  }
  row->write(settings, text, text_bytes);
}

const char* NotClassicBecause(const LentiSettings& s) {
  if (s.width != 800 || s.height != 480) return "size";
  if (s.slant != 1) return "slant";
  if (s.order != SubpixelOrder::kRgb) return "order";
  if (s.offset != 0) return "offset";
  if (s.quilt_columns != 0) return "quilt";
  if (s.chart != ChartKind::kNone) return "chart";
  if (s.sweep_count != 0) return "sweep";
  if (s.pictures < 2) return "pics";
  return nullptr;
}

bool SettingsDrawable(const LentiSettings& s, char* error, size_t error_bytes) {
  const char* not_classic = NotClassicBecause(s);
  if (s.interlacer == InterlacerKind::kClassic && not_classic != nullptr) {
    std::snprintf(
        error, error_bytes,
        "the classic interlacer draws only 800x480, slant 1, rgb, offset 0 and side-by-side "
        "pictures (2 or more); '%s' needs the free interlacer",
        not_classic);
    return false;
  }
  if (s.chart == ChartKind::kSingle && s.chart_view >= s.views) {
    std::snprintf(error, error_bytes, "chart single:%d: there are only %d views", s.chart_view,
                  s.views);
    return false;
  }
  double last = s.sweep_start + (s.sweep_count - 1) * s.sweep_step;
  if (s.sweep_count > 0 && !(last > 0)) {
    std::snprintf(error, error_bytes, "sweep: the pitch of the last band would be %g", last);
    return false;
  }
  return true;
}

void ShortestDecimal(double value, char* text, size_t text_bytes) {
  for (int digits = 1; digits <= 17; ++digits) {
    std::snprintf(text, text_bytes, "%.*g", digits, value);
    if (std::strtod(text, nullptr) == value) return;
  }
}
