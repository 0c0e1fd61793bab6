// The command console: one "Cmd>" line in the current text window, read and
// carried out once. Worker thread only.
#include <cstring>

#include "textwin/textwin.h"

namespace zul {

namespace {

void ConsoleExit() {
  ForwardKeyToMainWindow(VK_ESCAPE, 0);
  Sleep(1);
}

void ConsoleStart() { ForwardKeyToMainWindow('S', 0); }

void ConsoleHelp() { ZUL_Printf("Command list:exit help start ver color\n"); }

void ConsoleVersion() {
  if (TextWindow* t = CurrentLiveTextWindow()) PostCommandToWindow(t->window, kTextCmdAbout);
}

void ConsoleColor() {
  ZUL_Printf("Red  :%3d\n", static_cast<int>((draw_color >> 16) & 0xFF));
  ZUL_Printf("Green:%3d\n", static_cast<int>((draw_color >> 8) & 0xFF));
  ZUL_Printf("Blue :%3d\n", static_cast<int>(draw_color & 0xFF));
  ZUL_Printf("zul_tttc=%06x\n", static_cast<unsigned>(zul_tttc));
  ZUL_Printf("zul_tc=%06x\n", static_cast<unsigned>(zul_tc));
}

struct ConsoleCommand {
  const char* word;
  void (*run)();
};

// Compared in this order, each with the whole line.
const ConsoleCommand kConsoleCommands[] = {
    {"exit", ConsoleExit},   {"start", ConsoleStart}, {"help", ConsoleHelp},
    {"ver", ConsoleVersion}, {"color", ConsoleColor},
};

}  // namespace

}  // namespace zul

using namespace zul;

int ZUL_RunCommandConsole() {
  char line[kPromptLineBytes];
  PromptLine(line, "Cmd>");
  for (const ConsoleCommand& command : kConsoleCommands) {
    if (std::strcmp(line, command.word) == 0) {
      command.run();
      return 0;
    }
  }
  ZUL_Printf("Invalid command\n");
  return 1;
}
