// Picture files for the batch program: any picture GDI+ reads, and PNG
// written with the pixels per inch it records.
#pragma once

#include <cstddef>

#include "interlace/picture.h"

// Reads a picture file as 0x00RRGGBB words. False, with a reason, when the
// file is missing or not a picture, or the process cannot hold it.
bool ReadPictureFile(const wchar_t* path, OwnedPicture* out, char* error, size_t error_bytes);
// Writes `picture` as a 24-bit PNG; with `dpi` above 0 its pHYs chunk records
// dpi / 0.0254 pixels per metre (rounded down) in both directions. The file
// appears whole or not at all: a failed write leaves no file behind (and an
// older file of that name as it was).
bool WritePng(const wchar_t* path, const Picture& picture, int dpi, char* error,
              size_t error_bytes);
// The PNG bytes `png` (of `size` bytes, with room for `capacity`) with their
// pHYs chunk replaced or added after IHDR; the new size, or 0 when the bytes
// are not a PNG or there is no room.
size_t SetPngResolution(unsigned char* png, size_t size, size_t capacity, int dpi);
