// Pictures, files, clipboard, drops, popup menus and image / text window
// helpers shared by the test programs.
#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "test_support.h"

uint32_t TestColor(int x, int y) {
  return static_cast<uint32_t>(((x * 37 + y * 11) & 0xFF) << 16 | ((x * 5 + y * 23) & 0xFF) << 8 |
                               ((x * y + 3 * x) & 0xFF));
}

uint32_t PatternColor(int x, int y, int seed) {
  return static_cast<uint32_t>(((x * 7 + seed) & 0xFF) << 16 | ((y * 5 + seed) & 0xFF) << 8 |
                               (seed & 0xFF));
}

std::string BmpBytes(int width, int height, int bits,
                     const std::function<uint32_t(int, int)>& colour,
                     const std::vector<RGBQUAD>& table, int colours_used) {
  const int bytes_per_pixel = bits / 8, stride = (width * bytes_per_pixel + 3) & ~3;
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) +
                       static_cast<DWORD>(table.size() * sizeof(RGBQUAD));
  const BITMAPFILEHEADER file = {0x4D42, offset + stride * height, 0, 0, offset};
  BITMAPINFOHEADER info = {sizeof info, width, height, 1, static_cast<WORD>(bits)};  // BI_RGB
  info.biClrUsed = static_cast<DWORD>(colours_used < 0 ? table.size() : colours_used);
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  bytes.append(reinterpret_cast<const char*>(table.data()), table.size() * sizeof(RGBQUAD));
  for (int y = height - 1; y >= 0; --y) {
    std::string row(static_cast<size_t>(stride), '\0');
    for (int x = 0; x < width; ++x)
      for (int b = 0, c = colour(x, y); b < bytes_per_pixel; ++b)
        row[x * bytes_per_pixel + b] = static_cast<char>(c >> (8 * b));
    bytes += row;
  }
  return bytes;
}

std::string ReadFileBytes(const std::wstring& path) {
  std::string bytes;
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  return CloseHandle(file), bytes;
}

std::wstring CurrentDirectoryPath(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, dir);
  return std::wstring(dir) + L"\\" + name;
}

void PutOnClipboard(UINT format, const std::string& bytes) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  if (!bytes.empty()) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    SetClipboardData(format, block);
  }
  CloseClipboard();
}

HDROP MakeDrop(const std::vector<std::wstring>& files) {
  std::wstring names;
  for (const std::wstring& f : files) names += f + L'\0';
  names += L'\0';
  HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES), drop->fWide = TRUE;
  std::memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

HWND VisiblePopupMenu() {
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32768", nullptr)) != nullptr;) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// ---- image windows -------------------------------------------------------------------

void DestroyAllImages() {
  for (int n = 0; n < kImageSlots; ++n)
    if (image_windows[n].in_use) ZUL_DestroyImage(n);
}

void MakeImage(int number, int width, int height, int bits) {
  int code = bits == 8 ? ZUL_CreateImage8(number, "test", 0, 0, width, height, 100)
                       : ZUL_CreateImage(number, "test", 0, 0, width, height, 100);
  ASSERT_EQ(code, 0) << "creating image window " << number;
}

void FillImage(int width, int height, const std::function<uint32_t(int, int)>& colour) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) ZUL_SetPixel(x, y, colour(x, y));
}

std::vector<uint8_t> SurfaceBytesOf(int number) {
  const ImageSurface& s = image_surfaces[number];
  return std::vector<uint8_t>(s.base, s.base + static_cast<size_t>(s.stride) * s.height);
}

std::string CaptionOf(int number) {
  char caption[kCaptionBytes];
  return GetWindowTextAnsi(image_windows[number].window, caption, kCaptionBytes), caption;
}

void ExpectClientIsView(int number) {
  RECT client = ClientRect(image_windows[number].window);
  EXPECT_EQ(client.right, image_windows[number].view_width) << "slot " << number;
  EXPECT_EQ(client.bottom, image_windows[number].view_height) << "slot " << number;
}

// ---- text windows --------------------------------------------------------------------

void CloseAllTextWindows() {
  for (int n = 0; n < kTextSlots; ++n)
    if (text_windows[n].in_use) ZUL_CloseTextWindow(n);
}

TextWindow& OpenFreshTextWindow(int number, int width, int height, int x, int y) {
  InitializeFrameworkForTests();
  CloseAllTextWindows();
  EXPECT_EQ(ZUL_OpenTextWindow(number, x, y, width, height), 0);
  PumpFor(20);
  return text_windows[number];
}

static BufferCopy CopyDcPixels(HDC source, int width, int height) {
  BufferCopy copy{width, height, {}};
  BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB}};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(source);
  HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, dib);
  BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
  GdiFlush();
  const uint32_t* words = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i)
    copy.pixels.push_back(words[i] & 0xFFFFFF);
  SelectObject(dc, old), DeleteObject(dib), DeleteDC(dc);
  return copy;
}

BufferCopy CopyBackBuffer(const TextWindow& t) {
  return CopyDcPixels(t.memory_dc, t.width, t.height);
}

BufferCopy CopyShownText(const TextWindow& t) {
  HDC dc = GetDC(t.window);
  BufferCopy copy = CopyDcPixels(dc, t.width, t.height);
  return ReleaseDC(t.window, dc), copy;
}

bool AreaHasInk(const BufferCopy& copy, int x, int y, int width, int height) {
  for (int row = std::max(y, 0); row < y + height && row < copy.height; ++row)
    for (int col = std::max(x, 0); col < x + width && col < copy.width; ++col)
      if (copy.at(col, row) != 0) return true;
  return false;
}

bool CellHasInk(const BufferCopy& copy, const TextWindow& t, int column, int line) {
  return AreaHasInk(copy, column * t.char_width, line * t.char_height, t.char_width, t.char_height);
}

bool ShowsPrinted(int number, const char* text, int lines) {
  const TextWindow& shown = text_windows[number];
  constexpr int kReference = 255;
  if (ZUL_OpenTextWindow(kReference, 500, 500, shown.width, shown.height) != 0) return false;
  ZUL_Printf("%s", text);
  BufferCopy a = CopyBackBuffer(shown), b = CopyBackBuffer(text_windows[kReference]);
  ZUL_CloseTextWindow(kReference);
  int rows = std::min(lines * shown.char_height, a.height);
  return AreaHasInk(a, 0, 0, a.width, rows) &&
         std::equal(a.pixels.begin(), a.pixels.begin() + static_cast<size_t>(rows) * a.width,
                    b.pixels.begin());
}

bool AnswerPrompt(const char* answer) {
  // The prompt's own text stands before the caret: a line still pending from
  // the previous answer (caret at the start of the next line) is not this prompt.
  if (!WaitUntil([] { return text_input_pending != 0 && text_windows[0].cursor_x > 0; }))
    return false;
  HWND window = text_windows[0].window;
  int prompt_line = text_windows[0].cursor_y;
  for (const char* p = answer; *p; ++p) PostMessageW(window, WM_CHAR, static_cast<WPARAM>(*p), 1);
  PostMessageW(window, WM_CHAR, 13, 1);
  return WaitUntil([&] {
    return text_windows[0].cursor_y != prompt_line || (queue_read < 0 && text_input_pending == 0);
  });
}
