// Damaged bitmap files: every one must be refused with the same clear error, leaving the picture
// that was there. Run these under the sanitizer build too.
#include <gtest/gtest.h>

#include <random>

#include "alloc_watch.h"
#include "bmp_builder.h"
#include "framework/graphics/bitmap.h"

namespace fw {
namespace {

using qf_test::BmpParts;

// 3 x 2, 8-bit, two colours: header 14 + 40, table at 54, pixels at 62, 70 bytes in all.
std::string Valid8Bit() {
  BmpParts s{.width = 3, .height = 2, .bits = 8, .colors_used = 2, .palette = {0x112233, 0x445566}};
  s.rows = {{0, 1, 0}, {1, 1, 0}};
  return qf_test::BuildBmp(s);
}

std::vector<std::string> ValidFiles() {
  std::vector<std::string> files{Valid8Bit()};
  BmpParts bitfields{.width = 3, .height = 2, .bits = 16, .compression = 3,
                    .masks = {0xF800, 0x07E0, 0x001F}};
  bitfields.rows = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}};
  files.push_back(qf_test::BuildBmp(bitfields));
  BmpParts v5{.header_size = 124, .width = 1, .height = -2, .bits = 32};
  v5.rows = {{1, 2, 3, 4}, {5, 6, 7, 8}};
  files.push_back(qf_test::BuildBmp(v5));
  BmpParts core{.header_size = 12, .width = 9, .height = 1, .bits = 1, .palette = {0, 0xFFFFFF}};
  core.rows = {{0xAA, 0x80}};
  files.push_back(qf_test::BuildBmp(core));
  files.push_back(TBitmap(5, 3).SaveToBytes());
  return files;
}

// Loads into a 1 x 1 picture; the error must be the exact one and the picture must stay.
void ExpectRefused(std::string_view bytes, const std::string& what) {
  TBitmap b(1, 1);
  b.SetPixel(0, 0, 0x123456);
  try {
    b.LoadFromBytes(bytes);
    ADD_FAILURE() << what << ": accepted";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Bitmap image is not valid") << what;
  }
  EXPECT_EQ(b.Width(), 1) << what;
  EXPECT_EQ(b.Pixel(0, 0), 0x123456u) << what;
}

TEST(BitmapMalformed, DataThatIsNotABitmapFile) {
  std::string swapped = Valid8Bit();
  std::swap(swapped[0], swapped[1]);
  for (const std::string& bytes : {std::string(), std::string("B"), std::string("BM"),
                                   std::string("\x89PNG\r\n\x1a\n", 8), swapped,
                                   std::string("GIF89a") + std::string(64, '\0')})
    ExpectRefused(bytes, "'" + bytes.substr(0, 4) + "'");
}

TEST(BitmapMalformed, TruncatedAtEveryLength) {
  for (const std::string& file : ValidFiles()) {
    TBitmap whole;
    ASSERT_NO_THROW(whole.LoadFromBytes(file));
    for (std::size_t n = 0; n < file.size(); ++n)
      ExpectRefused(std::string_view(file).substr(0, n), "cut at " + std::to_string(n) + " of " +
                                                             std::to_string(file.size()));
  }
}

struct Damage {
  const char* what;
  std::size_t offset;
  std::uint32_t value;
  int size;  // 2 or 4 bytes
};

std::string Damaged(std::initializer_list<Damage> damage) {
  std::string file = Valid8Bit();
  for (const Damage& d : damage) {
    std::string patch;
    if (d.size == 2)
      qf_test::PutU16(patch, d.value);
    else
      qf_test::PutU32(patch, d.value);
    file.replace(d.offset, patch.size(), patch);
  }
  return file;
}

TEST(BitmapMalformed, DamagedHeaderFields) {
  const Damage table[] = {
      {"header size 0", 14, 0, 4},
      {"header size 13", 14, 13, 4},
      {"header size 64", 14, 64, 4},
      {"header size past the end", 14, 0xFFFFFFFF, 4},
      {"huge width", 18, 0x7FFFFFFF, 4},
      {"width 65536", 18, 65536, 4},
      {"negative width", 18, static_cast<std::uint32_t>(-3), 4},
      {"most negative width", 18, 0x80000000, 4},
      {"huge height", 22, 0x7FFFFFFF, 4},
      {"most negative height", 22, 0x80000000, 4},
      {"more rows than data, top-down", 22, static_cast<std::uint32_t>(-3), 4},
      {"more rows than data", 22, 3, 4},
      {"no planes", 26, 0, 2},
      {"bit count 0", 28, 0, 2},
      {"bit count 7", 28, 7, 2},
      {"bit count 2", 28, 2, 2},
      {"bit count 64", 28, 64, 2},
      {"run-length 8", 30, 1, 4},
      {"run-length 4", 30, 2, 4},
      {"bit fields on 8 bits", 30, 3, 4},
      {"embedded JPEG", 30, 4, 4},
      {"unknown compression", 30, 0xFFFFFFFF, 4},
      {"colour table past the pixels", 46, 3, 4},
      {"colour table past the end", 46, 200, 4},
      {"more colours than the bit count allows", 46, 257, 4},
      {"colour count overflows", 46, 0xFFFFFFFF, 4},
      {"pixels past the end", 10, 0xFFFFFFFF, 4},
      {"pixels start at the end", 10, 70, 4},
      {"pixels one byte late", 10, 63, 4},
      {"pixels inside the header", 10, 20, 4},
      {"pixels inside the colour table", 10, 58, 4},
  };
  for (const Damage& d : table) ExpectRefused(Damaged({d}), d.what);
}

TEST(BitmapMalformed, LargeClaimsAreRefusedBeforeAnythingIsAllocated) {
  struct Claim {
    const char* what;
    std::int32_t width, height;
  };
  const Claim claims[] = {{"16384 x 16384", 16384, 16384},
                          {"width 65536", 65536, 2},
                          {"height 65536", 3, 65536},
                          {"top-down 30000 x 30000", 30000, -30000}};
  for (const Claim& c : claims) {
    const std::string file = Damaged({{c.what, 18, static_cast<std::uint32_t>(c.width), 4},
                                      {c.what, 22, static_cast<std::uint32_t>(c.height), 4}});
    qf_test::LargestAllocation largest;
    ExpectRefused(file, c.what);
    EXPECT_LT(largest.Bytes(), 4096u) << c.what;
  }
}

TEST(BitmapMalformed, OtherLayoutsThatDoNotAddUp) {
  BmpParts bitfields24{.width = 1, .height = 1, .bits = 24, .compression = 3, .masks = {1, 2, 4}};
  bitfields24.rows = {{1, 2, 3}};
  ExpectRefused(qf_test::BuildBmp(bitfields24), "bit fields on 24 bits");
  BmpParts core16{.header_size = 12, .width = 1, .height = 1, .bits = 16};
  core16.rows = {{1, 2}};
  ExpectRefused(qf_test::BuildBmp(core16), "16 bits in a core header");
  BmpParts core_short_table{.header_size = 12, .width = 1, .height = 1, .bits = 8, .palette = {0, 1}};
  core_short_table.rows = {{0}};
  ExpectRefused(qf_test::BuildBmp(core_short_table), "core header with a short colour table");
}

TEST(BitmapMalformed, RandomDamageIsReadOrRefusedCleanly) {
  std::mt19937 random(20240611);
  int refused = 0;
  for (const std::string& file : ValidFiles()) {
    for (int round = 0; round < 600; ++round) {
      std::string bytes = file;
      const int changes = 1 + static_cast<int>(random() % 4);
      for (int i = 0; i < changes; ++i)
        bytes[random() % std::min<std::size_t>(bytes.size(), 70)] = static_cast<char>(random());
      TBitmap b;
      try {
        b.LoadFromBytes(bytes);
        EXPECT_LE(static_cast<std::size_t>(b.Width()) * b.Height(), bytes.size() * 8);
      } catch (const EInvalidGraphic&) {
        ++refused;
      }
    }
  }
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace fw
