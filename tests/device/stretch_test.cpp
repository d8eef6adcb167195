// The keyed stretch: which source pixels it repeats or drops, key colouring, clipping.
#include <vector>

#include "tests/device/device_fixture.h"
#include "tests/support/image_compare.h"

namespace qf::test {
namespace {

using StretchKeyed = DeviceTest;

PixelImage Picture(std::initializer_list<std::string_view> rows) {
  return PixelImage::FromAscii(rows, DevicePalette());
}

// The source index each destination pixel shows when `from` pixels are stretched to `to`.
struct Picks {
  int from;
  int to;
  std::vector<int> sources;
};

// As GDI's StretchBlt picks them. Growing picks alike along both axes.
const Picks kGrowing[] = {
    {16, 17, {0, 1, 2, 3, 4, 5, 6, 7, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
    {10, 13, {0, 1, 1, 2, 3, 4, 4, 5, 6, 7, 8, 8, 9}},
    {7, 12, {0, 0, 1, 2, 2, 3, 3, 4, 4, 5, 6, 6}},
    {5, 8, {0, 0, 1, 2, 2, 3, 4, 4}},
    {4, 6, {0, 0, 1, 2, 2, 3}},
    {3, 7, {0, 0, 1, 1, 1, 2, 2}},
    {2, 5, {0, 0, 0, 1, 1}},
    {1, 3, {0, 0, 0}},
};

// Shrinking keeps the last column of each run of source columns (a single column is odd)...
const Picks kShrinkingColumns[] = {
    {17, 16, {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
    {13, 10, {0, 2, 3, 4, 6, 7, 8, 9, 11, 12}},
    {12, 5, {1, 4, 6, 9, 11}},
    {11, 4, {2, 5, 7, 10}},
    {10, 4, {2, 4, 7, 9}},
    {9, 5, {1, 3, 4, 6, 8}},
    {8, 3, {2, 4, 7}},
    {7, 3, {1, 4, 6}},
    {6, 4, {1, 2, 4, 5}},
    {5, 3, {1, 2, 4}},
    {4, 2, {1, 3}},
    {3, 2, {1, 2}},
    {5, 1, {3}},
    {2, 1, {0}},
};

// ...and the first row of each run of source rows.
const Picks kShrinkingRows[] = {
    {17, 16, {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16}},
    {13, 10, {0, 1, 3, 4, 5, 7, 8, 9, 10, 12}},
    {12, 5, {0, 2, 5, 7, 10}},
    {11, 4, {0, 3, 6, 8}},
    {10, 4, {0, 3, 5, 8}},
    {9, 5, {0, 2, 4, 5, 7}},
    {8, 3, {0, 3, 5}},
    {7, 3, {0, 2, 5}},
    {6, 4, {0, 2, 3, 5}},
    {5, 3, {0, 2, 3}},
    {4, 2, {0, 2}},
    {3, 2, {0, 2}},
    {5, 1, {0}},
    {2, 1, {0}},
};

enum class Axis { kColumns, kRows };

// A distinct colour per source index; none is white, black or red.
std::uint32_t IndexPixel(int index) {
  return (0x000100u * static_cast<std::uint32_t>(index + 1)) | 0x40u;
}

class StretchPicks : public DeviceTest {
 protected:
  // Stretches a line of `from` index-coloured pixels, framed by grey ones outside the source
  // rectangle, to `to` pixels one pixel in from the surface's corner along `axis`, and reads back
  // which index each destination pixel shows (-1: not a source colour).
  std::vector<int> Stretch(Axis axis, int from, int to) {
    const bool rows = axis == Axis::kRows;
    PixelImage source = rows ? PixelImage(3, from + 2, kGrey) : PixelImage(from + 2, 3, kGrey);
    for (int i = 0; i < from; ++i) Set(source, rows, i + 1, IndexPixel(i));
    rows ? Make(3, to + 2) : Make(to + 2, 3);
    const pf::Rect src = rows ? pf::Rect{1, 1, 2, 1 + from} : pf::Rect{1, 1, 1 + from, 2};
    const pf::Rect dst = rows ? pf::Rect{1, 1, 2, 1 + to} : pf::Rect{1, 1, 1 + to, 2};
    dev().StretchKeyed(dst, source.View(), src, kRed, kBlue);
    std::vector<int> shown;
    for (int d = 1; d <= to; ++d) {
      shown.push_back(IndexOf(rows ? PixelAt(1, d) : PixelAt(d, 1), from));
    }
    return shown;
  }

 private:
  static constexpr std::uint32_t kGrey = 0x00808080u;

  static void Set(PixelImage& line, bool rows, int along, std::uint32_t pixel) {
    rows ? line.Set(1, along, pixel) : line.Set(along, 1, pixel);
  }
  static int IndexOf(std::uint32_t pixel, int from) {
    for (int i = 0; i < from; ++i) {
      if (IndexPixel(i) == pixel) return i;
    }
    return -1;
  }
};

TEST_F(StretchPicks, GrowingRepeatsTheSameSourcePixelsAlongBothAxes) {
  for (const Picks& p : kGrowing) {
    EXPECT_EQ(Stretch(Axis::kColumns, p.from, p.to), p.sources) << p.from << " -> " << p.to;
    EXPECT_EQ(Stretch(Axis::kRows, p.from, p.to), p.sources) << p.from << " -> " << p.to;
  }
}

TEST_F(StretchPicks, ShrinkingKeepsTheLastColumnOfEachRun) {
  for (const Picks& p : kShrinkingColumns) {
    EXPECT_EQ(Stretch(Axis::kColumns, p.from, p.to), p.sources) << p.from << " -> " << p.to;
  }
}

TEST_F(StretchPicks, ShrinkingKeepsTheFirstRowOfEachRun) {
  for (const Picks& p : kShrinkingRows) {
    EXPECT_EQ(Stretch(Axis::kRows, p.from, p.to), p.sources) << p.from << " -> " << p.to;
  }
}

TEST_F(StretchKeyed, SixteenColumnsToSeventeenRepeatColumnSeven) {
  Make(20, 2);
  PixelImage source(16, 1);
  for (int x = 0; x < 16; ++x) source.Set(x, 0, 0x000100u * static_cast<std::uint32_t>(x + 1));
  dev().StretchKeyed({1, 0, 18, 1}, source.View(), {0, 0, 16, 1}, kRed, kBlue);

  PixelImage expected(20, 2, pf::ColorRefToPixel(kWhite));
  const int columns[17] = {0, 1, 2, 3, 4, 5, 6, 7, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  for (int dx = 0; dx < 17; ++dx) expected.Set(1 + dx, 0, source.At(columns[dx], 0));
  EXPECT_TRUE(ImagesEqual(expected.View(), surface_->Pixels()));
}

TEST_F(StretchKeyed, KeyPixelsTakeTheBrushColour) {
  const PixelImage source = Picture({"rg", "#r"});
  dev().StretchKeyed({2, 1, 6, 5}, source.View(), {0, 0, 2, 2}, kRed, kBlue);
  EXPECT_TRUE(Shows({"........",
                     "..bbgg..",
                     "..bbgg..",
                     "..##bb..",
                     "..##bb..",
                     "........"}));
}

TEST_F(StretchKeyed, HalvingKeepsOddColumnsOfEvenRows) {
  const PixelImage source = Picture({"r#gb", "#gbr", "gbr#", "br#g"});
  dev().StretchKeyed({0, 0, 2, 2}, source.View(), {0, 0, 4, 4}, kWhite, kBlack);
  EXPECT_TRUE(Shows({"#b......",
                     "b#......",
                     "........",
                     "........",
                     "........",
                     "........"}));
}

TEST_F(StretchKeyed, SourceRectWithOriginAndClip) {
  const PixelImage source = Picture({"rgb#", "#bgr"});
  dev().SetOrigin({1, 2});
  dev().SetClip({0, 0, 4, 6});
  dev().StretchKeyed({0, 0, 4, 2}, source.View(), {1, 0, 3, 2}, kRed, kBlue);
  EXPECT_TRUE(Shows({"........",
                     "........",
                     ".ggb....",
                     ".bbg....",
                     "........",
                     "........"}));
}

TEST_F(StretchKeyed, EmptyDestinationPaintsNothing) {
  const PixelImage source = Picture({"rg", "#r"});
  dev().StretchKeyed({2, 1, 2, 5}, source.View(), {0, 0, 2, 2}, kRed, kBlue);
  dev().StretchKeyed({2, 3, 6, 3}, source.View(), {0, 0, 2, 2}, kRed, kBlue);
  EXPECT_TRUE(Shows({"........",
                     "........",
                     "........",
                     "........",
                     "........",
                     "........"}));
}

}  // namespace
}  // namespace qf::test
