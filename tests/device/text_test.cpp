// Text: extents as GDI reports them for Arial 8 pt, and the opaque cell. Glyph shapes differ
// between devices, so the tests look at cells, extents and colours, never at glyph bitmaps.
#include <functional>
#include <memory>
#include <vector>

#include "tests/device/device_fixture.h"
#include "tests/support/image_compare.h"

namespace qf::test {
namespace {

pf::FontSpec Arial8() {
  pf::FontSpec wanted;
  wanted.face = "Arial";
  wanted.height = -11;
  return wanted;
}

constexpr int kAscent = 10;  // Arial at an 11-pixel em

class Text : public DeviceTest {
 protected:
  void SetUp() override {
    Make(80, 20);
    dev().SelectFont(Arial8());
  }

  // Counts the surface pixels inside (or outside) `cell` that have `pixel`.
  int Count(const pf::Rect& cell, bool inside, std::uint32_t pixel) const {
    int n = 0;
    const pf::ImageView view = surface_->Pixels();
    for (int y = 0; y < view.height; ++y) {
      for (int x = 0; x < view.width; ++x) {
        if (cell.Contains({x, y}) == inside && view.At(x, y) == pixel) ++n;
      }
    }
    return n;
  }
  int CountInRow(int y, int from, int to, std::uint32_t pixel) const {
    int n = 0;
    for (int x = from; x < to; ++x) n += PixelAt(x, y) == pixel ? 1 : 0;
    return n;
  }
  // Rows of `cell` that are entirely `pixel`.
  std::vector<int> FullRows(const pf::Rect& cell, std::uint32_t pixel) const {
    std::vector<int> rows;
    for (int y = cell.top; y < cell.bottom; ++y) {
      if (CountInRow(y, cell.left, cell.right, pixel) == cell.Width()) rows.push_back(y);
    }
    return rows;
  }
};

const std::uint32_t kFore = pf::ColorRefToPixel(kBlue);
const std::uint32_t kBack = pf::ColorRefToPixel(kRed);
const std::uint32_t kPaper = pf::ColorRefToPixel(kWhite);

TEST_F(Text, ExtentsOfArialEightPoint) {
  EXPECT_EQ(dev().TextExtent("ImageButton1"), (pf::Size{67, 12}));
  EXPECT_EQ(dev().TextExtent("Install"), (pf::Size{28, 12}));
  EXPECT_EQ(dev().TextExtent("Exit"), (pf::Size{18, 12}));
}

TEST_F(Text, PositiveHeightIsTheCellHeight) {
  pf::FontSpec wanted = Arial8();
  wanted.height = 12;
  dev().SelectFont(wanted);
  EXPECT_EQ(dev().TextExtent("ImageButton1"), (pf::Size{67, 12}));
}

TEST_F(Text, BoldIsWiderAtTheSameHeight) {
  pf::FontSpec wanted = Arial8();
  wanted.bold = true;
  dev().SelectFont(wanted);
  const pf::Size bold = dev().TextExtent("ImageButton1");
  EXPECT_EQ(bold.cy, 12);
  EXPECT_GT(bold.cx, 67);
}

TEST_F(Text, HighBytesAreWindowsCodePageCharacters) {
  // 0x97 is the em dash, one em wide; read as Latin-1 it would be a control character.
  EXPECT_EQ(dev().TextExtent("\x97"), (pf::Size{11, 12}));
  EXPECT_EQ(dev().TextExtent("\x97\x97"), (pf::Size{22, 12}));
}

TEST_F(Text, OpaqueCellHoldsOnlyForeAndBackOnTheBaseline) {
  dev().TextOutOpaque({3, 2}, "Exit", kBlue, kRed);
  const pf::Rect cell{3, 2, 3 + 18, 2 + 12};
  EXPECT_EQ(Count(cell, true, kFore) + Count(cell, true, kBack), cell.Width() * cell.Height());
  EXPECT_GT(Count(cell, true, kFore), 10);
  EXPECT_EQ(Count(cell, false, kPaper), 80 * 20 - cell.Width() * cell.Height());
  // "Exit" stands on the baseline and has no descenders.
  EXPECT_GT(CountInRow(cell.top + kAscent - 1, cell.left, cell.right, kFore), 0);
  EXPECT_EQ(CountInRow(cell.top + kAscent, cell.left, cell.right, kFore), 0);
  EXPECT_EQ(CountInRow(cell.top + kAscent + 1, cell.left, cell.right, kFore), 0);
}

// The glyphs where the opaque text has them; elsewhere, the two colours it was drawn over.
TEST_F(Text, TransparentTextDrawsTheOpaqueGlyphsAlone) {
  dev().TextOutOpaque({3, 2}, "Exit", kBlue, kRed);
  const PixelImage opaque = PixelImage::CopyOf(surface_->Pixels());
  dev().FillRect({0, 0, 80, 20}, kWhite);
  dev().FillRect({0, 0, 12, 20}, kGreen);
  dev().TextOutTransparent({3, 2}, "Exit", kBlue);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 80; ++x) {
      const std::uint32_t under = pf::ColorRefToPixel(x < 12 ? kGreen : kWhite);
      ASSERT_EQ(PixelAt(x, y), opaque.At(x, y) == kFore ? kFore : under) << x << "," << y;
    }
  }
}

TEST_F(Text, EmptyTextPaintsNothing) {
  dev().TextOutOpaque({3, 2}, "", kBlue, kRed);
  EXPECT_EQ(Count({}, false, kPaper), 80 * 20);
}

TEST_F(Text, OriginAndClipOnlyCutTheSamePicture) {
  dev().TextOutOpaque({5, 4}, "Install", kBlue, kRed);
  const PixelImage whole = PixelImage::CopyOf(surface_->Pixels());

  Make(80, 20);
  dev().SelectFont(Arial8());
  dev().SetOrigin({2, 3});
  const pf::Rect clip{10, 6, 25, 12};
  dev().SetClip(clip);
  dev().TextOutOpaque({3, 1}, "Install", kBlue, kRed);

  PixelImage expected(80, 20, kPaper);
  for (int y = clip.top; y < clip.bottom; ++y) {
    for (int x = clip.left; x < clip.right; ++x) expected.Set(x, y, whole.At(x, y));
  }
  EXPECT_TRUE(ImagesEqual(expected.View(), surface_->Pixels()));
}

class TextLines : public Text {
 protected:
  // Draws "Exit" plain and with `decorate` applied; returns the rows that differ.
  void Compare(const std::function<void(pf::FontSpec&)>& decorate) {
    dev().TextOutOpaque({3, 2}, "Exit", kBlue, kRed);
    plain_ = std::make_unique<PixelImage>(PixelImage::CopyOf(surface_->Pixels()));
    Make(80, 20);
    pf::FontSpec wanted = Arial8();
    decorate(wanted);
    dev().SelectFont(wanted);
    dev().TextOutOpaque({3, 2}, "Exit", kBlue, kRed);
  }
  std::vector<int> ChangedRows() const {
    std::vector<int> rows;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 80; ++x) {
        if (PixelAt(x, y) != plain_->At(x, y)) {
          rows.push_back(y);
          break;
        }
      }
    }
    return rows;
  }

  const pf::Rect cell_{3, 2, 3 + 18, 2 + 12};
  std::unique_ptr<PixelImage> plain_;
};

TEST_F(TextLines, UnderlineIsOneFullRowBelowTheBaseline) {
  Compare([](pf::FontSpec& wanted) { wanted.underline = true; });
  EXPECT_EQ(dev().TextExtent("Exit"), (pf::Size{18, 12}));
  const std::vector<int> rows = FullRows(cell_, kFore);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_GE(rows[0], cell_.top + kAscent);
  EXPECT_EQ(ChangedRows(), rows);
}

TEST_F(TextLines, StrikeOutIsOneFullRowAboveTheBaseline) {
  Compare([](pf::FontSpec& wanted) { wanted.strike_out = true; });
  const std::vector<int> rows = FullRows(cell_, kFore);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_LT(rows[0], cell_.top + kAscent);
  EXPECT_GT(rows[0], cell_.top);
  EXPECT_EQ(ChangedRows(), rows);
}

}  // namespace
}  // namespace qf::test
