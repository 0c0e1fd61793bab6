// Sequences for the batch program: every picture of a folder, or the frames
// a numbered name such as frame%04d.png matches, each written to its own
// numbered output.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct Frame {
  std::wstring input;
  std::wstring output;
};

// Whether INPUT names a sequence: a folder, or a name with a number field
// (%d, or %0Nd for N digits at least).
bool IsSequence(const std::wstring& input);
// The frames of a sequence in order (a folder's pictures by name, a numbered
// name's by number) and where each goes: OUTPUT is a numbered name (given
// the frame's number, or its place from 1 in a folder), or a folder (the
// input's name with .png). False, with a reason, when INPUT holds no
// frames or OUTPUT cannot number them.
bool ListFrames(const std::wstring& input, const std::wstring& output, std::vector<Frame>* frames,
                char* error, size_t error_bytes);
