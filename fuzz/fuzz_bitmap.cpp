// The bitmap file reader: any bytes either give a picture whose pixels fill its size, or raise
// the framework's EInvalidGraphic. Written back, a picture reads back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/graphics/bitmap_file.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fw::bmp::Image image;
  try {
    image = fw::bmp::ReadFile({reinterpret_cast<const char*>(data), size});
  } catch (const fw::EInvalidGraphic&) {
    return 0;
  }
  QF_FUZZ_CHECK(image.width >= 0 && image.height >= 0);
  QF_FUZZ_CHECK(image.pixels.size() ==
                static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
  const std::string again = fw::bmp::WriteFile(image.width, image.height, 32, image.pixels.data());
  QF_FUZZ_CHECK(fw::bmp::ReadFile(again).pixels == image.pixels);
  return 0;
}
