#include <gtest/gtest.h>

#include "platform/Error.h"
#include "windows/JpegImage.h"

#include "../jpeg_cases.inc"
