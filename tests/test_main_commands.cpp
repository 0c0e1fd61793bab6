// Whole-program scenarios of the main window's commands: the popup menu, Ctrl+V paste, dropped
// files, the prompts of the window-making commands, and the keys the button box forwards.
#include <algorithm>

#include "test_support.h"

namespace {

// Sends a Ctrl key to the main window on its own thread.
void PressControl(WPARAM key) {
  RunOnMainThreadAndWait([key] { SendControlKey(main_window, key); });
}

void PutPatternOnClipboard(int width, int height, int seed) {
  PutDibOnClipboard(BmpBytes(width, height, 24, [seed](int x, int y) {
                      return PatternColor(x, y, seed);
                    }).substr(sizeof(BITMAPFILEHEADER)));
}

// Whether image window n holds the PatternColor picture of that size and seed.
bool ShowsPattern(int n, int width, int height, int seed) {
  const ImageWindow& w = image_windows[n];
  bool same = w.in_use && w.width == width && w.height == height && pixels[n];
  for (int i = 0; same && i < width * height; ++i)
    same = (pixels[n][i] & 0xFFFFFF) == PatternColor(i % width, i / width, seed);
  return same;
}
std::string ImageTitle(int n) {
  return image_windows[n].in_use && image_windows[n].title ? image_windows[n].title : "";
}
bool NoImageWindow() {
  return std::none_of(image_windows, image_windows + kImageSlots,
                      [](const auto& w) { return w.in_use; });
}

bool AcceptsDrops() { return GetWindowLongW(main_window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES; }

// Whether each command item of a right click's popup is greyed (closed again); {} if none came.
std::vector<bool> PopupGreyed(UINT message = WM_RBUTTONDOWN) {
  PostMessageW(main_window, message, 0, 0);
  HWND popup = nullptr;
  if (!WaitUntil([&] { return (popup = VisiblePopupMenu()) != nullptr; }, 3000)) return {};
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  std::vector<bool> greyed;
  for (int pos = 0; pos < GetMenuItemCount(menu); ++pos)
    if (!(GetMenuState(menu, pos, MF_BYPOSITION) & MF_SEPARATOR))
      greyed.push_back(GetMenuState(menu, pos, MF_BYPOSITION) & MF_GRAYED);
  PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  WaitUntil([] { return VisiblePopupMenu() == nullptr; }, 3000);
  return greyed;
}

// Paste, Start, Stop, Exit, Image Window, Text Window, Input Box, Button Box, Window Info.
const std::vector<bool> kIdle(9, false), kBusy = {true, true, false, false, true,
                                                  true, true, true,  true};

std::atomic<int> prompt_shown{-1};

// On the worker: the Image Window prompt, printed by the main window's thread,
// is what a user must see, and the window shows it.
void CheckPrintedPrompt() {
  const TextWindow& t = text_windows[0];
  bool on_screen = CopyShownText(t).pixels == CopyBackBuffer(t).pixels;
  const char* prompt = "Creating ImageWindow...\n Width=64\nHeight=48\nBit[32 or 8]=16\n";
  prompt_shown = on_screen && ShowsPrinted(0, prompt, 5);
}

}  // namespace

TEST(MainPopup, GreyedWhileBusyNoneForAPointToolAndPastesOnlyWhileIdle) {
  ExpectCleanExit(Nothing, RunUntilReleased, [] {
    ASSERT_TRUE(WaitUntil([] { return worker_thread != nullptr; }));
    EXPECT_EQ(PopupGreyed(), kIdle);
    EXPECT_EQ(PopupGreyed(WM_NCRBUTTONDOWN), kIdle);
    PutDibOnClipboard("");
    PostMainCommand(kCmdPaste);     // no picture: nothing
    RunOnMainThreadAndWait([] {});  // the paste has been handled
    PutPatternOnClipboard(20, 10, 5);
    StartHeldApplication();
    EXPECT_EQ(PopupGreyed(), kBusy);
    PressControl('V');
    PumpFor(300);
    EXPECT_FALSE(AcceptsDrops());
    release_app = 1;
    EXPECT_TRUE(WaitUntil(AcceptsDrops));
    EXPECT_EQ(PopupGreyed(), kIdle);
    EXPECT_FALSE(image_windows[0].in_use);  // the paste was ignored, not postponed
    PutPatternOnClipboard(300, 200, 11);
    int before = current_image;
    PressControl('V');
    EXPECT_TRUE(WaitUntil([] { return ShowsPattern(0, 300, 200, 11); }));
    EXPECT_TRUE(ImageTitle(0) == "000" && image_windows[0].bits == 32);
    EXPECT_TRUE(WaitUntil([&] { return current_image == before; }));  // the current one stays
    PutDibOnClipboard("");
    PostMainCommand(kCmdTextWindow);
    ASSERT_TRUE(WaitUntil([] { return text_windows[0].in_use != 0; }));
    PostMainCommand(kCmdButtonBox);
    ASSERT_TRUE(WaitUntil([] { return text_input_pending != 0; }));
    EXPECT_EQ(PopupGreyed(), kBusy);
    EXPECT_TRUE(AnswerPrompt("1") && AnswerPrompt("1"));
    point_tool_active = 1;
    PostMessageW(main_window, WM_RBUTTONDOWN, 0, 0);
    PostMessageW(main_window, WM_NCRBUTTONDOWN, 0, 0);
    PumpFor(400);
    EXPECT_EQ(VisiblePopupMenu(), nullptr);
    point_tool_active = 0;
  });
}

TEST(MainDrop, FilesOpenInTheNextFreeNumbersSkippingUnreadableOnesWhateverTheirNames) {
  std::vector<std::wstring> files;
  // The last: "画像" and a Greek word, not both spellable in any one ANSI code page.
  for (const wchar_t* name :
       {L"a.bmp", L"bad.bmp", L"missing.bmp", L"b.bmp", L"\x753B\x50CF\x03B5\x03B9\x03BA.bmp"})
    files.push_back(CurrentDirectoryPath(name));
  auto setup = [] {
    ZUL_CreateImage(0, "zero", -1, -1, 16, 16, 100), ZUL_CreateImage(2, "two", -1, -1, 16, 16, 100);
  };
  ExpectCleanExit(setup, Nothing, [&] {
    ASSERT_TRUE(WaitUntil([] { return image_windows[2].in_use != 0; }));
    for (auto [f, width, height, seed] : {std::tuple{0, 10, 10, 1}, {3, 50, 20, 77}, {4, 8, 12, 3}})
      WriteBmp(files[f], width, height, seed);
    WriteBytesToFile(files[1], "this is not a picture");
    int before = current_image;
    PostMessageW(main_window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(files)), 0);
    EXPECT_TRUE(WaitUntil([] { return ShowsPattern(4, 8, 12, 3); }));
    EXPECT_TRUE(ShowsPattern(1, 10, 10, 1) && ShowsPattern(3, 50, 20, 77));
    for (auto [n, title] : {std::pair{1, "001 a.bmp"}, {2, "two"}, {3, "003 b.bmp"}})
      EXPECT_EQ(ImageTitle(n), title);
    EXPECT_EQ(ImageTitle(4).substr(0, 4), "004 ");
    EXPECT_FALSE(image_windows[5].in_use);
    EXPECT_TRUE(WaitUntil([&] { return current_image == before; }));
    // Drops are accepted again; the search starts from 0 once more.
    PostMessageW(main_window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({files[0]})), 0);
    EXPECT_TRUE(WaitUntil([] { return ShowsPattern(5, 10, 10, 1); }));
  });
  for (const std::wstring& f : files) DeleteFileW(f.c_str());
}

TEST(MainPrompts, ImageWindowCreatesOnlyWithEightOrThirtyTwoBits) {
  ExpectCleanExit(Nothing, CheckPrintedPrompt, [] {
    PostMainCommand(kCmdImageWindow);
    for (const char* answer : {"64", "48", "16"}) ASSERT_TRUE(AnswerPrompt(answer));
    PumpFor(300);
    EXPECT_TRUE(NoImageWindow());
    PostMainCommand(kCmdStart);
    EXPECT_TRUE(WaitUntil([] { return prompt_shown >= 0; }) && prompt_shown == 1);
    ASSERT_TRUE(WaitUntil([] { return running == 0; }));
    PostMainCommand(kCmdImageWindow);  // a width beyond any surface: nothing
    for (const char* answer : {"99999999999999999999", "-5", "32"})
      ASSERT_TRUE(AnswerPrompt(answer));
    PumpFor(300);
    EXPECT_TRUE(NoImageWindow());
    PostMainCommand(kCmdImageWindow);  // no digits read as 0: the smallest window
    for (const char* answer : {"abc", "", "8 bits please"}) ASSERT_TRUE(AnswerPrompt(answer));
    EXPECT_TRUE(WaitUntil([] { return image_windows[0].in_use != 0; }));
    EXPECT_TRUE(image_windows[0].width == 1 && image_windows[0].bits == 8 &&
                ImageTitle(0) == "000");
  });
}

TEST(MainPrompts, TextWindowInputBoxButtonBoxAndWindowInfo) {
  ExpectCleanExit(
      [] { ZUL_OpenTextWindow(0, 0, 0, 198, 198); }, Nothing,
      [] {
        ASSERT_TRUE(WaitUntil([] { return text_windows[0].in_use != 0; }));
        HWND first = nullptr;
        // A new box replaces the old one; a refused grid leaves none.
        for (auto [columns, rows, count] :
             {std::tuple{"3", "2", 6}, {"1", "4", 4}, {"17", "16", 0}}) {
          PostMainCommand(kCmdButtonBox);
          ASSERT_TRUE(AnswerPrompt(columns) && AnswerPrompt(rows));
          EXPECT_TRUE(WaitUntil([&, count = count] {
            HWND box = ButtonBoxWindow();
            return window_request.code == 0 && (count ? box && box != first : !box);
          }));
          EXPECT_FALSE(IsWindow(first));
          if (!(first = ButtonBoxWindow())) continue;
          RECT outer = OuterRect(first);
          EXPECT_TRUE(outer.left == 0 && outer.top == 0 && button_box.count == count) << count;
          EXPECT_TRUE(button_box.nx == atoi(columns) && GetWindow(first, GW_OWNER) == main_window);
          EXPECT_NE(GetWindowThreadProcessId(first, nullptr), GetCurrentThreadId());
        }
        EXPECT_EQ(ButtonBoxWindow(), nullptr);
        PostMainCommand(kCmdInputBox);
        ASSERT_TRUE(AnswerPrompt("4"));
        ASSERT_TRUE(WaitUntil([] { return InputBoxWindow() && window_request.code == 0; }));
        EXPECT_EQ(InputBoxItemCount(), 4);
        EXPECT_TRUE(OuterRect(InputBoxWindow()).left == 0 && OuterRect(InputBoxWindow()).top == 0);
        PostMainCommand(kCmdTextWindow);  // the next free number; taken at once after the prompt
        EXPECT_TRUE(WaitUntil([] { return text_windows[1].in_use != 0; }));
        PressControl('W');  // Window Info prints into the current text window: no new one
        PumpFor(200);
        EXPECT_TRUE(!text_windows[2].in_use && text_windows[0].width == 198);
      });
}

TEST(MainPrompts, ExitWhileACommandWaitsForTheRunningApplicationEndsTheProgram) {
  ExpectCleanExit(Nothing, RunUntilReleased, [] {
    ASSERT_TRUE(WaitUntil([] { return worker_thread != nullptr; }));
    RunOnMainThreadAndWait([] {});
    StartHeldApplication();
    PostMainCommand(kCmdTextWindow);  // its request waits until the application returns
    PumpFor(200);
    EXPECT_FALSE(text_windows[0].in_use);
    PostMainKey('X');
    EXPECT_TRUE(WaitUntil([] { return !IsWindow(main_window); }));
  });
}

// The box forwards S, C and Esc to the main window; Esc while a prompt waits ends the program.
TEST(MainKeys, ButtonBoxForwardsSCAndEscapeAndWindowInfoOpensTextWindowZero) {
  static std::atomic<int32_t> app_main_calls{0};
  auto wait_for_stop = [] {  // as the application's button loop does
    app_main_calls++;
    while (!stop_requested && !quit_state) Sleep(1), PumpWorkerMessages();
  };
  ExpectCleanExit([] { ZUL_OpenButtonBox(200, 0, 2, 10); }, wait_for_stop,
                  [] {
                    ASSERT_TRUE(WaitUntil([] { return ButtonBoxWindow() != nullptr; }));
                    for (WPARAM key : {'S', 'C'}) {  // Start, then Stop
                      PostMessageW(ButtonBoxWindow(), WM_KEYDOWN, key, 0);
                      ASSERT_TRUE(WaitUntil([key] { return running == (key == 'S'); }));
                    }
                    PostMessageW(ButtonBoxWindow(), WM_KEYDOWN, 'A', 0);  // not forwarded
                    PostMainCommand(kCmdWindowInfo);  // no text window is current
                    EXPECT_TRUE(WaitUntil([] { return text_windows[0].in_use != 0; }));
                    PumpFor(200);
                    EXPECT_FALSE(text_windows[1].in_use);
                    PostMainCommand(kCmdImageWindow);
                    ASSERT_TRUE(WaitUntil([] { return text_input_pending != 0; }));
                    PostMessageW(ButtonBoxWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
                    EXPECT_TRUE(WaitUntil([] { return quit_state == 2; }));
                  });
  EXPECT_EQ(app_main_calls, 1);
  EXPECT_TRUE(NoImageWindow());
}
