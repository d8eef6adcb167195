// The main form is edited as text that names its pictures' files, and the executables embed what
// the converter makes of it. Its pictures must stay, byte for byte, those of the description the
// program embedded when the text still carried them as hex: tests/data/form_main_reference.qfz,
// made once from that description with
//   git show eb367d01d8b0:resources/Form_Main.form >old.form
//   build/linux/tools/formconv/qf_formconv --to-packed old.form tests/data/form_main_reference.qfz
// and replaced only on purpose, when a picture is meant to change. Blocks are matched by object
// and property, so moving a button leaves this test alone.
#include <gtest/gtest.h>

#include <optional>

#include "framework/controls/program_resources.h"
#include "framework/objects/sysutils.h"
#include "tests/framework/byte_blocks.h"

namespace qf::test {
namespace {

TEST(FormMainSource, EmbedsThePicturesOfTheReferenceByteForByte) {
  const std::optional<std::string_view> embedded = fw::LinkedResource("Form_Main");
  ASSERT_TRUE(embedded);
  const std::optional<std::string> reference = fw::ReadFileBytes(QF_FORM_MAIN_REFERENCE);
  ASSERT_TRUE(reference) << QF_FORM_MAIN_REFERENCE;

  const auto expected = qft::ByteBlocks(*reference);
  const auto blocks = qft::ByteBlocks(*embedded);
  EXPECT_EQ(expected.size(), 14u);  // the icon, the background, three pictures of each button
  for (const auto& [where, bytes] : expected) {
    const auto it = blocks.find(where);
    if (it == blocks.end()) {
      ADD_FAILURE() << where << " is missing";
    } else {
      EXPECT_TRUE(it->second == bytes) << where << " differs: " << it->second.size() << " bytes, expected "
                                       << bytes.size();
    }
  }
  EXPECT_EQ(blocks.size(), expected.size());
}

}  // namespace
}  // namespace qf::test
