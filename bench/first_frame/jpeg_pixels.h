#pragma once
// A JPEG file decoded with libjpeg into 0x00RRGGBB pixels, as the launcher's own decoder gives
// them: both programs and the tool that compares their windows use it.
#include <cstdint>
#include <string>
#include <vector>

namespace qf_bench {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // top-down rows of 0x00RRGGBB
};

// Throws std::runtime_error with libjpeg's message or the file's error.
Picture DecodeJpegFile(const std::string& path);

}  // namespace qf_bench
