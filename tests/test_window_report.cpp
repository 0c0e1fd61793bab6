// Window Info.: the printed report (read back from the receiving window's log
// and back buffer) and the generated source (from the clipboard), replayed to
// recreate the layout. Windows live on the test thread.
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstdarg>
#include <cstdio>
#include <sstream>
#include <string>
#include <thread>

#include "boxes/boxes.h"
#include "surfaces/surfaces.h"
#include "textmenu_test_util.h"

namespace {

const std::string kSaved932 =
    "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xC9\x83\x8C\x83\x43\x83\x41"
    "\x83\x45\x83\x67\x8D\xEC\x90\xAC\x83\x5C\x81\x5B\x83\x58\x83\x8A\x83\x58\x83\x67\x82\xF0"
    "\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x44\r\n";
const std::string kStars = std::string(34, '*') + "\r\n";

std::string Format(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

RECT Outer(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

void CloseEverything() {
  for (int n = 0; n < 256; ++n) {
    ZUL_CloseTextWindow(n);
    ZUL_DestroyImage(n);
  }
  ZUL_DestroyButtonBox();
}

// Text window 1 (receiving, logging), text window 4, images 5 and 7, a 2 x 2
// button box with captions "a" and "b\nc".
void OpenKnownLayout() {
  CloseEverything();
  ResetLogs();
  ZUL_OpenTextWindow(4, 500, 60, 300, 200);
  ZUL_OpenTextWindow(1, 20, 20, 420, 420);
  ZUL_StartLog(1);
  ZUL_CreateImage(5, "pic", 460, 300, 256, 96, 50);
  ZUL_CreateImage8(7, "g", 560, 300, 120, 40, 100);
  ZUL_OpenButtonBox(600, 420, 2, 2);
  ZUL_SetButtonBoxTitle(0, "a");
  ZUL_SetButtonBoxTitle(1, "b\nc");
  PumpFor(30);
}

void RunReport(int number) { SendMessageW(text_windows[number].window, WM_COMMAND, 1045, 0); }

// Recreates the layout a fragment describes with the calls it names.
void Replay(const std::string& fragment) {
  std::istringstream lines(fragment);
  std::string line;
  while (std::getline(lines, line)) {
    char name[64] = {}, text[300] = {};
    int v[7] = {};
    const char* l = line.c_str();
    if (sscanf(l, "\tZUL_CreateImage%[8](%d,\"%[^\"]\",%d,%d,%d,%d,%d", name, &v[0], text, &v[1],
               &v[2], &v[3], &v[4], &v[5]) == 8) {
      ZUL_CreateImage8(v[0], text, v[1], v[2], v[3], v[4], v[5]);
    } else if (sscanf(l, "\tZUL_CreateImage(%d,\"%[^\"]\",%d,%d,%d,%d,%d", &v[0], text, &v[1],
                      &v[2], &v[3], &v[4], &v[5]) == 7) {
      ZUL_CreateImage(v[0], text, v[1], v[2], v[3], v[4], v[5]);
    } else if (sscanf(l, "\tZUL_OpenTextWindow(%d,%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3],
                      &v[4]) == 5) {
      ZUL_OpenTextWindow(v[0], v[1], v[2], v[3], v[4]);
    } else if (sscanf(l, "\tZUL_OpenButtonBox(%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3]) == 4) {
      ZUL_OpenButtonBox(v[0], v[1], v[2], v[3]);
    } else if (sscanf(l, "\tZUL_ResizeButtonBox(%d,%d", &v[0], &v[1]) == 2) {
      ZUL_ResizeButtonBox(v[0], v[1]);
    } else if (sscanf(l, "\tZUL_SetButtonBoxTitle(%d,\"%[^\"]\"", &v[0], text) == 2) {
      std::string caption = text;
      for (size_t at; (at = caption.find("\\n")) != std::string::npos;) caption.replace(at, 2, "\n");
      ZUL_SetButtonBoxTitle(v[0], caption.c_str());
    } else {
      EXPECT_TRUE(line.substr(0, 3) == "\t//" || line == "\tZUL_SetForeground(ZULMAINWINDOW);")
          << "unexpected line " << line;
    }
  }
  PumpFor(30);
}

// Whether a pixel of the cell shows `colour`, at full strength or dimmed
// (the font's glyph edges are shaded).
bool CellHasColour(const TextWindow& t, int column, int line, uint32_t colour) {
  BufferCopy copy = CopyBackBuffer(t);
  auto channel = [](uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
  int strongest = std::max({channel(colour, 16), channel(colour, 8), channel(colour, 0)});
  for (int y = line * t.char_height; y < (line + 1) * t.char_height; ++y) {
    for (int x = column * t.char_width; x < (column + 1) * t.char_width; ++x) {
      uint32_t p = copy.at(x, y);
      int level = std::max({channel(p, 16), channel(p, 8), channel(p, 0)});
      bool same_hue = level > 0;
      for (int shift : {16, 8, 0}) {
        same_hue &= std::abs(channel(p, shift) * strongest - channel(colour, shift) * level) <=
                    2 * strongest;
      }
      if (same_hue) return true;
    }
  }
  return false;
}

}  // namespace

TEST(WindowReport, KnownLayoutPrintsItsLinesAndCopiesSourceThatRecreatesIt) {
  InitializeFrameworkForTests();
  OpenKnownLayout();
  ZUL_PushTextColor(0x123456, 0x654321);
  RunReport(1);
  RECT t1 = Outer(text_windows[1].window), t4 = Outer(text_windows[4].window);
  RECT i5 = Outer(image_windows[5].window), i7 = Outer(image_windows[7].window);
  RECT bb = Outer(ButtonBoxWindow()), client = {};
  GetClientRect(ButtonBoxWindow(), &client);
  EXPECT_EQ(FileBytes(LogPath(1)),
            "******* Window information *******\r\n[Image Window]\r\n" +
                Format(" 5 F 'pic' X:%d Y:%d W:256 H:96 ZM:50%%\r\n", i5.left, i5.top) +
                Format(" 7 8 'g' X:%d Y:%d W:120 H:40 ZM:100%%\r\n", i7.left, i7.top) +
                "[Text Window]\r\n" +
                Format(" 1 X:%d Y:%d W:420 H:420\r\n 4 X:%d Y:%d W:300 H:200\r\n", t1.left,
                       t1.top, t4.left, t4.top) +
                "[Button Box]\r\n" +
                Format(" X:%d Y:%d NX:2 NY:2 SIZE:%dx%d\r\n", bb.left, bb.top, client.right,
                       client.bottom) +
                kStars + kSaved932);
  std::string fragment = ClipboardText();
  EXPECT_EQ(fragment,
            "\t// ZULLIB --- Automatic Source Generator\n\t// [Image Window]\n" +
                Format("\tZUL_CreateImage(5,\"pic\",%d,%d,256,96,50);\n", i5.left, i5.top) +
                Format("\tZUL_CreateImage8(7,\"g\",%d,%d,120,40,100);\n", i7.left, i7.top) +
                "\t// [Text Window]\n" +
                Format("\tZUL_OpenTextWindow(1,%d,%d,420,420);\n", t1.left, t1.top) +
                Format("\tZUL_OpenTextWindow(4,%d,%d,300,200);\n", t4.left, t4.top) +
                "\t// [Button Box]\n" + Format("\tZUL_OpenButtonBox(%d,%d,2,2);\n", bb.left, bb.top) +
                Format("\tZUL_ResizeButtonBox(%d,%d);\n", client.right, client.bottom) +
                "\tZUL_SetButtonBoxTitle(0,\"a\");\n\tZUL_SetButtonBoxTitle(1,\"b\\nc\");\n"
                "\tZUL_SetButtonBoxTitle(2,\"2\");\n\tZUL_SetButtonBoxTitle(3,\"3\");\n"
                "\tZUL_SetForeground(ZULMAINWINDOW);\n");
  // Colours of the header, a heading, the flag and the confirmation's cells;
  // the window's own colours back after the report (and a second one).
  const TextWindow& t = text_windows[1];
  EXPECT_TRUE(CellHasColour(t, 0, 0, 0xFFFF00));
  EXPECT_TRUE(CellHasColour(t, 0, 1, 0x00FF00));
  EXPECT_TRUE(CellHasColour(t, 3, 2, 0x0080FF));
  EXPECT_TRUE(CellHasColour(t, 0, 10, 0x000080));
  RunReport(1);
  EXPECT_EQ(t.text_colour, 0x123456u);
  EXPECT_EQ(t.back_colour, 0x654321u);

  CloseEverything();
  Replay(fragment);
  ZUL_SelectTextWindow(4);
  RunReport(1);
  EXPECT_EQ(ClipboardText(), fragment);
  EXPECT_EQ(current_text_window, 1);
}

TEST(WindowReport, NoImagesAndABusyClipboard) {
  InitializeFrameworkForTests();
  CloseEverything();
  ResetLogs();
  ZUL_OpenTextWindow(2, 30, 30, 300, 300);
  ZUL_StartLog(2);
  SetClipboardText("keep");
  std::atomic<int> holding{0};
  std::thread holder([&] {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr,
                                 nullptr);
    OpenClipboard(owner);
    holding = 1;
    while (holding == 1) Sleep(5);
    CloseClipboard();
    DestroyWindow(owner);
  });
  while (holding == 0) Sleep(5);
  RunReport(2);
  holding = 2;
  holder.join();
  RECT r = Outer(text_windows[2].window);
  EXPECT_EQ(FileBytes(LogPath(2)), "******* Window information *******\r\n[Text Window]\r\n" +
                                       Format(" 2 X:%d Y:%d W:300 H:300\r\n", r.left, r.top) +
                                       kStars);
  EXPECT_EQ(ClipboardText(), "keep");
}

TEST(WindowReport, LayoutsBeyondThirtyThousandBytesAreCopiedWhole) {
  InitializeFrameworkForTests();
  CloseEverything();
  ZUL_OpenTextWindow(0, 30, 30, 300, 100);
  std::string expected;
  for (int i = 0; i < 131; ++i) {
    std::string title(i == 130 ? 600 : 250, static_cast<char>('a' + i % 26));
    ASSERT_EQ(ZUL_CreateImage(i, title.c_str(), 10, 10, 1, 1, 100), 0);
    RECT r = Outer(image_windows[i].window);
    expected += Format("\tZUL_CreateImage(%d,\"%s\",%d,%d,1,1,%d);\n", i, title.c_str(), r.left,
                       r.top, image_windows[i].zoom);
  }
  RunReport(0);
  std::string fragment = ClipboardText();
  EXPECT_GT(fragment.size(), 30000u);
  EXPECT_NE(fragment.find(expected), std::string::npos);
  const std::string last = "\tZUL_SetForeground(ZULMAINWINDOW);\n";
  EXPECT_EQ(fragment.substr(fragment.size() - last.size()), last);
  CloseEverything();
}
