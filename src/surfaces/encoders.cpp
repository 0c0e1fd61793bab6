// The five save formats, their GDI+ encoders and file name extensions.
#include <cstdlib>
#include <cwchar>
#include <cwctype>

#include "surfaces/surfaces.h"

#include <gdiplus.h>

namespace zul {

namespace {

struct FileFormat {
  const wchar_t* mime;
  const wchar_t* extension;
};

constexpr FileFormat kFormats[kImageFormats] = {
    {L"image/bmp", L".bmp"}, {L"image/jpeg", L".jpg"}, {L"image/gif", L".gif"},
    {L"image/png", L".png"}, {L"image/tiff", L".tif"},
};

bool FormatValid(int format) { return format >= 0 && format < kImageFormats; }

}  // namespace

const wchar_t* FormatMimeType(int format) {
  return FormatValid(format) ? kFormats[format].mime : nullptr;
}

const wchar_t* FormatExtension(int format) {
  return FormatValid(format) ? kFormats[format].extension : nullptr;
}

void AppendExtension(wchar_t* path, const wchar_t* extension) {
  if (path == nullptr || extension == nullptr) return;
  size_t length = std::wcslen(path);
  if (length >= 4) {
    wchar_t tail[5];
    for (int i = 0; i < 4; ++i) tail[i] = static_cast<wchar_t>(std::towlower(path[length - 4 + i]));
    tail[4] = 0;
    if (std::wcsstr(tail, extension) != nullptr) return;
  }
  for (const wchar_t* p = extension; *p != 0 && length + 1 < static_cast<size_t>(kPathChars); ++p) {
    path[length++] = *p;
  }
  path[length] = 0;
}

bool FindEncoder(const wchar_t* mime, CLSID* class_id) {
  *class_id = CLSID{};
  UINT count = 0, bytes = 0;
  if (Gdiplus::DllExports::GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) {
    return false;
  }
  auto* codecs = static_cast<Gdiplus::ImageCodecInfo*>(std::malloc(bytes));
  if (codecs == nullptr) return false;
  bool found = false;
  if (Gdiplus::DllExports::GdipGetImageEncoders(count, bytes, codecs) == Gdiplus::Ok) {
    for (UINT i = 0; i < count && !found; ++i) {
      if (codecs[i].MimeType != nullptr && std::wcscmp(codecs[i].MimeType, mime) == 0) {
        *class_id = codecs[i].Clsid;
        found = true;
      }
    }
  }
  std::free(codecs);
  return found;
}

}  // namespace zul
