#include <gtest/gtest.h>

#include "images/JpegImage.h"
#include "platform/Error.h"

#include "../jpeg_cases.inc"
