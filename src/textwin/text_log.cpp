// Log files of the text windows, kept per window number: start, pause, copy to
// the clipboard, the write of a logged text and the closing of every log at
// exit.
//
// The worker thread starts, pauses and copies logs (menu commands) and writes
// to them (printing, input); the main window thread may write too (its
// prompts print into text window 0) and closes the logs at Exit while the
// worker may still be printing. One lock therefore guards every write, close
// and reopen, and the state is re-checked inside it. No message box is shown
// while the lock is held. Every write is flushed, so a crash or a forced end
// of the process keeps each line that was printed before it.
#include "textwin/textwin.h"

#include <cstring>
#include <cwchar>

namespace zul {

std::atomic<int32_t> log_state[kTextSlots];  // changed under log_lock only
FILE* log_file[kTextSlots];                  // used under log_lock only
char log_directory[kPathUnits];              // written by start-up before the worker starts

namespace {

SRWLOCK log_lock = SRWLOCK_INIT;

// The buffer both name builders use; a name longer than kLogNameLimit bytes
// is refused rather than cut.
constexpr int kLogNameBytes = 520;
constexpr int kLogNameLimit = 255;

void LockLogs() { AcquireSRWLockExclusive(&log_lock); }
void UnlockLogs() { ReleaseSRWLockExclusive(&log_lock); }

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

void RecordLogDirectory() {
  wchar_t current[kPathUnits];
  GetCurrentDirectoryW(kPathUnits, current);
  wchar_t directory[kPathUnits];
  MakeLogDirectory(current, directory, kPathUnits);
  WideToAnsi(directory, log_directory, kPathUnits);
}

namespace {

// "<start-up directory>ZULLIB<n>.LOG" into `name`; false when it does not fit
// in kLogNameLimit bytes.
bool MakeLogFileName(int number, char (&name)[kLogNameBytes]) {
  int length = snprintf(name, sizeof name, "%sZULLIB%d.LOG", log_directory, number);
  return length > 0 && length <= kLogNameLimit;
}

FILE* OpenLogFile(int number, const char* mode) {
  char name[kLogNameBytes];
  if (!MakeLogFileName(number, name)) return nullptr;
  return fopen(name, mode);
}

void ShowCannotCreateLog() { MessageBoxW(nullptr, L"Can't create file for LOG!", L"Error", MB_OK); }

// What copying found: the file's bytes in a movable block (null when there
// was no memory), or that the file could not be opened.
struct LogCopy {
  bool opened;
  HGLOBAL block;
};

// Reads the whole file into a new block of its length + 1 bytes, terminated
// after the bytes really read. A length that cannot be read counts as a file
// that cannot be opened.
LogCopy ReadWholeFile(FILE* file) {
  LogCopy copy = {false, nullptr};
  if (fseek(file, 0, SEEK_END) != 0) return copy;
  long length = ftell(file);
  if (length < 0 || fseek(file, 0, SEEK_SET) != 0) return copy;
  copy.opened = true;
  copy.block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<SIZE_T>(length) + 1);
  if (!copy.block) return copy;
  char* bytes = static_cast<char*>(GlobalLock(copy.block));
  if (!bytes) {
    GlobalFree(copy.block);
    copy.block = nullptr;
    return copy;
  }
  size_t read = fread(bytes, 1, static_cast<size_t>(length), file);
  bytes[read] = 0;
  GlobalUnlock(copy.block);
  return copy;
}

// Closes the log of `number` (so that all of it is on disk), reads the file
// of that number and reopens the log for appending, all under the lock. A
// failed reopen leaves no file: later writes skip it.
LogCopy ReadLogForCopy(int number) {
  LockLogs();
  bool logging = log_state[number] != kNoLog;
  if (logging && log_file[number]) {
    fclose(log_file[number]);
    log_file[number] = nullptr;
  }
  LogCopy copy = {false, nullptr};
  if (FILE* file = OpenLogFile(number, "rb")) {
    copy = ReadWholeFile(file);
    fclose(file);
  }
  if (logging) log_file[number] = OpenLogFile(number, "a");
  UnlockLogs();
  return copy;
}

// Hands the block to the clipboard (which the caller holds open and has
// emptied). Returns whether it was taken; if not, the block is freed.
bool GiveTextToClipboard(HGLOBAL block) {
  if (SetClipboardData(CF_TEXT, block)) return true;
  GlobalFree(block);
  return false;
}

}  // namespace

void WriteTextLog(int number, const char* text) {
  if (!TextNumberValid(number) || log_state[number] != kLogging) return;
  LockLogs();
  FILE* file = log_file[number];
  if (log_state[number] == kLogging && file) {
    fwrite(text, 1, std::strlen(text), file);
    fflush(file);
  }
  UnlockLogs();
}

}  // namespace zul

using namespace zul;

int ZUL_StartLog(int number) {
  if (!TextWindowLive(number)) return 3;
  int result = 0;
  LockLogs();
  if (log_state[number] == kLogging) {
    result = 1;
  } else if (log_state[number] == kNoLog) {
    log_file[number] = OpenLogFile(number, "w");
    if (!log_file[number]) result = 2;
  } else if (!log_file[number]) {
    // Paused after a reopen failed: go on with the same file if it opens.
    log_file[number] = OpenLogFile(number, "a");
  }
  if (result == 0) log_state[number] = kLogging;
  UnlockLogs();
  if (result == 2) ShowCannotCreateLog();
  return result;
}

int ZUL_StopLog(int number) {
  if (!TextWindowLive(number)) return 2;
  LockLogs();
  int result = log_state[number] == kNoLog ? 1 : 0;
  if (result == 0) log_state[number] = kLogPaused;
  UnlockLogs();
  return result;
}

int ZUL_CopyLog(int number) {
  if (!TextWindowLive(number)) return 4;
  if (!OpenClipboard(nullptr)) return 1;
  LogCopy copy = ReadLogForCopy(number);
  int result = 0;
  if (!copy.opened) {
    result = 2;
  } else {
    EmptyClipboard();
    if (!copy.block) {
      result = 3;
    } else if (!GiveTextToClipboard(copy.block)) {
      result = 1;
    }
  }
  CloseClipboard();
  // The boxes come after the clipboard is closed, so that a box waiting for
  // the user does not keep other programs from the clipboard.
  if (result == 2) ZUL_Pause("Can't open LOG file!");
  if (result == 3) ZUL_Pause("No enough memory (copy log)");
  return result;
}

void ZUL_CloseAllLogs() {
  LockLogs();
  for (int n = 0; n < kTextSlots; ++n) {
    if (!text_windows[n].in_use || log_state[n] == kNoLog) continue;
    if (log_file[n]) fclose(log_file[n]);
    log_file[n] = nullptr;
    log_state[n] = kNoLog;
  }
  UnlockLogs();
}
