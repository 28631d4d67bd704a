#pragma once
#include <string>

#include "platform/Pixels.h"

namespace tabrix {

constexpr char kBadBitmap[] = "Bitmap image is not valid";

// Decodes a Windows bitmap file held in memory: the file header, then a core (OS/2 1.x),
// info, V2, V3, V4 or V5 header; 1, 4, 8, 16, 24 and 32 bits per pixel; uncompressed,
// with bit-field masks, or run-length encoded (4 and 8 bits); bottom-up or top-down rows.
// Throws Error(kBadBitmap) for anything missing, truncated, unsupported or larger than
// kMaxPictureSide on a side; it never reads outside `bytes`.
Pixels decodeBmp(const std::string& bytes);

// The CRC-32 (as zip and PNG have it) of a file's bytes: names a file of ours exactly.
uint32_t fileCrc32(const std::string& bytes);

}  // namespace tabrix
