// FillRect and FrameRect: edges, reversed corners, clip and origin.
#include "tests/device/device_fixture.h"

namespace qf::test {
namespace {

using FillRect = DeviceTest;
using FrameRect = DeviceTest;

TEST_F(FillRect, CoversLeftTopButNotRightBottom) {
  dev().FillRect({1, 1, 4, 3}, kRed);
  EXPECT_TRUE(Shows({"........",
                     ".rrr....",
                     ".rrr....",
                     "........",
                     "........",
                     "........"}));
}

TEST_F(FillRect, EqualCoordinatesPaintNothing) {
  dev().FillRect({2, 2, 2, 5}, kRed);
  dev().FillRect({1, 3, 6, 3}, kRed);
  EXPECT_TRUE(Shows({"........",
                     "........",
                     "........",
                     "........",
                     "........",
                     "........"}));
}

TEST_F(FillRect, ReversedColumnsCoverFromRightPlusOneThroughLeft) {
  dev().FillRect({5, 1, 2, 3}, kRed);
  EXPECT_TRUE(Shows({"........",
                     "...rrr..",
                     "...rrr..",
                     "........",
                     "........",
                     "........"}));
}

TEST_F(FillRect, ReversedRowsCoverFromBottomPlusOneThroughTop) {
  dev().FillRect({1, 4, 3, 1}, kBlue);
  EXPECT_TRUE(Shows({"........",
                     "........",
                     ".bb.....",
                     ".bb.....",
                     ".bb.....",
                     "........"}));
}

TEST_F(FillRect, BothAxesReversed) {
  dev().FillRect({4, 4, 1, 2}, kGreen);
  EXPECT_TRUE(Shows({"........",
                     "........",
                     "........",
                     "..ggg...",
                     "..ggg...",
                     "........"}));
}

TEST_F(FillRect, StaysInsideClipAndSurface) {
  dev().FillRect({-3, -3, 2, 2}, kBlue);
  dev().SetClip({2, 1, 6, 4});
  dev().FillRect({0, 0, 100, 100}, kRed);
  EXPECT_TRUE(Shows({"bb......",
                     "bbrrrr..",
                     "..rrrr..",
                     "..rrrr..",
                     "........",
                     "........"}));
}

TEST_F(FillRect, OriginMovesTheRectButNotTheClip) {
  dev().SetClip({0, 0, 4, 6});
  dev().SetOrigin({2, 1});
  dev().FillRect({0, 0, 5, 2}, kRed);
  dev().FillRect({-2, 3, -1, 4}, kBlue);
  EXPECT_TRUE(Shows({"........",
                     "..rr....",
                     "..rr....",
                     "........",
                     "b.......",
                     "........"}));
}

TEST_F(FrameRect, DrawsOnePixelRingInsideTheRect) {
  dev().FrameRect({1, 1, 6, 5}, kRed);
  EXPECT_TRUE(Shows({"........",
                     ".rrrrr..",
                     ".r...r..",
                     ".r...r..",
                     ".rrrrr..",
                     "........"}));
}

TEST_F(FrameRect, NarrowRectsAreSolid) {
  dev().FrameRect({1, 1, 3, 4}, kRed);
  dev().FrameRect({5, 2, 6, 3}, kBlue);
  EXPECT_TRUE(Shows({"........",
                     ".rr.....",
                     ".rr..b..",
                     ".rr.....",
                     "........",
                     "........"}));
}

TEST_F(FrameRect, EmptyOrReversedRectsDrawNothing) {
  dev().FrameRect({5, 1, 2, 4}, kRed);
  dev().FrameRect({1, 4, 5, 1}, kRed);
  dev().FrameRect({1, 1, 1, 4}, kRed);
  dev().FrameRect({1, 3, 5, 3}, kRed);
  EXPECT_TRUE(Shows({"........",
                     "........",
                     "........",
                     "........",
                     "........",
                     "........"}));
}

TEST_F(FrameRect, ClippedWithOrigin) {
  dev().SetOrigin({1, 1});
  dev().SetClip({0, 0, 8, 3});
  dev().FrameRect({0, 0, 5, 4}, kBlue);
  EXPECT_TRUE(Shows({"........",
                     ".bbbbb..",
                     ".b...b..",
                     "........",
                     "........",
                     "........"}));
}

}  // namespace
}  // namespace qf::test
