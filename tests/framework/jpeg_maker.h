#pragma once
// Makes small JPEG files with libjpeg's compressor for the tests.
#include <cstdint>
#include <functional>
#include <string>

namespace qf_test {

// components 1 (grey: the red byte of each sample), 3 (RGB) or 4 (CMYK). `sample` gives
// 0x00RRGGBB, or 0xCCMMYYKK for 4 components.
std::string MakeJpeg(int width, int height, int components,
                     const std::function<std::uint32_t(int x, int y)>& sample, int quality = 95);

}  // namespace qf_test
