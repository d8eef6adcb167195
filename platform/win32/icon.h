#pragma once
#include "platform/platform.h"
#include "platform/win32/handles.h"

namespace pf::win32 {

// An icon from 0xAARRGGBB pixels (alpha respected); null when the image is empty or short.
Icon IconFromImage(const IconImage& image);

}  // namespace pf::win32
