#include "tests/device/device_fixture.h"

#include "tests/support/image_compare.h"

namespace qf::test {

const Palette& DevicePalette() {
  static const Palette palette{{'.', pf::ColorRefToPixel(kWhite)}, {'#', pf::ColorRefToPixel(kBlack)},
                               {'r', pf::ColorRefToPixel(kRed)},   {'g', pf::ColorRefToPixel(kGreen)},
                               {'b', pf::ColorRefToPixel(kBlue)}};
  return palette;
}

void DeviceTest::Make(int width, int height) {
  device_.reset();
  surface_ = pf::CreateSurface(width, height);
  device_ = surface_->NewDevice();
}

::testing::AssertionResult DeviceTest::Shows(std::initializer_list<std::string_view> rows) const {
  const PixelImage expected = PixelImage::FromAscii(rows, DevicePalette());
  return ImagesEqual(expected.View(), surface_->Pixels());
}

}  // namespace qf::test
