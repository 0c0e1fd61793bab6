// File names on their way from the platform's UTF-16 to the framework's ANSI
// calls: dropped names and names chosen in the file dialogs.
#pragma once

#include "core/core.h"

namespace zul {

// Converts a path to ANSI only when the ANSI text names the same file.
bool ExactAnsiPath(const wchar_t* path, char out[kPathUnits]);
// The ANSI path by which a file can be opened: the path itself, or its short
// (8.3) form when the ANSI code page cannot spell it. False when neither works.
bool LoadablePath(const wchar_t* path, char out[kPathUnits]);
// File `index` of a drop, whole: false when the drop has no such file or its
// name does not fit in kPathUnits units (such a name is skipped, never cut).
bool QueryDroppedName(HDROP drop, UINT index, wchar_t name[kPathUnits]);

}  // namespace zul
