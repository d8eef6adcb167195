// Polyline: a solid one-pixel pen; every segment leaves its end point to the next one, and the
// last point stays unpainted.
#include <vector>

#include "tests/device/device_fixture.h"

namespace qf::test {
namespace {

class Polyline : public DeviceTest {
 protected:
  void Draw(std::vector<pf::Point> points, pf::ColorRef pen = kRed) {
    dev().Polyline(points.data(), static_cast<int>(points.size()), pen);
  }
};

TEST_F(Polyline, HorizontalBothDirectionsLeaveEndPoint) {
  Draw({{1, 2}, {5, 2}});
  Draw({{5, 3}, {1, 3}}, kBlue);
  EXPECT_TRUE(Shows({"........",
                     "........",
                     ".rrrr...",
                     "..bbbb..",
                     "........",
                     "........"}));
}

TEST_F(Polyline, VerticalBothDirectionsLeaveEndPoint) {
  Draw({{2, 0}, {2, 4}});
  Draw({{4, 5}, {4, 1}}, kBlue);
  EXPECT_TRUE(Shows({"..r.....",
                     "..r.....",
                     "..r.b...",
                     "..r.b...",
                     "....b...",
                     "....b..."}));
}

TEST_F(Polyline, CornersBelongToTheFollowingSegment) {
  Draw({{1, 1}, {5, 1}, {5, 4}, {1, 4}});
  EXPECT_TRUE(Shows({"........",
                     ".rrrrr..",
                     ".....r..",
                     ".....r..",
                     "..rrrr..",
                     "........"}));
}

TEST_F(Polyline, FewerThanTwoPointsOrZeroLengthPaintNothing) {
  Draw({{3, 3}});
  Draw({});
  Draw({{2, 2}, {2, 2}});
  EXPECT_TRUE(Shows({"........",
                     "........",
                     "........",
                     "........",
                     "........",
                     "........"}));
}

TEST_F(Polyline, ShallowAndSteepDiagonals) {
  Draw({{0, 0}, {5, 2}});
  Draw({{1, 5}, {3, 0}}, kBlue);
  EXPECT_TRUE(Shows({"rr......",
                     "..rb....",
                     "..b.r...",
                     "..b.....",
                     ".b......",
                     ".b......"}));
}

TEST_F(Polyline, ExactDiagonal) {
  Draw({{1, 0}, {6, 5}});
  EXPECT_TRUE(Shows({".r......",
                     "..r.....",
                     "...r....",
                     "....r...",
                     ".....r..",
                     "........"}));
}

// Half-way ties: a segment and its reverse paint the same inner pixels.
TEST_F(Polyline, TiesBreakTheSameWayInBothDirections) {
  Draw({{0, 0}, {4, 2}});
  Draw({{4, 5}, {0, 3}}, kBlue);
  EXPECT_TRUE(Shows({"rr......",
                     "..rr....",
                     "........",
                     ".b......",
                     "..bb....",
                     "....b..."}));
}

TEST_F(Polyline, ClippedWithOrigin) {
  dev().SetOrigin({2, 1});
  dev().SetClip({0, 0, 5, 6});
  Draw({{0, 0}, {6, 0}, {6, 3}});
  Draw({{4, 3}, {-3, 3}}, kBlue);
  EXPECT_TRUE(Shows({"........",
                     "..rrr...",
                     "........",
                     "........",
                     "bbbbb...",
                     "........"}));
}

}  // namespace
}  // namespace qf::test
