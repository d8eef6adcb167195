// What only the raster device promises: views over foreign buffers, a paint's bounds, and its
// own glyphs (ink may leave the text cell).
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <vector>

#include "platform/shared/cp1252.h"
#include "platform/raster/raster_font.h"
#include "platform/raster/raster_surface.h"

namespace pf::raster {
namespace {

constexpr std::uint32_t kSentinel = 0x00ABCDEF;
constexpr ColorRef kRed = 0x000000FF;

TEST(RasterSurface, ViewDrawsOnlyInsideTheRowsOfTheForeignBuffer) {
  std::vector<std::uint32_t> buffer(7 * 3, kSentinel);
  RasterSurface surface(buffer.data(), 5, 3, 7);
  surface.NewDevice()->FillRect({-10, -10, 100, 100}, kRed);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) {
      EXPECT_EQ(buffer[y * 7 + x], x < 5 ? 0x00FF0000u : kSentinel) << x << "," << y;
    }
  }
  EXPECT_EQ(surface.Pixels().stride, 7);
  EXPECT_EQ(surface.Pixels().pixels, buffer.data());
}

TEST(RasterSurface, DeviceBoundsLimitEveryClip) {
  RasterSurface surface(5, 4);
  const std::unique_ptr<Device> device = surface.NewDevice({1, 1, 3, 3});
  device->SetClip({0, 0, 5, 4});
  device->FillRect({0, 0, 5, 4}, kRed);
  EXPECT_EQ(device->GetPixel({0, 0}), kInvalidColor);
  EXPECT_EQ(device->GetPixel({2, 2}), kRed);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) {
      const bool inside = x >= 1 && x < 3 && y >= 1 && y < 3;
      EXPECT_EQ(surface.Pixels().At(x, y), inside ? 0x00FF0000u : 0x00FFFFFFu) << x << "," << y;
    }
  }
}

TEST(RasterSurface, BadSizesAreRefused) {
  std::uint32_t pixel = 0;
  EXPECT_THROW(RasterSurface(-1, 2), std::invalid_argument);
  EXPECT_THROW(RasterSurface(&pixel, 2, 1, 1), std::invalid_argument);
  EXPECT_THROW(RasterSurface(nullptr, 1, 1, 1), std::invalid_argument);
  EXPECT_NO_THROW(RasterSurface(nullptr, 0, 0, 0));
}

TEST(Cp1252, HighControlsGoThroughTheTableOthersAreLatin1) {
  EXPECT_EQ(text::Cp1252ToUnicode(0x80), U'\u20AC');
  EXPECT_EQ(text::Cp1252ToUnicode(0x8C), U'\u0152');
  EXPECT_EQ(text::Cp1252ToUnicode(0x9F), U'\u0178');
  EXPECT_EQ(text::Cp1252ToUnicode(0x81), U'\u0081');
  EXPECT_EQ(text::Cp1252ToUnicode(0x7F), U'\u007F');
  EXPECT_EQ(text::Cp1252ToUnicode(0xA0), U'\u00A0');
  EXPECT_EQ(text::Cp1252ToUnicode(0xFF), U'\u00FF');
}

// What a path (UTF-8) becomes in a text: each character Windows-1252 lacks, and each byte that
// is not UTF-8 (cut short, overlong, a surrogate), is one '?'.
TEST(Cp1252, FromUtf8KeepsWhatTheCodePageHasAndMarksTheRest) {
  EXPECT_EQ(text::Cp1252FromUtf8("C:\\Caf\xC3\xA9 \xE2\x82\xAC\xC2\x81"), "C:\\Caf\xE9 \x80\x81");
  EXPECT_EQ(text::Cp1252FromUtf8("\xD0\x96\xE9\xA9\xB1\xF0\x9F\x98\x80"), "???");
  EXPECT_EQ(text::Cp1252FromUtf8("\x80\xC0\xAF\xED\xA0\x80\xE2\x82"), "????????");
}

// X's STRING is Latin-1: the characters Windows-1252 adds to it, and the C1 controls it leaves
// out, do not survive the trip.
TEST(Cp1252, Latin1BothWaysKeepsWhatBothHave) {
  EXPECT_EQ(text::Latin1FromCp1252("Caf\xE9 \x80\x81\xA0"), "Caf\xE9 ??\xA0");
  EXPECT_EQ(text::Cp1252FromLatin1("Caf\xE9 \x80\x81\xFF"), "Caf\xE9 ?\x81\xFF");
  EXPECT_EQ(text::Cp1252FromUnicode(U'\u2122'), '\x99');
  EXPECT_FALSE(text::Cp1252FromUnicode(U'\u0416').has_value());
}

TEST(Cp1252, AnotherProgramsLineEndsBecomeTheProgramsOwn) {
  EXPECT_EQ(text::LinesEndingLf("a\r\nb\rc\n\r"), "a\nb\rc\n\r");
}

TEST(RasterText, InkLeftOfTheCellIsDrawnButStaysInTheClip) {
  RasterSurface surface(20, 16);
  const std::unique_ptr<Device> device = surface.NewDevice();
  device->SelectFont(FontSpec{});
  ASSERT_LT(FindFont(FontSpec{})->GlyphFor('j').left, 0);
  device->TextOutOpaque({5, 2}, "j", 0x00000000, 0x00FFFFFF);
  int ink_left_of_cell = 0;
  for (int y = 0; y < 16; ++y) ink_left_of_cell += surface.Pixels().At(4, y) == 0 ? 1 : 0;
  EXPECT_GT(ink_left_of_cell, 0);

  RasterSurface clipped(20, 16);
  const std::unique_ptr<Device> second = clipped.NewDevice();
  second->SetClip({5, 0, 20, 16});
  second->TextOutOpaque({5, 2}, "j", 0x00000000, 0x00FFFFFF);
  for (int y = 0; y < 16; ++y) EXPECT_EQ(clipped.Pixels().At(4, y), 0x00FFFFFFu) << y;
}

TEST(RasterText, FontsAreSharedPerFaceAndSize) {
  FontSpec underlined;
  underlined.underline = true;
  EXPECT_EQ(FindFont(FontSpec{}), FindFont(underlined));
  FontSpec larger;
  larger.height = -16;
  EXPECT_NE(FindFont(FontSpec{}), FindFont(larger));
  EXPECT_EQ(FindFont(larger)->Height(), 14 + 3);
}

// Descriptions may name any number of sizes: the cache keeps what is held and lets the rest go.
TEST(RasterText, FontsNoOneHoldsGoOnceManyAreCached) {
  FontSpec held_spec;
  held_spec.height = -30;
  const std::shared_ptr<const RasterFont> held = FindFont(held_spec);
  FontSpec dropped_spec;
  dropped_spec.height = -31;
  const std::weak_ptr<const RasterFont> dropped = FindFont(dropped_spec);
  EXPECT_FALSE(dropped.expired()) << "kept while the cache has room";
  for (int i = 0; i <= static_cast<int>(kMostCachedFonts); ++i) {
    FontSpec other;
    other.height = -100 - i;
    FindFont(other);
  }
  EXPECT_TRUE(dropped.expired());
  EXPECT_EQ(FindFont(held_spec), held);
}

// A line much longer than the clip starts painting where it enters, in the state a walk from its
// first point would have reached: the same pixels as the whole line on a surface that holds it.
TEST(RasterLines, ALongClippedLinePaintsWhatTheWholeLinePaints) {
  const struct {
    Point from, to;
  } lines[] = {{{-3000, 7}, {2500, 31}}, {{2500, 31}, {-3000, 7}}, {{20, -4000}, {5, 3000}},
               {{5, 3000}, {20, -4000}}, {{-1480, -730}, {1520, 770}}, {{1520, 771}, {-1480, -730}},
               // slope 1/2: a tie at every other step, the first painted one among them
               {{-2999, -1480}, {3001, 1520}}, {{3001, 1520}, {-2999, -1480}}};
  for (const auto& line : lines) {
    // A surface just big enough for the whole line and the 40 x 40 window.
    const Point low{std::min({line.from.x, line.to.x, 0}), std::min({line.from.y, line.to.y, 0})};
    const Point high{std::max({line.from.x, line.to.x, 39}), std::max({line.from.y, line.to.y, 39})};
    RasterSurface whole(high.x - low.x + 1, high.y - low.y + 1);
    std::unique_ptr<Device> device = whole.NewDevice();
    device->SetOrigin({-low.x, -low.y});
    const Point whole_line[] = {line.from, line.to};
    device->Polyline(whole_line, 2, kRed);
    RasterSurface clipped(40, 40);
    clipped.NewDevice()->Polyline(whole_line, 2, kRed);
    int inked = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 40; ++x) {
        EXPECT_EQ(clipped.Pixels().At(x, y), whole.Pixels().At(x - low.x, y - low.y))
            << line.from.x << "," << line.from.y << " -> " << x << "," << y;
        inked += clipped.Pixels().At(x, y) == ColorRefToPixel(kRed);
      }
    }
    EXPECT_GT(inked, 0);
  }
}

// Coordinates at the ends of int: nothing overflows, and only the pixels in the clip are walked
// (the whole walk would take minutes).
TEST(RasterLines, LinesAcrossTheWholeIntRangeEndAtOnce) {
  RasterSurface surface(16, 16);
  std::unique_ptr<Device> device = surface.NewDevice();
  const int lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
  const Point across[] = {{lo, 8}, {hi, 8}, {8, lo}, {8, hi}, {lo, lo}, {hi, hi}};
  device->Polyline(across, 6, kRed);
  device->SetOrigin({hi, lo});
  device->Polyline(across, 6, kRed);
  device->FrameRect({lo, lo, hi, hi}, kRed);
  device->TextOutOpaque({hi - 2, lo}, "far", kRed, kRed);
  EXPECT_EQ(surface.Pixels().At(3, 8), ColorRefToPixel(kRed));
  EXPECT_EQ(surface.Pixels().At(8, 3), ColorRefToPixel(kRed));
}

}  // namespace
}  // namespace pf::raster
