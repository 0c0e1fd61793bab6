// Profiles: the settings of one panel or print in a small text file.
//
//   ; lenti profile
//   [panel]
//   size = 3840x2160
//   order = rgb
//   ...
//
// Lines are "key = value" under the sections [panel], [lens], [source] and
// [render] (any key in any of them), blank, or comments starting with ";" or
// "#". Keys left out keep their values.
#pragma once

#include <cstddef>

#include "interlace/settings.h"

// What a loaded profile said beyond the values.
struct ProfileNotes {
  bool interlacer_given;  // it chose the interlacer itself
};

// Reads `path` over `settings`. False, with "line N: ..." or why the file
// could not be read in `error`, and the settings unchanged, when the file is
// missing, larger than a profile can be, or a line does not parse.
bool LoadProfile(const wchar_t* path, LentiSettings* settings, ProfileNotes* notes, char* error,
                 size_t error_bytes);
// Writes every setting to `path` (replacing it). False with a reason when the
// file cannot be written.
bool SaveProfile(const wchar_t* path, const LentiSettings& settings, char* error,
                 size_t error_bytes);
// A profile's name as typed (ANSI) as a path: ".ini" is added to a name
// without an extension.
void ProfilePath(const char* name, wchar_t* path, size_t path_units);
