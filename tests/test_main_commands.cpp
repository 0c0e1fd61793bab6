// Whole-program scenarios of the main window's commands: the popup menu,
// Ctrl+V paste of a clipboard picture, dropped files, and the prompts of the
// Image Window, Text Window, Input Box, Button Box and Window Info commands.
#include <gtest/gtest.h>

#include <atomic>

#include "boxes/boxes.h"
#include "main_commands_test_util.h"
#include "textwin_test_util.h"

namespace {

void Nothing() {}

// Waits until the main window has finished its creation and its loop takes
// posted messages.
void WaitForMainLoop() {
  ASSERT_TRUE(WaitUntil([] { return worker_thread != nullptr; }));
  RunOnMainThreadAndWait([] {});
}

// Sends Ctrl+V to the main window on its own thread, with Ctrl held in that
// thread's keyboard state.
void PressControlV() {
  RunOnMainThreadAndWait([] {
    HoldControlKey(true);
    SendMessageW(main_window, WM_KEYDOWN, 'V', 1);
    HoldControlKey(false);
  });
}

// Runs the popup of a right click and reads it while it is shown; closes it.
HMENU ShownPopupCopy(UINT message, int* items, UINT states[kMainPopupItems]) {
  PostMessageW(main_window, message, 0, 0);
  HWND popup = nullptr;
  WaitUntil([&] { return (popup = VisiblePopupMenu()) != nullptr; }, 3000);
  if (!popup) return nullptr;
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  *items = GetMenuItemCount(menu);
  for (int pos = 0; pos < kMainPopupItems; ++pos) states[pos] = GetMenuState(menu, pos, MF_BYPOSITION);
  PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  WaitUntil([] { return VisiblePopupMenu() == nullptr; }, 3000);
  return menu;
}

constexpr int kGreyedPositions[] = {0, 2, 6, 7, 8, 9, 11};

std::atomic<int> release_app{0};

void RunUntilReleased() {
  while (!release_app && quit_state == 0) {
    Sleep(1);
    PumpWorkerMessages();
  }
}

void CreateTwoImageWindows() {
  ZUL_CreateImage(0, "zero", -1, -1, 16, 16, 100);
  ZUL_CreateImage(1, "one", -1, -1, 16, 16, 100);
}

}  // namespace

// ---- popup menu ------------------------------------------------------------------

TEST(MainPopup, RightClickShowsTheMenuButNotWhileAPointToolWaits) {
  int code = RunScenario(Nothing, Nothing, [] {
    int items = 0;
    UINT states[kMainPopupItems] = {};
    ASSERT_NE(ShownPopupCopy(WM_RBUTTONDOWN, &items, states), nullptr);
    EXPECT_EQ(items, kMainPopupItems);
    for (int pos : kGreyedPositions) EXPECT_EQ(states[pos] & MF_GRAYED, 0u) << pos;
    ASSERT_NE(ShownPopupCopy(WM_NCRBUTTONDOWN, &items, states), nullptr);
    EXPECT_EQ(items, kMainPopupItems);

    point_tool_active = 1;
    PostMessageW(main_window, WM_RBUTTONDOWN, 0, 0);
    PostMessageW(main_window, WM_NCRBUTTONDOWN, 0, 0);
    PumpFor(400);
    EXPECT_EQ(VisiblePopupMenu(), nullptr);
    point_tool_active = 0;
  });
  EXPECT_EQ(code, 0);
}

TEST(MainPopup, WhileTheApplicationRunsOnlyStopAndExitAreEnabled) {
  release_app = 0;
  int code = RunScenario(Nothing, RunUntilReleased, [] {
    PostMainCommand(kCmdStart);
    ASSERT_TRUE(WaitUntil([] { return running != 0; }));
    int items = 0;
    UINT states[kMainPopupItems] = {};
    ASSERT_NE(ShownPopupCopy(WM_RBUTTONDOWN, &items, states), nullptr);
    ASSERT_EQ(items, kMainPopupItems);
    for (int pos : kGreyedPositions) {
      EXPECT_EQ(states[pos] & (MF_GRAYED | MF_DISABLED), static_cast<UINT>(MF_GRAYED | MF_DISABLED))
          << pos;
    }
    EXPECT_EQ(states[3] & MF_GRAYED, 0u);  // Stop
    EXPECT_EQ(states[4] & MF_GRAYED, 0u);  // Exit
    release_app = 1;
    ASSERT_TRUE(WaitUntil([] { return running == 0; }));
    ASSERT_NE(ShownPopupCopy(WM_RBUTTONDOWN, &items, states), nullptr);
    for (int pos : kGreyedPositions) EXPECT_EQ(states[pos] & MF_GRAYED, 0u) << pos;
  });
  EXPECT_EQ(code, 0);
}

TEST(MainPopup, WhileAPromptAwaitsALineTheCommandsAreGreyed) {
  int code = RunScenario(Nothing, Nothing, [] {
    PostMainCommand(kCmdTextWindow);
    ASSERT_TRUE(WaitUntil([] { return text_windows[0].in_use != 0; }));
    PostMainCommand(kCmdButtonBox);
    ASSERT_TRUE(WaitUntil([] { return text_input_pending != 0; }));
    int items = 0;
    UINT states[kMainPopupItems] = {};
    ASSERT_NE(ShownPopupCopy(WM_RBUTTONDOWN, &items, states), nullptr);
    for (int pos : kGreyedPositions) EXPECT_TRUE(states[pos] & MF_GRAYED) << pos;
    EXPECT_TRUE(AnswerPrompt("1"));
    EXPECT_TRUE(AnswerPrompt("1"));
  });
  EXPECT_EQ(code, 0);
}

// ---- paste ---------------------------------------------------------------------------

TEST(MainPaste, ControlVOpensTheClipboardPictureAsWindow000) {
  int before = -1, after = -1;
  int code = RunScenario(Nothing, Nothing, [&] {
    SetClipboardPattern(300, 200, 11);
    before = current_image;
    PressControlV();
    EXPECT_TRUE(WaitUntil([] { return ShowsPattern(0, 300, 200, 11); }));
    EXPECT_EQ(ImageTitle(0), "000");
    EXPECT_EQ(image_windows[0].bits, 32);
    WaitUntil([&] { return current_image == before; });
    after = current_image;

    // With 000 in use the next paste opens 001.
    SetClipboardPattern(40, 30, 99);
    PostMainCommand(kCmdPaste);
    EXPECT_TRUE(WaitUntil([] { return ShowsPattern(1, 40, 30, 99); }));
    EXPECT_EQ(ImageTitle(1), "001");
    EXPECT_TRUE(ShowsPattern(0, 300, 200, 11));
    ClearClipboard();
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(after, before);  // the current image window is the one before the paste
}

TEST(MainPaste, NothingWithoutAPictureOrWhileTheApplicationRuns) {
  release_app = 0;
  int code = RunScenario(Nothing, RunUntilReleased, [] {
    WaitForMainLoop();
    ClearClipboard();
    PostMainCommand(kCmdPaste);
    RunOnMainThreadAndWait([] {});  // the paste has been handled
    PumpFor(100);
    EXPECT_FALSE(image_windows[0].in_use);

    SetClipboardPattern(20, 10, 5);
    PostMainCommand(kCmdStart);
    ASSERT_TRUE(WaitUntil([] { return running != 0; }));
    PressControlV();
    PumpFor(300);
    release_app = 1;
    ASSERT_TRUE(WaitUntil([] { return running == 0; }));
    PumpFor(300);
    EXPECT_FALSE(image_windows[0].in_use);  // ignored, not postponed
    ClearClipboard();
  });
  EXPECT_EQ(code, 0);
}

// ---- dropped files ---------------------------------------------------------------------

TEST(MainDrop, TwoFilesWhileZeroAndOneAreInUseOpenAsTwoAndThree) {
  std::wstring bmp = CurrentDirectoryPath(L"name.bmp");
  std::wstring png = CurrentDirectoryPath(L"other.png");
  int code = RunScenario(CreateTwoImageWindows, Nothing, [&] {
    ASSERT_TRUE(WaitUntil([] { return image_windows[1].in_use != 0; }));
    WriteBmp(bmp, 40, 30, 3);
    WritePng(png, 50, 20, 77);
    int before = current_image;
    PostMessageW(main_window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({bmp, png})), 0);
    EXPECT_TRUE(WaitUntil([] { return ShowsPattern(3, 50, 20, 77); }));
    EXPECT_TRUE(ShowsPattern(2, 40, 30, 3));
    EXPECT_EQ(ImageTitle(2), "002 name.bmp");
    EXPECT_EQ(ImageTitle(3), "003 other.png");
    EXPECT_EQ(ImageTitle(0), "zero");
    EXPECT_FALSE(image_windows[4].in_use);
    EXPECT_TRUE(WaitUntil([&] { return current_image == before; }));
  });
  EXPECT_EQ(code, 0);
  DeleteFileW(bmp.c_str());
  DeleteFileW(png.c_str());
}

TEST(MainDrop, NumberSearchContinuesAcrossTheFilesAndSkipsUnreadableOnes) {
  std::wstring a = CurrentDirectoryPath(L"a.bmp");
  std::wstring bad = CurrentDirectoryPath(L"bad.bmp");
  std::wstring b = CurrentDirectoryPath(L"b.bmp");
  std::wstring c = CurrentDirectoryPath(L"c.bmp");
  std::wstring missing = CurrentDirectoryPath(L"missing.bmp");
  int code = RunScenario(
      [] {
        ZUL_CreateImage(0, "zero", -1, -1, 16, 16, 100);
        ZUL_CreateImage(2, "two", -1, -1, 16, 16, 100);
      },
      Nothing, [&] {
        ASSERT_TRUE(WaitUntil([] { return image_windows[2].in_use != 0; }));
        WriteBmp(a, 10, 10, 1);
        WriteText(bad, "this is not a picture");
        WriteBmp(b, 12, 8, 2);
        WriteBmp(c, 8, 12, 3);
        PostMessageW(main_window, WM_DROPFILES,
                     reinterpret_cast<WPARAM>(MakeDrop({a, bad, missing, b, c})), 0);
        EXPECT_TRUE(WaitUntil([] { return ShowsPattern(4, 8, 12, 3); }));
        EXPECT_TRUE(ShowsPattern(1, 10, 10, 1));
        EXPECT_TRUE(ShowsPattern(3, 12, 8, 2));
        EXPECT_EQ(ImageTitle(1), "001 a.bmp");
        EXPECT_EQ(ImageTitle(2), "two");
        EXPECT_EQ(ImageTitle(3), "003 b.bmp");
        EXPECT_EQ(ImageTitle(4), "004 c.bmp");
        EXPECT_FALSE(image_windows[5].in_use);
        // Drops are accepted again and a new drop searches from 0 once more.
        PostMessageW(main_window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({a})), 0);
        EXPECT_TRUE(WaitUntil([] { return ShowsPattern(5, 10, 10, 1); }));
      });
  EXPECT_EQ(code, 0);
  for (const std::wstring& f : {a, bad, b, c}) DeleteFileW(f.c_str());
}

TEST(MainDrop, AFileNamedOutsideTheAnsiCodePageStillLoads) {
  // "画像" (picture) and a Greek word: not both spellable in any one ANSI code page.
  std::wstring name = CurrentDirectoryPath(L"\x753B\x50CF\x03B5\x03B9\x03BA.bmp");
  int code = RunScenario(Nothing, Nothing, [&] {
    WriteBmp(name, 9, 7, 44);
    PostMessageW(main_window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({name})), 0);
    EXPECT_TRUE(WaitUntil([] { return ShowsPattern(0, 9, 7, 44); }));
    EXPECT_EQ(ImageTitle(0).substr(0, 4), "000 ");
  });
  EXPECT_EQ(code, 0);
  DeleteFileW(name.c_str());
}

TEST(MainDrop, NoDropArrivesWhileTheApplicationRuns) {
  release_app = 0;
  int code = RunScenario(Nothing, RunUntilReleased, [] {
    PostMainCommand(kCmdStart);
    ASSERT_TRUE(WaitUntil([] { return running != 0; }));
    PumpFor(50);
    EXPECT_FALSE(GetWindowLongW(main_window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    release_app = 1;
    ASSERT_TRUE(WaitUntil([] { return running == 0; }));
    EXPECT_TRUE(WaitUntil(
        [] { return (GetWindowLongW(main_window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; }));
  });
  EXPECT_EQ(code, 0);
}

// ---- prompts -----------------------------------------------------------------------------

namespace {

std::atomic<int> prompt_lines_match{-1};

// Prints what the Image Window prompt must have shown into text window 9 of
// the same size and compares the first lines pixel for pixel.
void CompareWithReferencePrint() {
  TextWindow& shown = text_windows[0];
  ZUL_OpenTextWindow(9, 500, 500, shown.width, shown.height);
  ZUL_Printf("Creating ImageWindow...\n Width=64\nHeight=48\nBit[32 or 8]=16\n");
  BufferCopy a = CopyBackBuffer(shown);
  BufferCopy b = CopyBackBuffer(text_windows[9]);
  int match = 1;
  for (int row = 0; row < 5 * shown.char_height && row < a.height; ++row) {
    if (!RowsEqual(a, row, b, row)) match = 0;
  }
  if (!AreaHasInk(a, 0, 0, a.width, shown.char_height)) match = 0;
  prompt_lines_match = match;
  ZUL_CloseTextWindow(9);  // text window 0 is current again
}

}  // namespace

TEST(MainPrompts, ImageWindowAnswered16CreatesNothingAnd8CreatesAnImage) {
  prompt_lines_match = -1;
  int code = RunScenario(Nothing, CompareWithReferencePrint, [] {
    PostMainCommand(kCmdImageWindow);
    ASSERT_TRUE(AnswerPrompt("64"));
    EXPECT_TRUE(text_windows[0].in_use);  // the prompt opened text window 0
    ASSERT_TRUE(AnswerPrompt("48"));
    ASSERT_TRUE(AnswerPrompt("16"));
    PumpFor(300);
    for (int n = 0; n < kImageSlots; ++n) EXPECT_FALSE(image_windows[n].in_use) << n;

    PostMainCommand(kCmdStart);  // the reference print, on the worker
    EXPECT_TRUE(WaitUntil([] { return prompt_lines_match >= 0; }));
    EXPECT_EQ(prompt_lines_match, 1);
    ASSERT_TRUE(WaitUntil([] { return running == 0; }));

    PostMainCommand(kCmdImageWindow);
    ASSERT_TRUE(AnswerPrompt("64"));
    ASSERT_TRUE(AnswerPrompt("48"));
    ASSERT_TRUE(AnswerPrompt("8"));
    EXPECT_TRUE(WaitUntil([] { return image_windows[0].in_use != 0; }));
    EXPECT_EQ(image_windows[0].width, 64);
    EXPECT_EQ(image_windows[0].height, 48);
    EXPECT_EQ(image_windows[0].bits, 8);
    EXPECT_EQ(ImageTitle(0), "000");
  });
  EXPECT_EQ(code, 0);
}

TEST(MainPrompts, ImageWindowWithNonsenseAnswers) {
  int code = RunScenario(Nothing, Nothing, [] {
    // A width beyond any surface: nothing is created.
    PostMainCommand(kCmdImageWindow);
    ASSERT_TRUE(AnswerPrompt("99999999999999999999"));
    ASSERT_TRUE(AnswerPrompt("-5"));
    ASSERT_TRUE(AnswerPrompt("32"));
    PumpFor(300);
    for (int n = 0; n < kImageSlots; ++n) EXPECT_FALSE(image_windows[n].in_use) << n;
    // No digits read as 0, which makes the smallest window; a number is read
    // from the start of the line.
    PostMainCommand(kCmdImageWindow);
    ASSERT_TRUE(AnswerPrompt("abc"));
    ASSERT_TRUE(AnswerPrompt(""));
    ASSERT_TRUE(AnswerPrompt("32 bits please"));
    EXPECT_TRUE(WaitUntil([] { return image_windows[0].in_use != 0; }));
    EXPECT_EQ(image_windows[0].width, 1);
    EXPECT_EQ(image_windows[0].height, 1);
    EXPECT_EQ(image_windows[0].bits, 32);
    EXPECT_EQ(quit_state, 0);
  });
  EXPECT_EQ(code, 0);
}

TEST(MainPrompts, TextWindowOpensTheNextFreeNumber) {
  int code = RunScenario([] { ZUL_OpenTextWindow(0, 0, 0, 198, 198); }, Nothing, [] {
    ASSERT_TRUE(WaitUntil([] { return text_windows[0].in_use != 0; }));
    PostMainCommand(kCmdTextWindow);
    EXPECT_TRUE(WaitUntil([] { return text_windows[1].in_use != 0; }));
    PostMainCommand(kCmdTextWindow);
    EXPECT_TRUE(WaitUntil([] { return text_windows[2].in_use != 0; }));
    EXPECT_FALSE(text_windows[3].in_use);
    EXPECT_EQ(text_windows[0].width, 198);
  });
  EXPECT_EQ(code, 0);
}

TEST(MainPrompts, ButtonBoxPromptOpensTheGridAtTheCorner) {
  int code = RunScenario(Nothing, Nothing, [] {
    PostMainCommand(kCmdButtonBox);
    ASSERT_TRUE(AnswerPrompt("3"));
    ASSERT_TRUE(AnswerPrompt("4"));
    ASSERT_TRUE(WaitUntil([] { return ButtonBoxWindow() != nullptr; }));
    EXPECT_EQ(button_box.nx, 3);
    EXPECT_EQ(button_box.ny, 4);
    RECT outer;
    GetWindowRect(ButtonBoxWindow(), &outer);
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    // A second box replaces the first; a refused grid leaves none.
    PostMainCommand(kCmdButtonBox);
    ASSERT_TRUE(AnswerPrompt("17"));
    ASSERT_TRUE(AnswerPrompt("16"));
    EXPECT_TRUE(WaitUntil([] { return ButtonBoxWindow() == nullptr; }));
  });
  EXPECT_EQ(code, 0);
}

TEST(MainPrompts, InputBoxPromptCompletes) {
  int code = RunScenario(Nothing, Nothing, [] {
    PostMainCommand(kCmdInputBox);
    ASSERT_TRUE(AnswerPrompt("4"));
    EXPECT_TRUE(WaitUntil([] { return window_request.code == 0; }));
    // The main window takes the next command at once.
    PostMainCommand(kCmdTextWindow);
    EXPECT_TRUE(WaitUntil([] { return text_windows[1].in_use != 0; }));
  });
  EXPECT_EQ(code, 0);
}

TEST(MainPrompts, WindowInfoOpensTextWindowZeroWhenNoneIsCurrent) {
  int code = RunScenario(Nothing, Nothing, [] {
    PostMainCommand(kCmdWindowInfo);
    EXPECT_TRUE(WaitUntil([] { return text_windows[0].in_use != 0; }));
    EXPECT_FALSE(text_windows[1].in_use);
    PressControlV();  // unrelated key: nothing to paste, nothing happens
    RunOnMainThreadAndWait([] {
      HoldControlKey(true);
      SendMessageW(main_window, WM_KEYDOWN, 'W', 1);
      HoldControlKey(false);
    });
    PumpFor(200);
    EXPECT_FALSE(text_windows[1].in_use);
  });
  EXPECT_EQ(code, 0);
}

TEST(MainPrompts, ExitWhileAPromptWaitsEndsTheProgram) {
  int code = RunScenario(Nothing, Nothing, [] {
    PostMainCommand(kCmdImageWindow);
    ASSERT_TRUE(WaitUntil([] { return text_input_pending != 0; }));
    PostMainKey('X');
    EXPECT_TRUE(WaitUntil([] { return quit_state == 2; }));
  });
  EXPECT_EQ(code, 0);
  for (int n = 0; n < kImageSlots; ++n) EXPECT_FALSE(image_windows[n].in_use) << n;
}

TEST(MainPrompts, ExitWhileACommandWaitsForTheRunningApplicationEndsTheProgram) {
  release_app = 0;
  int code = RunScenario(Nothing, RunUntilReleased, [] {
    WaitForMainLoop();
    PostMainCommand(kCmdStart);
    ASSERT_TRUE(WaitUntil([] { return running != 0; }));
    // The request waits until the application returns, which Exit brings about.
    PostMainCommand(kCmdTextWindow);
    PumpFor(200);
    EXPECT_FALSE(text_windows[0].in_use);
    PostMainKey('X');
    EXPECT_TRUE(WaitUntil([] { return !IsWindow(main_window); }));
  });
  EXPECT_EQ(code, 0);
}
