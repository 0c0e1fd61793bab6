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

// The application routines of a test program (programs built with the real
// application use its AppSetup / AppMain).
extern std::function<void()> test_app_setup;
extern std::function<void()> test_app_main;

void InitializeFrameworkForTests();  // start-up once per process, windows on this thread
// Polls `condition`, pumping this thread's messages, until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, int timeout_ms = 5000);
void PumpFor(int ms);

// Runs the whole program on this thread while `driver` runs on its own; when
// the driver returns with the program still up, it chooses Exit. Returns the exit code.
int RunScenario(std::function<void()> app_setup, std::function<void()> app_main,
                std::function<void()> driver);
void PostMainCommand(int id);
std::wstring MainStatusText();  // the main window's status field
// (Driver) Posts `key` to `window()` once it exists; whether the program then ended.
bool KeyEndsTheProgram(const std::function<HWND()>& window, WPARAM key);
void PostMainKey(WPARAM key);
// Runs `work` on the main window thread (without waiting / and waits).
void RunOnMainThread(std::function<void()> work);
void RunOnMainThreadAndWait(std::function<void()> work);
// Sets Ctrl in the key state GetKeyState reads on the thread owning `window`
// (this thread when null): posted key messages do not change it.
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
std::string Bmp24Bytes(int width, int height, const std::function<uint32_t(int, int)>& colour);
bool WriteBytesToFile(const std::wstring& path, const std::string& bytes);
// A 24-bit BMP file of the PatternColor picture of that size and seed.
inline void WriteBmp(const std::wstring& path, int width, int height, int seed) {
  ASSERT_TRUE(WriteBytesToFile(path, BmpBytes(width, height, 24, [seed](int x, int y) {
                                 return PatternColor(x, y, seed);
                               })));
}
std::string ReadFileBytes(const std::wstring& path);
std::wstring CurrentDirectoryPath(const wchar_t* name);
void PutDibOnClipboard(const std::string& dib);  // CF_DIB, or an empty clipboard for ""
// A real HDROP naming `files`, allocated in this process as the shell does.
HDROP MakeDrop(const std::vector<std::wstring>& files);
HWND VisiblePopupMenu();  // the visible popup menu of this process, or null

// ---- image windows ---------------------------------------------------------------
// Each test starts with the framework up and no image window open.
class ImageWindowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};
void DestroyAllImages();
// Creates window `number` (32 or 8 bits) at zoom 100 in the top left corner.
void MakeImage(int number, int width, int height, int bits = 32);
void FillImage(int width, int height, const std::function<uint32_t(int, int)>& colour);
inline void FillColor(int width, int height, uint32_t color) {
  FillImage(width, height, [color](int, int) { return color; });
}
inline void FillTestPicture(int width, int height) { FillImage(width, height, TestColor); }
// Sends a menu command to image window n, as a menu choice posts it.
inline void SendControlKey(int n, WPARAM key) { SendControlKey(image_windows[n].window, key); }
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
// Waits for a prompt's line input in text window 0, types `answer` and Enter,
// and waits until the line is taken.
bool AnswerPrompt(const char* answer);
