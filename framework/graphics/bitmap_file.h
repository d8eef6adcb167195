#pragma once
// Reading and writing Windows bitmap files. Internal to the framework: TBitmap is the public face.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw::bmp {

// A picture as TBitmap keeps it: top-down rows of 0x00RRGGBB, `width` pixels apart.
struct Image {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 24;  // of the file it came from
  std::vector<std::uint32_t> pixels;
};

// Raises EInvalidGraphic "Bitmap image is not valid" for anything it cannot read safely.
Image ReadFile(std::string_view bytes);

// A bottom-up file with a 40-byte info header; bits_per_pixel 32 or (otherwise) 24.
std::string WriteFile(int width, int height, int bits_per_pixel, const std::uint32_t* pixels);

}  // namespace fw::bmp
