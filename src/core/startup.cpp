// Start-up and shutdown of the process.
#include "core/core.h"

#include <gdiplus.h>

#include <cwchar>

#include "boxes/boxes.h"
#include "imagewin/imagewin.h"
#include "mainwin/mainwin.h"
#include "surfaces/surfaces.h"
#include "textwin/textwin.h"

// Written by start-up on the main window thread before the worker thread
// starts (the directories, the clock factor and the display depth), read by
// both threads afterwards.
HINSTANCE zul_instance;
HWND main_window;
HWND status_label;
HMENU main_menu_bar;
ULONG_PTR gdiplus_token;
double ms_factor = 1.0;
int bits_per_pixel;
HANDLE worker_thread;

wchar_t load_directory_w[kPathUnits];
char load_directory[kPathUnits];
wchar_t save_directory_w[kPathUnits];
char save_directory[kPathUnits];
wchar_t log_directory_w[kPathUnits];
char log_directory[kPathUnits];

// Worker thread: the colour dialog's custom colours, the input's recall line,
// the TrueType font and the text drawing state.
COLORREF custom_colors[16];
wchar_t last_input[256];

HFONT tt_font;
int tt_cell_width = 8;
int tt_cell_height = 16;
uint32_t zul_tc = 0;
uint32_t zul_tttc = 0xFFFFFF;
int text_x, text_y, text_left;

// Set by whichever thread waits for a line (the worker, or the main window
// thread in its prompts) or for a point (the worker); both threads read them.
std::atomic<int32_t> text_input_pending{0};
std::atomic<int32_t> point_tool_active{0};

namespace {

struct WindowClassEntry {
  const wchar_t* name;
  WNDPROC procedure;
  UINT style;
  HBRUSH background;
};

bool RegisterFrameworkClass(const WindowClassEntry& entry) {
  WNDCLASSW wc = {};
  wc.style = entry.style;
  wc.lpfnWndProc = entry.procedure;
  wc.hInstance = zul_instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = entry.background;
  wc.lpszClassName = entry.name;
  return RegisterClassW(&wc) != 0;
}

void RecordDirectories() {
  GetCurrentDirectoryW(kPathUnits, load_directory_w);
  WideToAnsi(load_directory_w, load_directory, kPathUnits);
  GetCurrentDirectoryW(kPathUnits, save_directory_w);
  WideToAnsi(save_directory_w, save_directory, kPathUnits);
  wchar_t current[kPathUnits];
  GetCurrentDirectoryW(kPathUnits, current);
  MakeLogDirectory(current, log_directory_w, kPathUnits);
  WideToAnsi(log_directory_w, log_directory, kPathUnits);
}

HFONT CreateTextDrawingFont() {
  return CreateFontW(tt_cell_height, tt_cell_width, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF");
}

}  // namespace

void MakeLogDirectory(const wchar_t* dir, wchar_t* out, int capacity) {
  if (capacity <= 0) return;
  std::wcsncpy(out, dir, static_cast<size_t>(capacity - 1));
  out[capacity - 1] = 0;
  size_t length = std::wcslen(out);
  if ((length == 0 || out[length - 1] != L'\\') && length + 1 < static_cast<size_t>(capacity)) {
    out[length] = L'\\';
    out[length + 1] = 0;
  }
}

int ZulInitialize(HINSTANCE instance) {
  Gdiplus::GdiplusStartupInput input;  // version 1, no callback, no suppression
  Gdiplus::GdiplusStartup(&gdiplus_token, &input, nullptr);

  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  ms_factor = 1000.0 / static_cast<double>(frequency.QuadPart);

  ClearImageTable();
  ClearTextTable();
  zul_instance = instance;
  RecordDirectories();
  for (COLORREF& c : custom_colors) c = 0;
  last_input[0] = 0;

  HBRUSH button_face = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  const WindowClassEntry classes[] = {
      {L"zul_mw", MainWindowProc, CS_CLASSDC, button_face},
      {L"zul_iw", ImageWindowProc, CS_OWNDC, black},
      {L"zul_twi", TextWindowProc, CS_OWNDC, black},
      {L"zul_ib", InputBoxProc, CS_OWNDC | CS_DBLCLKS, button_face},
      {L"zul_bb", ButtonBoxProc, CS_OWNDC | CS_DBLCLKS, button_face},
  };
  for (const WindowClassEntry& entry : classes) {
    if (!RegisterFrameworkClass(entry)) return 1;
  }
  return 0;
}

int ZulMain(HINSTANCE instance) {
  if (ZulInitialize(instance) != 0) return 1;

  CreateMainWindow();

  tt_font = CreateTextDrawingFont();
  zul_tttc = 0xFFFFFF;
  text_x = text_y = text_left = 0;

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }

  DeleteObject(tt_font);
  DestroyMenu(main_menu_bar);
  Gdiplus::GdiplusShutdown(gdiplus_token);
  return 0;
}
