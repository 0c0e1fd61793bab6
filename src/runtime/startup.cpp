// Start-up and shutdown of the process.
#include "runtime/runtime.h"

#include <gdiplus.h>

#include "boxes/boxes.h"
#include "imagewin/imagewin.h"
#include "mainwin/mainwin.h"
#include "surfaces/surfaces.h"
#include "textwin/textwin.h"

namespace zul {

namespace {

// Main window thread: GDI+ serves both threads from start-up to the end.
ULONG_PTR gdiplus_token;

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

}  // namespace

int ZulInitialize(HINSTANCE instance) {
  Gdiplus::GdiplusStartupInput input;  // version 1, no callback, no suppression
  Gdiplus::GdiplusStartup(&gdiplus_token, &input, nullptr);
  StartClock();
  ClearImageTable();
  ClearTextTable();
  zul_instance = instance;
  RecordDialogDirectories();
  RecordLogDirectory();
  SetSnapWindowGatherer(GatherSnapWindows);

  HBRUSH button_face = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  const WindowClassEntry classes[] = {
      {L"zul_mw", MainWindowProc, CS_CLASSDC, button_face},
      {L"zul_iw", ImageWindowProc, CS_OWNDC, black},
      {L"zul_twi", TextWindowProc, CS_OWNDC, black},
      {L"zul_ib", InputBoxProc, CS_OWNDC | CS_DBLCLKS, button_face},
      {L"zul_bb", ButtonBoxProc, CS_OWNDC | CS_DBLCLKS, button_face},
      {L"zul_pv", PresentationProc, 0, black},
  };
  for (const WindowClassEntry& entry : classes) {
    if (!RegisterFrameworkClass(entry)) return 1;
  }
  return 0;
}

int ZulMain(HINSTANCE instance) {
  if (ZulInitialize(instance) != 0) return 1;

  CreateMainWindow();
  MakeTrueTypeFont();

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }

  ReleaseTrueTypeFont();
  DestroyMainMenuBar();
  Gdiplus::GdiplusShutdown(gdiplus_token);
  return 0;
}

}  // namespace zul
