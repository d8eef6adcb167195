#pragma once
// A surface and its device for the conformance tests, which see only the seam: the same sources
// run against every device realisation.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string_view>

#include "platform/device.h"
#include "tests/support/pixel_image.h"

namespace qf::test {

// Colours as GDI takes them (0x00BBGGRR). Red and blue differ in either byte order, so a swapped
// channel shows.
inline constexpr pf::ColorRef kWhite = 0x00FFFFFF;
inline constexpr pf::ColorRef kBlack = 0x00000000;
inline constexpr pf::ColorRef kRed = 0x000000FF;
inline constexpr pf::ColorRef kGreen = 0x0000FF00;
inline constexpr pf::ColorRef kBlue = 0x00FF0000;

// '.' white, '#' black, 'r' red, 'g' green, 'b' blue, as surface pixels.
const Palette& DevicePalette();

class DeviceTest : public ::testing::Test {
 protected:
  void SetUp() override { Make(8, 6); }
  // A fresh white surface and a device on it.
  void Make(int width, int height);
  // The surface equals the ASCII picture (DevicePalette).
  ::testing::AssertionResult Shows(std::initializer_list<std::string_view> rows) const;
  std::uint32_t PixelAt(int x, int y) const { return surface_->Pixels().At(x, y); }

  pf::Device& dev() { return *device_; }

  std::unique_ptr<pf::Surface> surface_;
  std::unique_ptr<pf::Device> device_;
};

}  // namespace qf::test
