// The icon reader: any bytes either give an icon whose largest image has pixels for its size, or
// raise the framework's EInvalidGraphic.
#include <cstddef>
#include <cstdint>

#include "framework/graphics/icon.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fw::TIcon icon;
  try {
    icon.LoadFromBytes({reinterpret_cast<const char*>(data), size});
  } catch (const fw::EInvalidGraphic&) {
    return 0;
  }
  if (icon.Empty()) return 0;
  const pf::IconImage image = icon.Image();
  QF_FUZZ_CHECK(image.width > 0 && image.height > 0);
  QF_FUZZ_CHECK(image.pixels.size() ==
                static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
  return 0;
}
