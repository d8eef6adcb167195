#include "tests/support/image_compare.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "tests/support/png_writer.h"

namespace qf::test {
namespace {

std::string Hex(std::uint32_t pixel) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(pixel));
  return text;
}

std::string RunningTestName() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  if (info == nullptr) return "image";
  return std::string(info->test_suite_name()) + "." + info->name();
}

// File names keep to letters, digits, '.', '-' and '_'.
std::string FileNameFor(const std::string& name) {
  std::string file = name;
  for (char& c : file) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '.' || c == '-' || c == '_';
    if (!plain) c = '_';
  }
  return file + ".png";
}

std::optional<pf::Point> FirstDifference(const pf::ImageView& a, const pf::ImageView& b) {
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (a.At(x, y) != b.At(x, y)) return pf::Point{x, y};
    }
  }
  return std::nullopt;
}

std::string SavedNote(const std::string& directory, const std::string& name,
                      const pf::ImageView& actual) {
  const std::string path = directory + "/" + FileNameFor(name);
  if (WritePng(path, actual)) return "; actual picture written to " + path;
  return "; could not write the actual picture to " + path;
}

}  // namespace

std::string OutputDirectory() {
  const char* dir = std::getenv("QF_TEST_OUTPUT");
  return dir != nullptr && *dir != '\0' ? dir : ".";
}

::testing::AssertionResult ImagesEqual(const pf::ImageView& expected, const pf::ImageView& actual,
                                       const std::string& name) {
  return ImagesEqualIn(OutputDirectory(), expected, actual, name.empty() ? RunningTestName() : name);
}

::testing::AssertionResult ImagesEqualIn(const std::string& directory,
                                         const pf::ImageView& expected,
                                         const pf::ImageView& actual, const std::string& name) {
  if (expected.width != actual.width || expected.height != actual.height) {
    return ::testing::AssertionFailure()
           << "size differs: expected " << expected.width << "x" << expected.height << ", actual "
           << actual.width << "x" << actual.height << SavedNote(directory, name, actual);
  }
  const std::optional<pf::Point> at = FirstDifference(expected, actual);
  if (!at) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "first difference at (" << at->x << ", " << at->y << "): expected "
         << Hex(expected.At(at->x, at->y)) << ", actual " << Hex(actual.At(at->x, at->y))
         << SavedNote(directory, name, actual);
}

}  // namespace qf::test
