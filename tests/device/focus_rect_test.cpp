// The focus rectangle: which pixels of the frame are inverted, with origin and clip, and that a
// second drawing leaves no trace.
#include "tests/device/device_fixture.h"
#include "tests/support/image_compare.h"

namespace qf::test {
namespace {

using FocusRect = DeviceTest;

// Every second pixel round the frame, from the top right corner leftwards: the phase follows the
// width, so an odd and an even width show both.
TEST_F(FocusRect, InvertsEverySecondPixelRoundTheFrame) {
  dev().DrawFocusRect({1, 1, 6, 5});
  EXPECT_TRUE(Shows({"........",
                     ".#.#.#..",
                     "........",
                     ".#...#..",
                     "..#.#...",
                     "........"}));
  Make(8, 6);
  dev().SetOrigin({1, 0});
  dev().SetClip({0, 0, 4, 6});
  dev().DrawFocusRect({0, 1, 4, 5});
  EXPECT_TRUE(Shows({"........",
                     "..#.....",
                     ".#......",
                     "........",
                     ".#.#....",
                     "........"}));
}

// One pixel wide, the frame's edges walk the same pixels twice and cancel there.
TEST_F(FocusRect, OnePixelWideFramesCancelWhereEdgesMeet) {
  dev().DrawFocusRect({1, 1, 5, 2});
  dev().DrawFocusRect({6, 1, 7, 5});
  dev().DrawFocusRect({2, 4, 3, 5});
  EXPECT_TRUE(Shows({"........",
                     "....#.#.",
                     "........",
                     "........",
                     "........",
                     "........"}));
}

TEST_F(FocusRect, DrawnTwiceLeavesNoTrace) {
  dev().FillRect({0, 0, 8, 3}, kRed);
  dev().FillRect({2, 2, 7, 6}, kBlue);
  const PixelImage before = PixelImage::CopyOf(surface_->Pixels());
  dev().DrawFocusRect({1, 1, 7, 6});
  EXPECT_FALSE(ImagesEqual(before.View(), surface_->Pixels()));
  dev().DrawFocusRect({1, 1, 7, 6});
  EXPECT_TRUE(ImagesEqual(before.View(), surface_->Pixels()));
}

}  // namespace
}  // namespace qf::test
