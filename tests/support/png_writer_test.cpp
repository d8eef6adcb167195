#include "tests/support/png_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/pixel_image.h"

namespace qf::test {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::uint32_t BigEndianAt(const std::vector<std::uint8_t>& b, std::size_t at) {
  return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
         (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

TEST(Checksums, MatchTheStandardCheckValues) {
  EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
  EXPECT_EQ(Crc32({}), 0u);
  EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398u);
  EXPECT_EQ(Adler32({}), 1u);
}

TEST(Checksums, CrcContinuesAcrossPieces) {
  const std::vector<std::uint8_t> all = Bytes("123456789");
  const std::span<const std::uint8_t> whole(all);
  EXPECT_EQ(Crc32(whole.subspan(4), Crc32(whole.first(4))), 0xCBF43926u);
}

TEST(EncodePng, TwoPixelsGiveHeaderStoredBlockAndEnd) {
  PixelImage image(2, 1);
  image.Set(0, 0, 0x112233);
  image.Set(1, 0, 0xA0B0C0);
  const std::vector<std::uint8_t> png = EncodePng(image.View());

  const std::vector<std::uint8_t> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_EQ(png.size(), 8u + 25u + (12u + 2u + 5u + 7u + 4u) + 12u);
  EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
  // IHDR: length 13, 2 x 1, 8-bit RGB.
  EXPECT_EQ(BigEndianAt(png, 8), 13u);
  EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
  EXPECT_EQ(BigEndianAt(png, 16), 2u);
  EXPECT_EQ(BigEndianAt(png, 20), 1u);
  EXPECT_EQ(std::vector<std::uint8_t>(png.begin() + 24, png.begin() + 29),
            (std::vector<std::uint8_t>{8, 2, 0, 0, 0}));
  // IDAT: zlib header, one final stored block of 7 bytes (filter byte + 2 RGB triples), Adler-32.
  const std::size_t idat = 33;
  EXPECT_EQ(BigEndianAt(png, idat), 18u);
  EXPECT_EQ(std::string(png.begin() + idat + 4, png.begin() + idat + 8), "IDAT");
  const std::vector<std::uint8_t> zlib(png.begin() + idat + 8, png.begin() + idat + 26);
  EXPECT_EQ(zlib, (std::vector<std::uint8_t>{0x78, 0x01, 0x01, 0x07, 0x00, 0xF8, 0xFF, 0x00, 0x11,
                                             0x22, 0x33, 0xA0, 0xB0, 0xC0, 0x05, 0xE3, 0x02, 0x77}));
  // IEND with its well-known CRC.
  EXPECT_EQ(std::vector<std::uint8_t>(png.end() - 12, png.end()),
            (std::vector<std::uint8_t>{0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82}));
}

TEST(EncodePng, ChunkCrcsCoverTypeAndData) {
  const std::vector<std::uint8_t> png = EncodePng(PixelImage(3, 2, 0x00FF00).View());
  std::size_t at = 8;
  while (at < png.size()) {
    const std::uint32_t length = BigEndianAt(png, at);
    const std::span<const std::uint8_t> typed(png.data() + at + 4, length + 4);
    EXPECT_EQ(BigEndianAt(png, at + 8 + length), Crc32(typed)) << "chunk at " << at;
    at += 12 + length;
  }
  EXPECT_EQ(at, png.size());
}

}  // namespace
}  // namespace qf::test
