// Broken descriptions in the binary syntax: a clear error naming the byte offset, nothing left
// behind, for every truncation and for lengths, counts and tags that do not fit.
#include <gtest/gtest.h>
#include <zlib.h>

#include "framework/description/reader.h"
#include "framework/description_tools/converter.h"
#include "tests/framework/streaming_components.h"

namespace qft {
namespace {
using namespace fw;
using namespace std::string_literals;

// Builds binary descriptions by hand.
std::string Str(const std::string& s) { return static_cast<char>(s.size()) + s; }
std::string Object(const std::string& cls, const std::string& name) { return "\x01" + Str(cls) + Str(name); }
std::string Property(const std::string& name) { return "\x02" + Str(name); }
const std::string kSig = "\x89QFB";
const std::string kForm = kSig + Object("TTestForm", "F");  // 4 + 1 + 10 + 2 = offset 17 after it

struct BrokenBinary {
  std::string data;
  std::size_t offset;
  const char* says;
};

void PrintTo(const BrokenBinary& b, std::ostream* os) { *os << b.says; }

const BrokenBinary kBroken[] = {
    {"\x89QFX", 0, "bad signature"},
    {"\x89Q", 0, "bad signature"},
    {kSig, 4, "the data ends before the top object"},
    {kSig + "\x02", 4, "the top object expected, found tag $02"},
    {kForm, 17, "the data ends before TTestForm F of offset 4 is closed"},
    {kForm + "\x07", 17, "unknown tag $07 where an object, a property or the end of an object belongs"},
    {kForm + Property("Tag") + "\x16", 22, "unknown tag $16 for the value of Tag"},
    {kForm + Property("Tag"), 22, "the data ends before the value of Tag"},
    {kForm + Property("Tag") + "\x11\x80\x80", 23, "the data ends inside the integer"},
    {kForm + Property("Tag") + "\x11" + std::string(9, '\xFF') + "\x02", 23, "the integer does not fit in 64 bits"},
    {kForm + Property("Tag") + "\x12\x01\x02", 23, "the data ends inside a 32-bit pattern"},
    {kForm + Property("Caption") + "\x13\x05" + "abc", 27, "a string of 5 bytes runs past the end of the data (3 bytes left)"},
    {kForm + "\x02\x09" "Cap", 18, "a property name of 9 bytes runs past the end"},
    {kForm + Property("Caption") + "\x14\xFF\xFF\xFF\xFF\x0F", 27, "a byte block of 4294967295 bytes runs past the end"},
    {kForm + Property("Caption") + "\x13" + std::string(10, '\xFF') + "\x01", 27, "the string does not fit in 64 bits"},
    {kForm + Property("Color") + "\x15\x7F\x06stBold", 24, "a set of 127 names runs past the end of the data"},
    {kForm + Property("Color") + "\x15\x01\x03" "a b", 26, "the name in set is not a name"},
    {kForm + Property("Color") + "\x10\x03" + "c-l", 25, "the name is not a name"},
    {kForm + Property("9x") + "\x11\x00", 18, "the property name is not a name"},
    {kSig + "\x01\x03T T\x00"s, 5, "the class name is not a name"},
    {kSig + Object("TTestForm", "a.") + "\x00"s, 15, "the object name is not a name"},
    {kForm + "\x00\x00"s, 18, "1 bytes of data after the end of the description"},
    {kForm + "\x00"s + kForm + "\x00"s, 18, "18 bytes of data after the end"},
    {kForm + Property("Tag") + "\x13\x01x\x00"s, 22, "Tag of TTestForm needs an integer, not a string"},
};

class BrokenBinaryDescription : public ::testing::TestWithParam<BrokenBinary> {};

void ExpectFailure(const std::string& data, std::size_t offset, const char* says) {
  const int live = g_live;
  for (bool create : {false, true}) {
    TTestForm form(nullptr);
    try {
      if (create) {
        delete ReadNewComponent(data, &form);
      } else {
        ReadComponent(data, form);
      }
      ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
      const String message = e.what();
      EXPECT_TRUE(message.starts_with("Offset " + std::to_string(offset) + ": ")) << message;
      EXPECT_NE(message.find(says), String::npos) << message;
    }
    EXPECT_EQ(form.ComponentCount(), 0);
  }
  EXPECT_EQ(g_live, live);
}

TEST_P(BrokenBinaryDescription, RaisesNamingTheOffsetAndLeavesNothingBehind) {
  const BrokenBinary& b = GetParam();
  ExpectFailure(b.data, b.offset, b.says);
  if (String(b.says).find("needs") != String::npos) return;  // the syntax is sound, only the class objects
  EXPECT_THROW(ConvertDescription(b.data, DescriptionSyntax::Text), EReadError);
}

INSTANTIATE_TEST_SUITE_P(Table, BrokenBinaryDescription, ::testing::ValuesIn(kBroken));

const String kSample =
    "TTestForm F {\n  Tag = -300\n  Color = $00A56934\n  TWidget W1 {\n    Font.Style = [stBold, stItalic]\n"
    "    Picture.Data = <\n      00112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF\n    >\n"
    "    Hint = \"tip\"\n    OnClick = WidgetClick\n    TWidget {\n      Top = 2\n    }\n  }\n}\n";

// A description cut short anywhere is an error that says the data ended, at or before the cut.
TEST(BrokenBinaryDescriptionCut, EveryTruncationRaisesAndLeavesNothingBehind) {
  const std::string whole = ConvertDescription(kSample, DescriptionSyntax::Binary);
  const int live = g_live;
  for (std::size_t cut = 1; cut < whole.size(); ++cut) {
    const std::string part = whole.substr(0, cut);
    TTestForm form(nullptr);
    try {
      ReadComponent(part, form);
      ADD_FAILURE() << "no error at " << cut;
    } catch (const EReadError& e) {
      const String message = e.what();
      ASSERT_TRUE(message.starts_with("Offset ")) << message;
      const unsigned long long offset = std::stoull(message.substr(7));
      EXPECT_LE(offset, cut) << message;
      EXPECT_NE(message.find(cut < 4 ? "bad signature" : "end"), String::npos) << message;
    }
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_THROW(ConvertDescription(part, DescriptionSyntax::Text), EReadError);
  }
  EXPECT_EQ(g_live, live);
  TTestForm form(nullptr);
  ReadComponent(whole, form);
  EXPECT_EQ(form.ComponentCount(), 2);
}

// Nesting costs the reader stack: beyond a depth no form needs, the answer is an error, whichever
// the syntax (a stack overflow is no answer).
TEST(DeepDescription, NestingBeyondTwoHundredIsRefusedInBothSyntaxes) {
  const auto nested = [](int depth) {
    String text = "TTestForm F {\n";
    for (int i = 0; i < depth; ++i) text += "TWidget {\n";
    for (int i = 0; i < depth; ++i) text += "}\n";
    return text + "}\n";
  };
  TTestForm ok(nullptr);
  ReadComponent(nested(200), ok);
  EXPECT_EQ(ok.ComponentCount(), 200);
  const int live = g_live;
  for (const String& data : {nested(201), ConvertDescription(nested(100000), DescriptionSyntax::Binary)}) {
    TTestForm form(nullptr);
    try {
      ReadComponent(data, form);
      ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
      EXPECT_NE(String(e.what()).find("objects nested more than 200 deep"), String::npos) << e.what();
    }
    EXPECT_EQ(form.ComponentCount(), 0);
  }
  EXPECT_EQ(g_live, live);
}

// The packed form (what the executables embed) unpacks to the binary one; a packed description
// that lies about its size, is cut short or carries more is refused before any object is made.
TEST(PackedDescription, UnpacksToTheBinaryFormAndRefusesWhatDoesNotUnpack) {
  const std::string binary = ConvertDescription(kSample, DescriptionSyntax::Binary);
  const std::string packed = ConvertDescription(kSample, DescriptionSyntax::Packed);
  ASSERT_EQ(packed.substr(0, 4), "\x89QFZ");
  EXPECT_EQ(ConvertDescription(packed, DescriptionSyntax::Binary), binary);
  EXPECT_EQ(ConvertDescription(packed, DescriptionSyntax::Text), kSample);
  TTestForm form(nullptr);
  ReadComponent(packed, form);
  EXPECT_EQ(form.ComponentCount(), 2);

  const auto header = [](std::size_t size) {
    std::string out = "\x89QFZ";
    for (; size >= 0x80; size >>= 7) out += static_cast<char>(size | 0x80);
    return out + static_cast<char>(size);
  };
  const std::size_t at = header(binary.size()).size();
  const std::string deflated = packed.substr(at);
  ASSERT_EQ(header(binary.size()) + deflated, packed);
  const std::string lie = "unpacks to " + std::to_string(binary.size()) + " bytes, not " + std::to_string(binary.size() + 1);
  ExpectFailure(header(binary.size() + 1) + deflated, at, lie.c_str());
  ExpectFailure(header(binary.size() - 1) + deflated, at, "does not unpack");
  ExpectFailure(header(binary.size()) + deflated.substr(0, 9), at, "does not unpack");
  ExpectFailure(header(binary.size()) + deflated.substr(0, 9) + "garbage!", at, "does not unpack");
  ExpectFailure(packed + "xy", packed.size(), "2 bytes after the packed data");
  ExpectFailure("\x89QFZ\xFF\xFF\xFF\xFF\x0F"s + deflated, 4, "4294967295 bytes cannot unpack from");
  for (std::size_t cut = 1; cut < packed.size(); ++cut) {
    EXPECT_THROW(ConvertDescription(packed.substr(0, cut), DescriptionSyntax::Text), EReadError) << cut;
  }
  // What unpacks must be binary records: not text, not another packed description.
  for (const std::string& inner : {std::string(kSample), packed}) {
    uLongf size = compressBound(static_cast<uLong>(inner.size()));
    std::string again(size, '\0');
    ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(again.data()), &size, reinterpret_cast<const Bytef*>(inner.data()),
                        static_cast<uLong>(inner.size()), 9), Z_OK);
    ExpectFailure(header(inner.size()) + again.substr(0, size), 0, "bad signature");
  }
}

}  // namespace
}  // namespace qft
