#include <gtest/gtest.h>

#include "platform/Error.h"
#include "images/JpegImage.h"

#include "../jpeg_cases.inc"
