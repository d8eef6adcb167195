// The JPEG picture: any bytes either load (the header read) and then decode into a bitmap of the
// header's size, or raise the framework's EJPEG (or EInvalidGraphic) at either step.
#include <cstddef>
#include <cstdint>

#include "framework/graphics/jpeg.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fw::TJPEGImage jpeg;
  try {
    jpeg.LoadFromBytes({reinterpret_cast<const char*>(data), size});
  } catch (const fw::Exception&) {
    return 0;
  }
  QF_FUZZ_CHECK(jpeg.Width() > 0 && jpeg.Height() > 0);
  try {
    const fw::TBitmap& bitmap = jpeg.Decoded();
    QF_FUZZ_CHECK(bitmap.Width() == jpeg.Width() && bitmap.Height() == jpeg.Height());
  } catch (const fw::Exception&) {
  }
  return 0;
}
