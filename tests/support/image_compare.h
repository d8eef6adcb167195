#pragma once
// Exact picture comparison for GoogleTest. On a mismatch the actual picture is written as a PNG
// (into $QF_TEST_OUTPUT, else the current directory) and the first differing pixel is reported.
#include <string>

#include <gtest/gtest.h>

#include "platform/device.h"

namespace qf::test {

// The folder mismatching pictures go to: $QF_TEST_OUTPUT, else ".".
std::string OutputDirectory();

// `name` names the PNG (name + ".png"); empty means the running test's "Suite.Test".
::testing::AssertionResult ImagesEqual(const pf::ImageView& expected, const pf::ImageView& actual,
                                       const std::string& name = {});
// As above, writing into `directory`.
::testing::AssertionResult ImagesEqualIn(const std::string& directory,
                                         const pf::ImageView& expected,
                                         const pf::ImageView& actual, const std::string& name);

}  // namespace qf::test
