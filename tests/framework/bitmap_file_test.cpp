// Reading bitmap files of every supported kind, built byte by byte.
#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "framework/graphics/bitmap.h"

namespace fw {
namespace {

using qf_test::BmpParts;
using qf_test::BuildBmp;

TBitmap Load(const BmpParts& parts) {
  TBitmap b;
  b.LoadFromBytes(BuildBmp(parts));
  return b;
}

void ExpectPixels(const TBitmap& b, int width, int height, std::initializer_list<pf::ColorRef> top_down) {
  ASSERT_EQ(b.Width(), width);
  ASSERT_EQ(b.Height(), height);
  auto expected = top_down.begin();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x, ++expected)
      EXPECT_EQ(b.Pixel(x, y), *expected) << "at " << x << "," << y;
}

constexpr pf::ColorRef R = 0x0000FF, B = 0xFF0000;  // red and blue as 0x00BBGGRR

TEST(BitmapFile, Reads1BitWithAColourTable) {
  BmpParts s{.width = 10, .height = 2, .bits = 1, .palette = {0xFF0000, 0x0000FF}};
  s.rows = {{0b10100000, 0b01000000}, {0xFF, 0xC0}};  // bottom row first
  ExpectPixels(Load(s), 10, 2, {B, B, B, B, B, B, B, B, B, B,  //
                                B, R, B, R, R, R, R, R, R, B});
}

TEST(BitmapFile, Reads4BitTopDown) {
  BmpParts s{.width = 3, .height = -2, .bits = 4};
  for (std::uint32_t i = 0; i < 16; ++i) s.palette.push_back(i * 0x111111u);
  s.rows = {{0x12, 0x30}, {0xF0, 0xA0}};  // top row first
  ExpectPixels(Load(s), 3, 2, {0x111111, 0x222222, 0x333333,  //
                               0xFFFFFF, 0x000000, 0xAAAAAA});
}

TEST(BitmapFile, Reads8BitWithAShortTableAndIndicesPastIt) {
  BmpParts s{.width = 2, .height = 2, .bits = 8, .colors_used = 3,
            .palette = {0x102030, 0x405060, 0x708090}};
  s.rows = {{2, 5}, {0, 1}};
  ExpectPixels(Load(s), 2, 2, {0x302010, 0x605040,  //
                               0x908070, 0x000000});
}

TEST(BitmapFile, Reads16Bit555) {
  BmpParts s{.width = 3, .height = 1, .bits = 16};
  s.rows = {{0x00, 0x7C, 0x10, 0x02, 0xFF, 0x7F}};  // red; green and blue 16 of 31; white
  ExpectPixels(Load(s), 3, 1, {R, 0x848400, 0xFFFFFF});
}

TEST(BitmapFile, Reads16BitBitfields565) {
  BmpParts s{.width = 3, .height = 1, .bits = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F}};
  s.rows = {{0xE0, 0x07, 0x21, 0x08, 0x00, 0xF8}};  // full green; 1 of each; full red
  ExpectPixels(Load(s), 3, 1, {0x00FF00, 0x080408, R});
}

TEST(BitmapFile, Reads24BitBothRowOrders) {
  BmpParts s{.width = 2, .height = 2, .bits = 24};
  s.rows = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}};
  ExpectPixels(Load(s), 2, 2, {0x070809, 0x0A0B0C,  //
                               0x010203, 0x040506});
  s.height = -2;
  ExpectPixels(Load(s), 2, 2, {0x010203, 0x040506,  //
                               0x070809, 0x0A0B0C});
}

TEST(BitmapFile, Reads32BitIgnoringTheFourthByte) {
  BmpParts s{.width = 2, .height = 1, .bits = 32};
  s.rows = {{0x10, 0x20, 0x30, 0xFF, 0x40, 0x50, 0x60, 0x80}};
  ExpectPixels(Load(s), 2, 1, {0x102030, 0x405060});
}

TEST(BitmapFile, ReadsV5HeaderWithMasksInside) {
  BmpParts s{.header_size = 124, .width = 2, .height = -1, .bits = 32, .compression = 3,
            .masks = {0x000000FF, 0x0000FF00, 0x00FF0000}};  // bytes red, green, blue, alpha
  s.rows = {{0x11, 0x22, 0x33, 0x44, 0xAA, 0xBB, 0xCC, 0xDD}};
  ExpectPixels(Load(s), 2, 1, {0x332211, 0xCCBBAA});
}

TEST(BitmapFile, ReadsV4Header24Bit) {
  BmpParts s{.header_size = 108, .width = 1, .height = 2, .bits = 24};
  s.rows = {{1, 2, 3}, {4, 5, 6}};
  ExpectPixels(Load(s), 1, 2, {0x040506, 0x010203});
}

TEST(BitmapFile, ReadsTheCoreHeader) {
  BmpParts s{.header_size = 12, .width = 3, .height = 1, .bits = 1, .palette = {0x000000, 0x00FF00}};
  s.rows = {{0b01000000}};
  ExpectPixels(Load(s), 3, 1, {0, 0x00FF00, 0});
  BmpParts t{.header_size = 12, .width = 1, .height = 2, .bits = 24};
  t.rows = {{1, 2, 3}, {4, 5, 6}};
  ExpectPixels(Load(t), 1, 2, {0x040506, 0x010203});
}

TEST(BitmapFile, PicturesFromOtherDepthsAreWrittenAs24Bit) {
  BmpParts s{.width = 3, .height = 1, .bits = 16};
  s.rows = {{0x00, 0x7C, 0x10, 0x02, 0xFF, 0x7F}};
  const TBitmap b = Load(s);
  const std::string file = b.SaveToBytes();
  EXPECT_EQ(qf_test::GetU32(file, 26), 1u | (24u << 16));
  TBitmap back;
  back.LoadFromBytes(file);
  EXPECT_TRUE(back.Equals(b));
}

}  // namespace
}  // namespace fw
