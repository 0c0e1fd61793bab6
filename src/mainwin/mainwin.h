// The main window: Start, Stop and Exit, its popup menu with the commands that
// create windows through the worker thread, the clipboard paste and dropped
// files. Everything here runs on the main window thread.
#pragma once

#include "runtime/runtime.h"

namespace zul {

constexpr int kMainWindowWidth = 240;

// ---- the window and run control (main_window.cpp) ---------------------------------
// The main window's outer rectangle before its drop animation.
RECT MainWindowStartRect();
// Creates the main window with its menu bar (which plays the drop animation
// and starts the worker thread), shows the display depth and accepts drops.
void CreateMainWindow();
// Shutdown: the menu bar outlives the main window until the message loop ends.
void DestroyMainMenuBar();
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
void StartCommand();
void StopCommand();
void RunExitSequence();

// ---- menus (main_menus.cpp) ------------------------------------------------------------
// Whether the commands that need the worker thread are greyed now: while the
// application runs or a text window waits for a line.
bool MainCommandsBusy();
// The popup menu as it is shown now (greyed items while busy); the caller
// destroys it.
HMENU BuildMainPopupMenu();
HMENU BuildMainMenuBar();  // Start, Stop and Exit
void ShowMainPopupMenu(HWND window);

// ---- commands (main_commands.cpp) and drops (main_drop.cpp) -----------------------------
void MainWindowCommand(HWND window, int id);  // ids other than Start / Stop / Exit
void PasteClipboardPicture();
void CreateImageWindowByPrompt();
void OpenNextTextWindow();
void OpenInputBoxByPrompt();
void OpenButtonBoxByPrompt();
void ShowWindowInfo();
void HandleMainWindowDrop(HDROP drop);

}  // namespace zul
