// Helpers of the main window command tests: typed answers to the prompts of
// text window 0, clipboard pictures, image files and real HDROPs.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "mainwin/mainwin.h"
#include "surfaces/surfaces.h"
#include "test_support.h"
#include "textwin/textwin.h"

#include <gdiplus.h>
#include <shlobj.h>

// The colour of pixel (x, y) of the test pictures, 0x00RRGGBB.
inline uint32_t PatternColor(int x, int y, int seed) {
  return (static_cast<uint32_t>((x * 7 + seed) & 0xFF) << 16) |
         (static_cast<uint32_t>((y * 5 + seed) & 0xFF) << 8) | static_cast<uint32_t>(seed & 0xFF);
}

// Waits for the prompt's line input, types `answer` into text window 0 and
// waits until the line is taken: the cursor leaves the prompt's line (short
// answers, no scrolling), or the input has ended with nothing left queued.
inline bool AnswerPrompt(const char* answer) {
  // The prompt's own text stands before the caret: a line still pending from
  // the previous answer (its Enter taken, the caret at the start of the next
  // line) is not this prompt.
  if (!WaitUntil([] { return text_input_pending != 0 && text_windows[0].cursor_x > 0; })) {
    return false;
  }
  HWND window = text_windows[0].window;
  int prompt_line = text_windows[0].cursor_y;
  for (const char* p = answer; *p; ++p) PostMessageW(window, WM_CHAR, static_cast<WPARAM>(*p), 1);
  PostMessageW(window, WM_CHAR, 13, 1);
  return WaitUntil([&] {
    return text_windows[0].cursor_y != prompt_line || (queue_read < 0 && text_input_pending == 0);
  });
}

// Puts a width x height 32-bit picture drawn with PatternColor on the clipboard as CF_DIB.
inline void SetClipboardPattern(int width, int height, int seed) {
  size_t bytes = sizeof(BITMAPINFOHEADER) + static_cast<size_t>(width) * height * 4;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  auto* base = static_cast<uint8_t*>(GlobalLock(block));
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  std::memcpy(base, &header, sizeof header);
  auto* words = reinterpret_cast<uint32_t*>(base + sizeof header);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      words[static_cast<size_t>(height - 1 - y) * width + x] = PatternColor(x, y, seed);
    }
  }
  GlobalUnlock(block);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_DIB, block);
  CloseClipboard();
}

inline void ClearClipboard() {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
}

// Writes a 24-bit BMP drawn with PatternColor.
inline void WriteBmp(const std::wstring& path, int width, int height, int seed) {
  ASSERT_TRUE(WriteBytesToFile(
      path, Bmp24Bytes(width, height, [seed](int x, int y) { return PatternColor(x, y, seed); })));
}

// Writes a PNG drawn with PatternColor through GDI+ (started by the framework).
inline void WritePng(const std::wstring& path, int width, int height, int seed) {
  std::vector<uint32_t> words(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) words[static_cast<size_t>(y) * width + x] = PatternColor(x, y, seed);
  }
  Gdiplus::GpBitmap* bitmap = nullptr;
  ASSERT_EQ(Gdiplus::DllExports::GdipCreateBitmapFromScan0(width, height, width * 4,
                                                           PixelFormat32bppRGB,
                                                           reinterpret_cast<BYTE*>(words.data()),
                                                           &bitmap),
            Gdiplus::Ok);
  CLSID png = {};
  ASSERT_TRUE(FindEncoder(L"image/png", &png));
  EXPECT_EQ(Gdiplus::DllExports::GdipSaveImageToFile(bitmap, path.c_str(), &png, nullptr),
            Gdiplus::Ok);
  Gdiplus::DllExports::GdipDisposeImage(bitmap);
}

inline void WriteText(const std::wstring& path, const char* text) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(f, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
  CloseHandle(f);
}

// A real HDROP, allocated in this process as the shell would, naming `files`.
inline HDROP MakeDrop(const std::vector<std::wstring>& files) {
  size_t units = 1;
  for (const std::wstring& f : files) units += f.size() + 1;
  HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + units * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  auto* names = reinterpret_cast<wchar_t*>(drop + 1);
  for (const std::wstring& f : files) {
    std::memcpy(names, f.c_str(), (f.size() + 1) * sizeof(wchar_t));
    names += f.size() + 1;
  }
  *names = 0;
  GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

inline std::wstring CurrentDirectoryPath(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, dir);
  return std::wstring(dir) + L"\\" + name;
}

// Whether image window n shows the pattern picture of that size.
inline bool ShowsPattern(int n, int width, int height, int seed) {
  const ImageWindow& w = image_windows[n];
  if (!w.in_use || w.width != width || w.height != height || !pixels[n]) return false;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if ((pixels[n][static_cast<size_t>(y) * width + x] & 0xFFFFFF) != PatternColor(x, y, seed)) {
        return false;
      }
    }
  }
  return true;
}

inline std::string ImageTitle(int n) {
  return image_windows[n].in_use && image_windows[n].title ? image_windows[n].title : "";
}

// The visible popup menu window of this process, or null.
inline HWND VisiblePopupMenu() {
  HWND found = nullptr;
  for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
       w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(w)) found = w;
  }
  return found;
}
