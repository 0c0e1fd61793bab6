// lenti-batch: the test bench's interlacers from the command line.
//
//   lenti-batch [options] [INPUT] OUTPUT.png
//
// Every error prints one line on stderr, exits with a non-zero code and
// leaves no output file. INPUT may be a sequence (a folder, or a numbered
// name such as frame%04d.png): every frame is written to its own output, a
// frame that cannot be read is said and skipped.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// GDI+ and the shell after the Windows headers.
#include <gdiplus.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <vector>

#include "batch/picture_file.h"
#include "batch/sequence.h"
#include "interlace/interlace.h"
#include "interlace/profile.h"

namespace {

constexpr int kExitError = 1;
constexpr int kExitUsage = 2;
constexpr int kErrorBytes = 256;
constexpr int kLargestRepeat = 10000;

const char kUsage[] =
    "usage: lenti-batch [options] [INPUT] OUTPUT.png\n"
    "  --size WxH            output size (800x480)\n"
    "  --slant P/Q|X         lens shift in sub-pixels per row (1)\n"
    "  --pitch X             lens pitch in sub-pixels (23.006)\n"
    "  --views N             views under one lens (2)\n"
    "  --pics N              pictures side by side in INPUT (2)\n"
    "  --quilt CxR           INPUT is a quilt of C x R tiles, view 0 top left\n"
    "  --gap N, --pos N      black sub-pixels at each strip's start; boundary shift\n"
    "  --aa 0|1              mix the views a sub-pixel straddles\n"
    "  --order rgb|bgr       the panel's sub-pixel order (rgb)\n"
    "  --offset X            lens phase in sub-pixels (0)\n"
    "  --pattern views|single:K|numbers   a chart instead of INPUT\n"
    "  --sweep START:STEP:COUNT           a pitch sweep sheet of COUNT bands\n"
    "  --interlacer classic|free          (classic unless a setting needs free)\n"
    "  --profile FILE        settings from a profile; later options override\n"
    "  --save-profile FILE   write the settings used to a profile\n"
    "  --dpi N               record N pixels per inch in the PNG\n"
    "  --repeat N            render N times and print the median time\n"
    "INPUT may be a folder of pictures or a numbered name (frame%04d.png): each frame\n"
    "goes to OUTPUT numbered the same way (out%04d.png) or into OUTPUT as a folder.\n";

struct Options {
  LentiSettings settings;
  bool interlacer_given = false;
  const wchar_t* save_profile = nullptr;
  int repeat = 1;
  std::vector<const wchar_t*> files;  // [INPUT] OUTPUT
};

// Prints "lenti-batch: <message>" on stderr; the exit code of an error.
__attribute__((format(printf, 1, 2))) int Error(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  std::fprintf(stderr, "lenti-batch: ");
  std::vfprintf(stderr, format, arguments);
  std::fprintf(stderr, "\n");
  va_end(arguments);
  return kExitError;
}

// The text of a wide argument (option values are plain ASCII when valid).
void Narrow(const wchar_t* wide, char* out, int bytes) {
  if (WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, bytes, nullptr, nullptr) <= 0) out[0] = 0;
}

// The setting an option sets, or null for the options handled on their own.
const char* SettingOfOption(const char* option) {
  static const char* const kSame[] = {"size",   "slant", "pitch",      "views", "pics",
                                      "quilt",  "gap",   "pos",        "aa",    "order",
                                      "offset", "sweep", "interlacer", "dpi"};
  if (std::strncmp(option, "--", 2) != 0) return nullptr;
  if (std::strcmp(option + 2, "pattern") == 0) return "chart";
  for (const char* key : kSame) {
    if (std::strcmp(option + 2, key) == 0) return key;
  }
  return nullptr;
}

// Reads the arguments into `options`; an exit code when they are wrong, else 0.
int ReadArguments(int argc, wchar_t** argv, Options* options) {
  char error[kErrorBytes];
  for (int i = 1; i < argc; ++i) {
    char option[64];
    Narrow(argv[i], option, sizeof option);
    if (argv[i][0] != L'-' || argv[i][1] == 0) {
      options->files.push_back(argv[i]);
      continue;
    }
    if (i + 1 >= argc) return Error("%s needs a value", option);
    const wchar_t* value_w = argv[++i];
    char value[256];
    Narrow(value_w, value, sizeof value);
    if (const char* key = SettingOfOption(option)) {
      if (!SetSetting(&options->settings, key, value, error, sizeof error)) {
        return Error("--%s", error);
      }
      if (std::strcmp(key, "interlacer") == 0) options->interlacer_given = true;
    } else if (std::strcmp(option, "--profile") == 0) {
      ProfileNotes notes = {false};
      if (!LoadProfile(value_w, &options->settings, &notes, error, sizeof error)) {
        return Error("profile %s: %s", value, error);
      }
      options->interlacer_given |= notes.interlacer_given;
    } else if (std::strcmp(option, "--save-profile") == 0) {
      options->save_profile = value_w;
    } else if (std::strcmp(option, "--repeat") == 0) {
      char* end = nullptr;
      long repeat = std::strtol(value, &end, 10);
      if (*value == 0 || *end != 0 || repeat < 1 || repeat > kLargestRepeat) {
        return Error("--repeat: '%s' is not 1 to 10000", value);
      }
      options->repeat = static_cast<int>(repeat);
    } else {
      return Error("unknown option %s", option);
    }
  }
  LentiSettings& s = options->settings;
  if (!options->interlacer_given) {
    s.interlacer = NotClassicBecause(s) ? InterlacerKind::kFree : InterlacerKind::kClassic;
  }
  size_t wanted = s.chart == ChartKind::kNone ? 2 : 1;
  if (options->files.size() != wanted) {
    Error("%s (lenti-batch --help lists the options)",
          wanted == 2 ? "expected INPUT and OUTPUT" : "a chart takes OUTPUT alone");
    return kExitUsage;
  }
  if (!SettingsDrawable(s, error, sizeof error)) return Error("%s", error);
  return 0;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

// Renders `repeat` times into `output`; prints the median time when more than once.
bool RenderRepeatedly(const Options& o, const Picture* input, const Picture& output, char* error,
                      size_t error_bytes) {
  std::vector<double> times;
  InterlaceState state = {};  // the view map, worked out by the first rendering
  bool rendered = true;
  for (int i = 0; i < o.repeat && rendered; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    rendered = Interlace(&state, o.settings, input, output, error, error_bytes);
    QueryPerformanceCounter(&end);
    times.push_back(Milliseconds(start, end));
  }
  ReleaseInterlaceState(&state);
  if (!rendered) return false;
  if (o.repeat > 1) {
    std::sort(times.begin(), times.end());
    std::printf("render: median %.2f ms over %d\n", times[times.size() / 2], o.repeat);
  }
  return true;
}

// Renders every frame of a sequence into `output` and writes it; frames that
// cannot be read are said and skipped. Prints each frame and, at the end, the
// frames per second.
int RunSequence(const Options& o, const Picture& output) {
  char error[kErrorBytes], name[512];
  std::vector<Frame> frames;
  if (!ListFrames(o.files[0], o.files[1], &frames, error, sizeof error)) {
    return Error("%s", error);
  }
  InterlaceState state = {};  // one view map for every frame
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  int written = 0, skipped = 0;
  for (size_t i = 0; i < frames.size(); ++i) {
    OwnedPicture input;
    Narrow(frames[i].input.c_str(), name, sizeof name);
    bool fine = ReadPictureFile(frames[i].input.c_str(), &input, error, sizeof error) &&
                Interlace(&state, o.settings, &input.picture, output, error, sizeof error) &&
                WritePng(frames[i].output.c_str(), output, o.settings.dpi, error, sizeof error);
    FreePicture(&input);
    if (!fine) {
      std::fprintf(stderr, "lenti-batch: frame %s: %s; skipped\n", name, error);
      ++skipped;
      continue;
    }
    ++written;
    std::printf("frame %u of %u: %s\n", static_cast<unsigned>(i + 1),
                static_cast<unsigned>(frames.size()), name);
  }
  QueryPerformanceCounter(&end);
  ReleaseInterlaceState(&state);
  double seconds = Milliseconds(start, end) / 1000;
  std::printf("%d frames in %.2f s: %.2f frames per second; %d skipped\n", written, seconds,
              seconds > 0 ? written / seconds : 0.0, skipped);
  return skipped == 0 ? 0 : kExitError;
}

int Run(const Options& o) {
  char error[kErrorBytes];
  char name[512];
  const bool sequence = o.files.size() == 2 && IsSequence(o.files[0]);
  OwnedPicture input = {Picture{nullptr, 0, 0, 0}, nullptr};
  if (o.files.size() == 2 && !sequence &&
      !ReadPictureFile(o.files[0], &input, error, sizeof error)) {
    Narrow(o.files[0], name, sizeof name);
    return Error("cannot read %s: %s", name, error);
  }
  const LentiSettings& s = o.settings;
  OwnedPicture output;
  int code = 0;
  if (!MakePicture(s.width, s.height, &output)) {
    code = Error("an output of %dx%d pixels (%lld MB) does not fit in this process", s.width,
                 s.height, static_cast<long long>(int64_t{s.width} * s.height * 4 >> 20));
  } else if (sequence) {
    code = RunSequence(o, output.picture);
  } else if (!RenderRepeatedly(o, input.memory ? &input.picture : nullptr, output.picture, error,
                               sizeof error)) {
    code = Error("%s", error);
  } else if (o.save_profile && !SaveProfile(o.save_profile, s, error, sizeof error)) {
    Narrow(o.save_profile, name, sizeof name);
    code = Error("profile %s: %s", name, error);
  } else if (!WritePng(o.files.back(), output.picture, s.dpi, error, sizeof error)) {
    Narrow(o.files.back(), name, sizeof name);
    code = Error("%s: %s", name, error);
  }
  FreePicture(&output);
  FreePicture(&input);
  return code;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr) return kExitError;
  if (argc == 2 && (std::wcscmp(argv[1], L"--help") == 0 || std::wcscmp(argv[1], L"-h") == 0)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return kExitUsage;
  }
  Options options;
  int code = ReadArguments(argc, argv, &options);
  if (code == 0) {
    Gdiplus::GdiplusStartupInput startup;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &startup, nullptr);
    code = Run(options);
    Gdiplus::GdiplusShutdown(token);
  }
  LocalFree(argv);
  return code;
}
