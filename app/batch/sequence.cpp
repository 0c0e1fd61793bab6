// Listing the frames of a sequence and naming their outputs.
#include "batch/sequence.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>

namespace {

constexpr int kWidestNumber = 9;  // digits of a frame number

// A name with one number field: prefix, the field's least digits, suffix.
struct NumberedName {
  std::wstring prefix, suffix;
  int digits;
};

// Reads "...%d..." or "...%0Nd..." (and "%%" for a percent sign); false for
// any other use of '%' or more than one field.
bool ReadNumberedName(const std::wstring& name, NumberedName* out) {
  std::wstring text[2];
  int fields = 0, digits = 0;
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] != L'%') {
      text[fields > 0 ? 1 : 0] += name[i];
      continue;
    }
    if (i + 1 < name.size() && name[i + 1] == L'%') {
      text[fields > 0 ? 1 : 0] += L'%';
      ++i;
      continue;
    }
    size_t at = i + 1;
    if (at < name.size() && name[at] == L'0') ++at;
    int width = 0;
    while (at < name.size() && std::iswdigit(name[at]) && width < 10)
      width = width * 10 + (name[at++] - L'0');
    if (at >= name.size() || name[at] != L'd' || ++fields > 1 || width > kWidestNumber)
      return false;
    digits = width;
    i = at;
  }
  if (fields != 1) return false;
  *out = NumberedName{text[0], text[1], digits};
  return true;
}

std::wstring NameWithNumber(const NumberedName& name, long number) {
  wchar_t digits[16];
  std::swprintf(digits, 16, L"%0*ld", name.digits, number);
  return name.prefix + digits + name.suffix;
}

std::wstring FolderOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
}

bool IsFolder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The plain files of a folder (`folder` ends with a separator or is empty).
std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

bool IsPictureName(const std::wstring& name) {
  static const wchar_t* const kEndings[] = {L".png", L".bmp", L".jpg", L".jpeg",
                                            L".gif", L".tif", L".tiff"};
  std::wstring lower = name;
  for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
  for (const wchar_t* ending : kEndings) {
    size_t length = std::char_traits<wchar_t>::length(ending);
    if (lower.size() > length && lower.compare(lower.size() - length, length, ending) == 0) {
      return true;
    }
  }
  return false;
}

// The number in `name` where the pattern has its field, or -1 when the name
// does not match.
long NumberIn(const std::wstring& name, const NumberedName& pattern) {
  size_t fixed = pattern.prefix.size() + pattern.suffix.size();
  if (name.size() <= fixed || name.compare(0, pattern.prefix.size(), pattern.prefix) != 0 ||
      name.compare(name.size() - pattern.suffix.size(), pattern.suffix.size(), pattern.suffix) !=
          0) {
    return -1;
  }
  std::wstring digits = name.substr(pattern.prefix.size(), name.size() - fixed);
  if (digits.size() < static_cast<size_t>(pattern.digits) || digits.size() > kWidestNumber ||
      !std::all_of(digits.begin(), digits.end(), [](wchar_t c) { return std::iswdigit(c); })) {
    return -1;
  }
  return std::wcstol(digits.c_str(), nullptr, 10);
}

bool Fail(char* error, size_t error_bytes, const char* reason) {
  std::snprintf(error, error_bytes, "%s", reason);
  return false;
}

}  // namespace

bool IsSequence(const std::wstring& input) {
  NumberedName name;
  return IsFolder(input) || ReadNumberedName(input, &name);
}

bool ListFrames(const std::wstring& input, const std::wstring& output, std::vector<Frame>* frames,
                char* error, size_t error_bytes) {
  frames->clear();
  NumberedName out_name = {}, in_name = {};
  const bool to_folder = IsFolder(output);
  if (!to_folder && !ReadNumberedName(output, &out_name)) {
    return Fail(error, error_bytes,
                "a sequence needs a numbered OUTPUT such as out%04d.png, or a folder");
  }
  std::wstring out_folder = output;
  if (to_folder && out_folder.back() != L'\\' && out_folder.back() != L'/') out_folder += L'\\';
  auto output_for = [&](const std::wstring& name, long number) {
    if (!to_folder) return NameWithNumber(out_name, number);
    return out_folder + name.substr(0, name.find_last_of(L'.')) + L".png";
  };
  if (IsFolder(input)) {
    std::wstring folder = input;
    if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    long place = 0;
    for (const std::wstring& name : FilesIn(folder)) {
      if (IsPictureName(name)) frames->push_back(Frame{folder + name, output_for(name, ++place)});
    }
  } else if (ReadNumberedName(input, &in_name)) {
    std::wstring folder = FolderOf(in_name.prefix);
    NumberedName in_folder = {in_name.prefix.substr(folder.size()), in_name.suffix, in_name.digits};
    std::vector<std::pair<long, std::wstring>> numbered;
    for (const std::wstring& name : FilesIn(folder)) {
      long number = NumberIn(name, in_folder);
      if (number >= 0) numbered.emplace_back(number, name);
    }
    std::sort(numbered.begin(), numbered.end());
    for (const auto& [number, name] : numbered) {
      frames->push_back(Frame{folder + name, output_for(name, number)});
    }
  }
  if (frames->empty()) return Fail(error, error_bytes, "no frames: no pictures match INPUT");
  return true;
}
