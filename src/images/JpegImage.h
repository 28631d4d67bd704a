#pragma once
#include <string>

#include "platform/Pixels.h"

namespace tabrix {

// Decodes a baseline or progressive JPEG held in memory. Throws tabrix::Error on a damaged
// or oversized picture; never aborts the process the way libjpeg's default handler would.
Pixels decodeJpeg(const std::string& bytes);

}  // namespace tabrix
