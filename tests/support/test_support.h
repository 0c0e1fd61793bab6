// Shared helpers of the test programs. This is the one place that includes the
// framework's internal headers; test files include only this one.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "boxes/boxes.h"
#include "core/core.h"
#include "imagewin/imagewin.h"
#include "mainwin/mainwin.h"
#include "runtime/runtime.h"
#include "surfaces/surfaces.h"
#include "textwin/textwin.h"

// The tests reach into the framework's own state and helpers.
using namespace zul;

// The application routines of a test program without the real application.
extern std::function<void()> test_app_setup;
extern std::function<void()> test_app_main;

void InitializeFrameworkForTests();  // start-up once per process, windows on this thread
// Polls `condition`, pumping this thread's messages, until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, int timeout_ms = 5000);
void PumpFor(int ms);

// Runs the program on this thread and `driver` on its own, then Exit if still up; the exit code.
int RunScenario(std::function<void()> app_setup, std::function<void()> app_main,
                std::function<void()> driver);
inline void PostMainCommand(int id) { PostMessageW(main_window, WM_COMMAND, id, 0); }
std::wstring MainStatusText();  // the main window's status field
// (Driver) Posts `key` to `window()` once it exists; whether the program then ended.
bool KeyEndsTheProgram(const std::function<HWND()>& window, WPARAM key);
inline void PostMainKey(WPARAM key) { PostMessageW(main_window, WM_KEYDOWN, key, 0); }
// Runs `work` on the main window thread (without waiting / and waits).
void RunOnMainThread(std::function<void()> work);
void RunOnMainThreadAndWait(std::function<void()> work);
// Holds Ctrl for GetKeyState on `window`'s thread (this one when null): posted keys do not.
void HoldControlKey(bool down, HWND window = nullptr);
// Sends WM_KEYDOWN `key` to `window` with Ctrl held on its thread.
void SendControlKey(HWND window, WPARAM key);

inline void Nothing() {}
// RunScenario that is expected to end with exit code 0.
inline void ExpectCleanExit(std::function<void()> setup, std::function<void()> app,
                            std::function<void()> driver) {
  EXPECT_EQ(RunScenario(std::move(setup), std::move(app), std::move(driver)), 0);
}
// An application main that runs until the driver sets `release_app` (or the program ends).
inline std::atomic<int> release_app{0};
inline void RunUntilReleased() {
  while (!release_app && quit_state == 0) Sleep(1), PumpWorkerMessages();
}
inline void StartHeldApplication() {
  release_app = 0;
  PostMainCommand(kCmdStart);
  ASSERT_TRUE(WaitUntil([] { return running != 0; }));
}
inline RECT OuterRect(HWND window) {
  RECT rect{};
  return GetWindowRect(window, &rect), rect;
}
inline RECT ClientRect(HWND window) {
  RECT rect{};
  return GetClientRect(window, &rect), rect;
}

// ---- pictures and files --------------------------------------------------------
// 0x00RRGGBB test colours whose neighbouring pixels differ.
uint32_t TestColor(int x, int y);
uint32_t PatternColor(int x, int y, int seed);
// The bytes of a bottom-up BMP file of 24 bits (colour(x, y) = 0xRRGGBB) or of
// 8 bits (colour(x, y) = index into `table`, biClrUsed = `colours_used`, or the
// table's size when negative). Without its 14-byte file header it is a CF_DIB.
std::string BmpBytes(int width, int height, int bits,
                     const std::function<uint32_t(int, int)>& colour,
                     const std::vector<RGBQUAD>& table = {}, int colours_used = -1);
inline std::string Bmp24Bytes(int width, int height,
                              const std::function<uint32_t(int, int)>& colour) {
  return BmpBytes(width, height, 24, colour);
}
bool WriteBytesToFile(const std::wstring& path, const std::string& bytes);
// A 24-bit BMP file of the PatternColor picture of that size and seed.
inline void WriteBmp(const std::wstring& path, int width, int height, int seed) {
  ASSERT_TRUE(WriteBytesToFile(path, BmpBytes(width, height, 24, [seed](int x, int y) {
                                 return PatternColor(x, y, seed);
                               })));
}
std::string ReadFileBytes(const std::wstring& path);
std::wstring CurrentDirectoryPath(const wchar_t* name);
void PutOnClipboard(UINT format, const std::string& bytes);  // or an empty clipboard for ""
inline void PutDibOnClipboard(const std::string& dib) { PutOnClipboard(CF_DIB, dib); }
// A real HDROP naming `files`, allocated in this process as the shell does.
HDROP MakeDrop(const std::vector<std::wstring>& files);
HWND VisiblePopupMenu();  // the visible popup menu of this process, or null

// ---- image windows ---------------------------------------------------------------
// Each test starts with the framework up and no image window open.
void DestroyAllImages();
class ImageWindowTest : public testing::Test {
 protected:
  void SetUp() override { InitializeFrameworkForTests(), DestroyAllImages(); }
  void TearDown() override { DestroyAllImages(); }
};
// Creates window `number` (32 or 8 bits) at zoom 100 in the top left corner.
void MakeImage(int number, int width, int height, int bits = 32);
void FillImage(int width, int height, const std::function<uint32_t(int, int)>& colour);
inline void FillColor(int width, int height, uint32_t color) {
  FillImage(width, height, [color](int, int) { return color; });
}
inline void FillTestPicture(int width, int height) { FillImage(width, height, TestColor); }
inline void SendControlKey(int n, WPARAM key) { SendControlKey(image_windows[n].window, key); }
// Sends a menu command to image window n, as a menu choice posts it.
inline void SendCommand(int n, int id) {
  SendMessageW(image_windows[n].window, WM_COMMAND, static_cast<WPARAM>(id), 0);
}
std::vector<uint8_t> SurfaceBytesOf(int number);
std::string CaptionOf(int number);
// The window's client area is exactly its slot's view.
void ExpectClientIsView(int number);

// ---- text windows ----------------------------------------------------------------
void CloseAllTextWindows();
// Closes every text window, then opens `number` with the given client size.
TextWindow& OpenFreshTextWindow(int number, int width = -1, int height = -1, int x = 40,
                                int y = 40);
// A copy of the back buffer as 0x00RRGGBB words, rows top-down.
struct BufferCopy {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
BufferCopy CopyBackBuffer(const TextWindow& t);
BufferCopy CopyShownText(const TextWindow& t);  // the window's client area as shown
bool AreaHasInk(const BufferCopy& copy, int x, int y, int width, int height);
bool CellHasInk(const BufferCopy& copy, const TextWindow& t, int column, int line);
// Whether the first `lines` lines of text window `number` look exactly like
// `text` printed into a fresh window of the same size (and hold ink).
bool ShowsPrinted(int number, const char* text, int lines);
// Types `answer` and Enter into text window 0's prompt once it waits; waits until it is taken.
bool AnswerPrompt(const char* answer);
