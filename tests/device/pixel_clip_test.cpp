// Surfaces, GetPixel, and how origin and clip combine.
#include "tests/device/device_fixture.h"

namespace qf::test {
namespace {

TEST(CreateSurface, IsWhiteWithTheAskedSize) {
  const std::unique_ptr<pf::Surface> surface = pf::CreateSurface(5, 3);
  ASSERT_EQ(surface->Width(), 5);
  ASSERT_EQ(surface->Height(), 3);
  const pf::ImageView pixels = surface->Pixels();
  ASSERT_EQ(pixels.width, 5);
  ASSERT_EQ(pixels.height, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(pixels.At(x, y), 0x00FFFFFFu) << x << "," << y;
  }
}

using GetPixel = DeviceTest;
using Clip = DeviceTest;

TEST_F(GetPixel, ReadsColorRefsInsideTheSurface) {
  dev().FillRect({2, 1, 3, 2}, kRed);
  dev().FillRect({7, 5, 8, 6}, kBlue);
  EXPECT_EQ(dev().GetPixel({2, 1}), kRed);
  EXPECT_EQ(dev().GetPixel({7, 5}), kBlue);
  EXPECT_EQ(dev().GetPixel({0, 0}), kWhite);
  EXPECT_EQ(PixelAt(2, 1), 0x00FF0000u);
}

TEST_F(GetPixel, InvalidOutsideTheSurface) {
  EXPECT_EQ(dev().GetPixel({-1, 0}), pf::kInvalidColor);
  EXPECT_EQ(dev().GetPixel({0, -1}), pf::kInvalidColor);
  EXPECT_EQ(dev().GetPixel({8, 0}), pf::kInvalidColor);
  EXPECT_EQ(dev().GetPixel({0, 6}), pf::kInvalidColor);
}

TEST_F(GetPixel, FollowsOriginAndClip) {
  dev().FillRect({2, 2, 3, 3}, kGreen);
  dev().SetClip({2, 2, 5, 4});
  EXPECT_EQ(dev().GetPixel({1, 2}), pf::kInvalidColor);
  EXPECT_EQ(dev().GetPixel({2, 2}), kGreen);
  EXPECT_EQ(dev().GetPixel({4, 3}), kWhite);
  EXPECT_EQ(dev().GetPixel({5, 3}), pf::kInvalidColor);
  dev().SetOrigin({1, 1});
  EXPECT_EQ(dev().GetPixel({1, 1}), kGreen);
  EXPECT_EQ(dev().GetPixel({0, 0}), pf::kInvalidColor);
  EXPECT_EQ(dev().GetPixel({3, 2}), kWhite);
  EXPECT_EQ(dev().GetPixel({4, 2}), pf::kInvalidColor);
}

TEST_F(Clip, LargerThanTheSurfaceIsCutToIt) {
  dev().SetClip({-5, -5, 100, 100});
  dev().FillRect({-10, -10, 50, 50}, kBlue);
  EXPECT_EQ(dev().GetPixel({8, 0}), pf::kInvalidColor);
  EXPECT_TRUE(Shows({"bbbbbbbb",
                     "bbbbbbbb",
                     "bbbbbbbb",
                     "bbbbbbbb",
                     "bbbbbbbb",
                     "bbbbbbbb"}));
}

TEST_F(Clip, NewClipReplacesTheOld) {
  dev().SetClip({0, 0, 2, 2});
  dev().SetClip({4, 3, 8, 6});
  dev().FillRect({0, 0, 8, 6}, kRed);
  EXPECT_TRUE(Shows({"........",
                     "........",
                     "........",
                     "....rrrr",
                     "....rrrr",
                     "....rrrr"}));
}

TEST_F(Clip, EmptyClipBlocksDrawingAndReading) {
  dev().SetClip({3, 3, 3, 5});
  dev().FillRect({0, 0, 8, 6}, kRed);
  const pf::Point line[] = {{0, 3}, {8, 3}};
  dev().Polyline(line, 2, kRed);
  EXPECT_EQ(dev().GetPixel({3, 3}), pf::kInvalidColor);
  EXPECT_TRUE(Shows({"........",
                     "........",
                     "........",
                     "........",
                     "........",
                     "........"}));
}

TEST_F(Clip, EachDeviceHasItsOwnOriginAndClip) {
  dev().SetOrigin({3, 3});
  dev().SetClip({0, 0, 1, 1});
  const std::unique_ptr<pf::Device> second = surface_->NewDevice();
  second->FillRect({0, 0, 2, 1}, kBlue);
  dev().FillRect({-3, -3, 1, 1}, kRed);
  EXPECT_TRUE(Shows({"rb......",
                     "........",
                     "........",
                     "........",
                     "........",
                     "........"}));
}

}  // namespace
}  // namespace qf::test
