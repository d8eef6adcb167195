#include "tests/support/image_compare.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/support/pixel_image.h"
#include "tests/support/png_writer.h"

namespace qf::test {
namespace {

namespace fs = std::filesystem;

class ImageCompare : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("qf_compare_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::vector<std::uint8_t> ReadFile(const std::string& name) const {
    std::ifstream file(dir_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  fs::path dir_;
};

TEST_F(ImageCompare, EqualPicturesPassAndWriteNothing) {
  const PixelImage a(3, 2, 0x123456);
  EXPECT_TRUE(ImagesEqualIn(dir_.string(), a.View(), PixelImage(3, 2, 0x123456).View(), "same"));
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(ImageCompare, FirstDifferenceIsReportedAndActualSaved) {
  const PixelImage expected(4, 3, 0xFFFFFF);
  PixelImage actual(4, 3, 0xFFFFFF);
  actual.Set(3, 1, 0x00FF00);
  actual.Set(1, 2, 0x0000FF);
  const ::testing::AssertionResult result =
      ImagesEqualIn(dir_.string(), expected.View(), actual.View(), "Suite.Case/1");
  ASSERT_FALSE(result);
  const std::string message = result.message();
  EXPECT_NE(message.find("(3, 1)"), std::string::npos) << message;
  EXPECT_NE(message.find("expected 0xFFFFFF, actual 0x00FF00"), std::string::npos) << message;
  EXPECT_EQ(ReadFile("Suite.Case_1.png"), EncodePng(actual.View()));
}

TEST_F(ImageCompare, SizeMismatchFails) {
  const ::testing::AssertionResult result = ImagesEqualIn(
      dir_.string(), PixelImage(4, 3).View(), PixelImage(3, 4).View(), "sizes");
  ASSERT_FALSE(result);
  EXPECT_NE(std::string(result.message()).find("expected 4x3, actual 3x4"), std::string::npos);
  EXPECT_FALSE(ReadFile("sizes.png").empty());
}

}  // namespace
}  // namespace qf::test
