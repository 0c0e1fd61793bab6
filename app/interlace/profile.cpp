// Reading and writing profiles.
#include "interlace/profile.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

constexpr long kLargestProfile = 64 * 1024;
constexpr int kLongestLine = 255;

struct Section {
  const char* name;
  const char* keys[6];  // null-ended
};
const Section kSections[] = {
    {"panel", {"size", "order", "slant", "offset", nullptr}},
    {"lens", {"pitch", "views", "gap", "pos", "aa", nullptr}},
    {"source", {"pics", "quilt", "chart", "sweep", nullptr}},
    {"render", {"interlacer", "dpi", nullptr}},
};

bool KnownSection(const char* name) {
  for (const Section& section : kSections) {
    if (std::strcmp(section.name, name) == 0) return true;
  }
  return false;
}

char* Trim(char* text) {
  while (*text == ' ' || *text == '\t') ++text;
  size_t length = std::strlen(text);
  while (length > 0 &&
         (text[length - 1] == ' ' || text[length - 1] == '\t' || text[length - 1] == '\r')) {
    text[--length] = 0;
  }
  return text;
}

// One line of a profile into `settings`; false with the reason in `error`.
bool ReadLine(char* line, LentiSettings* settings, ProfileNotes* notes, char* error,
              size_t error_bytes) {
  char* text = Trim(line);
  if (*text == 0 || *text == ';' || *text == '#') return true;
  size_t length = std::strlen(text);
  if (*text == '[') {
    if (text[length - 1] != ']') {
      std::snprintf(error, error_bytes, "a section name must end with ']'");
      return false;
    }
    text[length - 1] = 0;
    if (KnownSection(text + 1)) return true;
    std::snprintf(error, error_bytes, "unknown section [%.40s]", text + 1);
    return false;
  }
  char* equals = std::strchr(text, '=');
  if (equals == nullptr) {
    std::snprintf(error, error_bytes, "expected 'key = value'");
    return false;
  }
  *equals = 0;
  const char* key = Trim(text);
  if (!SetSetting(settings, key, Trim(equals + 1), error, error_bytes)) return false;
  if (std::strcmp(key, "interlacer") == 0) notes->interlacer_given = true;
  return true;
}

// The whole file, terminated, in `text` (kLargestProfile + 1 bytes).
bool ReadProfileText(const wchar_t* path, char* text, char* error, size_t error_bytes) {
  FILE* file = _wfopen(path, L"rb");
  if (file == nullptr) {
    std::snprintf(error, error_bytes, "cannot open the profile");
    return false;
  }
  size_t bytes = std::fread(text, 1, kLargestProfile + 1, file);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed || bytes > static_cast<size_t>(kLargestProfile)) {
    std::snprintf(error, error_bytes,
                  failed ? "cannot read the profile" : "the profile is larger than 64 KiB");
    return false;
  }
  text[bytes] = 0;
  if (std::strlen(text) != bytes) {
    std::snprintf(error, error_bytes, "the profile is not text");
    return false;
  }
  return true;
}

}  // namespace

bool LoadProfile(const wchar_t* path, LentiSettings* settings, ProfileNotes* notes, char* error,
                 size_t error_bytes) {
  static char text[kLargestProfile + 1];  // one profile is read at a time
  if (!ReadProfileText(path, text, error, error_bytes)) return false;
  LentiSettings read = *settings;
  ProfileNotes said = {false};
  int number = 0;
  for (char* line = text; line != nullptr;) {
    char* end = std::strchr(line, '\n');
    if (end != nullptr) *end = 0;
    ++number;
    char reason[160];
    bool fine = std::strlen(line) <= kLongestLine;
    if (!fine) std::snprintf(reason, sizeof reason, "longer than %d characters", kLongestLine);
    if (fine) fine = ReadLine(line, &read, &said, reason, sizeof reason);
    if (!fine) {
      std::snprintf(error, error_bytes, "line %d: %s", number, reason);
      return false;
    }
    line = end != nullptr ? end + 1 : nullptr;
  }
  *settings = read;
  if (notes != nullptr) *notes = said;
  return true;
}

bool SaveProfile(const wchar_t* path, const LentiSettings& settings, char* error,
                 size_t error_bytes) {
  FILE* file = _wfopen(path, L"wb");
  if (file == nullptr) {
    std::snprintf(error, error_bytes, "cannot create the profile");
    return false;
  }
  std::fprintf(file, "; lenti profile\r\n");
  for (const Section& section : kSections) {
    std::fprintf(file, "\r\n[%s]\r\n", section.name);
    for (const char* const* key = section.keys; *key != nullptr; ++key) {
      char value[3 * kSettingTextBytes];
      SettingText(settings, *key, value, sizeof value);
      std::fprintf(file, "%s = %s\r\n", *key, value);
    }
  }
  bool written = std::ferror(file) == 0;
  if (std::fclose(file) != 0) written = false;
  if (!written) std::snprintf(error, error_bytes, "cannot write the profile");
  return written;
}

void ProfilePath(const char* name, wchar_t* path, size_t path_units) {
  if (path_units == 0) return;
  path[0] = 0;
  int units = MultiByteToWideChar(CP_ACP, 0, name, -1, path, static_cast<int>(path_units));
  if (units <= 0) {
    path[0] = 0;
    return;
  }
  const wchar_t* base = path;
  for (const wchar_t* p = path; *p; ++p) {
    if (*p == L'\\' || *p == L'/') base = p + 1;
  }
  size_t length = std::wcslen(path);
  if (std::wcschr(base, L'.') == nullptr && length + 5 <= path_units) {
    std::wcscat(path, L".ini");
  }
}
