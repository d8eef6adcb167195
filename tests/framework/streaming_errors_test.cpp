#include <gtest/gtest.h>

#include <set>

#include "framework/description/binary_reader.h"
#include "framework/description/reader.h"
#include "framework/description_tools/converter.h"
#include "framework/description_tools/text_document.h"
#include "framework/description_tools/text_parser.h"
#include "tests/framework/streaming_components.h"

namespace qft {
namespace {
using namespace fw;

struct Broken {
  String text;
  int line;
  const char* says;
};

void PrintTo(const Broken& b, std::ostream* os) { *os << '"' << b.text << '"'; }

const String kW = "TTestForm F {\n  TWidget W {\n";  // the widget's properties start on line 3

const Broken kBroken[] = {
    {"", 1, "class name expected, found the end of the text"},
    {"TTestForm F\n{\n}\n", 1, "'{' expected"},
    {"TTestForm F {\n  Colour = clRed\n}\n", 2, "unknown property 'Colour' of TTestForm"},
    {"TTestForm F {\n  Name = \"G\"\n}\n", 2, "unknown property 'Name'"},
    {"TTestForm F {\n  TWidget W {\n    TFoo X {\n    }\n  }\n}\n", 3, "Class TFoo not found"},
    {"TTestForm F {\n  TAbstractWidget X {\n  }\n}\n", 2, "TAbstractWidget cannot be created"},
    {"TTestForm F {\n  Caption = \"open\n}\n", 2, "string not closed"},
    {"TTestForm F {\n  Caption = \"\\q\"\n}\n", 2, "unknown escape \\q"},
    {"TTestForm F {\n  Caption = \"\\x4\"\n}\n", 2, "two hexadecimal digits expected after \\x"},
    {"TTestForm F {\n  TWidget W {\n    Picture.Data = <\n      0011\n", 3, "byte block not closed"},
    {"TTestForm F {\n  TWidget W {\n    Picture.Data = <\n      00\n      1g\n    >\n", 5, "bad hexadecimal digit 'g'"},
    {"TTestForm F {\n  TWidget W {\n    Picture.Data = < 001 >\n  }\n}\n", 3, "odd number of hexadecimal digits"},
    {"TTestForm F {\n  TWidget W {\n  }\n  TWidget W {\n  }\n}\n", 4, "A component named W already exists"},
    {"TTestForm F {\n  TWidget 9 {\n  }\n}\n", 2, "'=' or '{' expected after 'TWidget'"},
    {"TTestForm F {\n  TWidget W {\n    Left = 1\n  }\n", 4, "'}' missing: TTestForm F of line 1 is not closed"},
    {"TTestForm F {\n}\nTWidget W {\n}\n", 3, "unexpected 'TWidget' after the end of the description"},
    {"TTestForm F {\n  OnCreate = NoSuch\n}\n", 2, "Method NoSuch not found in TTestForm"},
    {"TTestForm F {\n  OnCreate = WidgetMove\n}\n", 2, "Method WidgetMove of TTestForm does not fit the event"},
    {"TTestForm F {\n  OnCreate = \"WidgetClick\"\n}\n", 2, "OnCreate of TTestForm needs a name, not a string"},
    {"TTestForm F {\n  Caption = \"a\"\n  Caption = \"b\"\n}\n", 3, "property Caption of TTestForm given twice"},
    {"TTestForm F {\n  Caption = \"a\" Tag = 1\n}\n", 2, "unexpected 'Tag': one property or object per line"},
    {"TTestForm F {\n  Tag =\n    1\n}\n", 2, "value of Tag expected after '='"},
    {"TTestForm F {\n  Tag = 1;\n}\n", 2, "unexpected character ';'"},
    {"TTestForm F {\n  Tag = 12ab\n}\n", 2, "malformed number"},
    {"TTestForm F {\n  Tag = 99999999999999999999\n}\n", 2, "number too large"},
    {"TTestForm F {\n  Tag = 2147483648\n}\n", 2, "2147483648 is out of range for Tag of TTestForm"},
    {"TTestForm F {\n  Tag = $123456789\n}\n", 2, "more than eight hexadecimal digits"},
    {"TTestForm F {\n  Color = clPuce\n}\n", 2, "unknown value 'clPuce' for Color of TTestForm"},
    {"TTestForm F {\n  Color = \"clRed\"\n}\n", 2, "Color of TTestForm needs a name, not a string"},
    {(kW + "    Left = \"x\"\n  }\n}\n"), 3, "Left of TWidget needs an integer, not a string"},
    {(kW + "    Visible = Yes\n  }\n}\n"), 3, "Visible of TWidget needs True or False, not 'Yes'"},
    {(kW + "    Shape = shOval\n  }\n}\n"), 3, "unknown value 'shOval' for Shape of TWidget"},
    {(kW + "    Shape = [shStar]\n  }\n}\n"), 3, "Shape of TWidget needs a name, not a set"},
    {(kW + "    Font.Style = stBold\n  }\n}\n"), 3, "Font.Style of TWidget needs a set, not 'stBold'"},
    {(kW + "    Font.Style = [stBold, stWide]\n  }\n}\n"), 3, "unknown value 'stWide' for Font.Style"},
    {(kW + "    Font.Style = [stBold, stBold]\n  }\n}\n"), 3, "'stBold' twice in the set"},
    {(kW + "    Font.Style = [stBold stItalic]\n  }\n}\n"), 3, "',' or ']' expected in set, found 'stItalic'"},
    {(kW + "    Cursor = crPointy\n  }\n}\n"), 3, "unknown value 'crPointy' for Cursor of TWidget"},
    {(kW + "    Picture.Data = \"00\"\n  }\n}\n"), 3, "Picture.Data of TWidget needs a byte block"},
    {(kW + "    Count = -1\n  }\n}\n"), 3, "Count must not be negative"},
    {(kW + "    Caption = \"fail when loaded\"\n  }\n}\n"), 2, "Widget refuses to load"},
    {"TWidget W {\n}\n", 1, "a TTestForm cannot be read from a description of TWidget"},
};

class BrokenDescription : public ::testing::TestWithParam<Broken> {};

// The positions of each item and value as the syntax gives them, in the order it gives them.
std::vector<std::pair<long long, long long>> Positions(syntax::SyntaxSource& source) {
  using syntax::SyntaxItem;
  std::vector<std::pair<long long, long long>> out;
  for (SyntaxItem item = source.Next(); item.kind != SyntaxItem::Kind::End; item = source.Next()) {
    long long value = item.kind == SyntaxItem::Kind::Property ? source.NextValue(item.name).pos : item.pos;
    out.push_back({item.pos, value});
  }
  return out;
}

// The offsets in the binary form of what stands on `line` of the text.
std::set<String> OffsetsOfLine(const String& text, const std::string& binary, int line) {
  auto in_text = Positions(*syntax::NewTextSource(text));
  auto in_binary = Positions(*syntax::NewBinarySource(binary));
  EXPECT_EQ(in_text.size(), in_binary.size());
  std::set<String> out;
  for (std::size_t i = 0; i < in_text.size() && i < in_binary.size(); ++i) {
    if (in_text[i].first == line) out.insert(Format("Offset %lld", in_binary[i].first));
    if (in_text[i].second == line) out.insert(Format("Offset %lld", in_binary[i].second));
  }
  return out;
}

// The message, checked to begin with the position `where` ("Line 3") unless that is empty.
String ExpectFailure(const Broken& b, const String& where, const std::function<void()>& read) {
  try {
    read();
    ADD_FAILURE() << "no error for:\n" << b.text;
  } catch (const EReadError& e) {
    const String message = e.what();
    if (!where.empty()) {
      EXPECT_TRUE(message.starts_with(where + ": ")) << message;
    }
    EXPECT_NE(message.find(b.says), String::npos) << message;
    return message;
  }
  return {};
}

void ExpectNothingLeftBehind(const Broken& b, const std::string& data, const String& where) {
  const int live = g_live;
  {
    TTestForm form(nullptr);
    ExpectFailure(b, where, [&] { ReadComponent(data, form); });
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_FALSE(form.HasState(ComponentState::Loading) || form.HasState(ComponentState::Reading));
  }
  EXPECT_EQ(g_live, live);
  if (String(b.text).starts_with("TTestForm")) {
    TTestForm owner(nullptr);
    ExpectFailure(b, where, [&] { ReadNewComponent(data, &owner); });
    EXPECT_EQ(owner.ComponentCount(), 0);
  }
  EXPECT_EQ(g_live, live);
}

TEST_P(BrokenDescription, RaisesNamingTheLineAndLeavesNothingBehind) {
  const Broken& b = GetParam();
  ExpectNothingLeftBehind(b, b.text, Format("Line %d", b.line));
}

// What the text syntax can say, the binary one says too: the same error, at the byte offset of
// what the text's line holds. Broken text syntax does not convert at all.
TEST_P(BrokenDescription, TheBinaryFormRaisesTheSameNamingTheOffset) {
  const Broken& b = GetParam();
  std::string binary;
  try {
    binary = ConvertDescription(b.text, DescriptionSyntax::Binary);
  } catch (const EReadError&) {
    ExpectFailure(b, Format("Line %d", b.line), [&] { ConvertDescription(b.text, DescriptionSyntax::Binary); });
    return;
  }
  EXPECT_TRUE(syntax::IsBinaryDescription(binary));
  TTestForm form(nullptr);
  const String message = ExpectFailure(b, "", [&] { ReadComponent(binary, form); });
  const String where = message.substr(0, message.find(':'));
  EXPECT_EQ(OffsetsOfLine(b.text, binary, b.line).count(where), 1u) << message;
  ExpectNothingLeftBehind(b, binary, where);
}

// A designer's text document of a description opens when its syntax reads, else raises the
// same; the names and properties it tells apart it refuses in the reader's words.
TEST_P(BrokenDescription, ATextDocumentRaisesWhatTheTextReaderRaises) {
  const String text = GetParam().text;
  const String syntax = ReadErrorOf([&] { ConvertDescription(text, DescriptionSyntax::Text); });
  const String document = ReadErrorOf([&] { TextDocument{text}; });
  TTestForm form(nullptr);
  const String reader = ReadErrorOf([&] { ReadComponent(text, form); });
  EXPECT_EQ(document, syntax.empty() && !document.empty() ? reader : syntax);
}

INSTANTIATE_TEST_SUITE_P(Table, BrokenDescription, ::testing::ValuesIn(kBroken));

TEST(BrokenDescriptionFields, MissingFieldRaisesAndLeavesNoFieldBound) {
  const int live = g_live;
  {
    TTestForm form(nullptr);
    TWidget* panel = nullptr;
    TWidget* button = nullptr;
    form.PublishField("Panel", &panel);
    form.PublishField("Button1", &button);
    Broken b{"TTestForm F {\n  TWidget Panel {\n  }\n}\n", 1, "Component Button1 not found in TTestForm"};
    ExpectFailure(b, "Line 1", [&] { ReadComponent(b.text, form); });
    EXPECT_EQ(panel, nullptr);
    EXPECT_EQ(form.ComponentCount(), 0);
    ExpectFailure(b, "Offset 4", [&] { ReadComponent(ConvertDescription(b.text, DescriptionSyntax::Binary), form); });
    EXPECT_EQ(panel, nullptr);
    EXPECT_EQ(form.ComponentCount(), 0);
  }
  EXPECT_EQ(g_live, live);
}

TEST(BrokenDescriptionFields, UnknownClassKeepsItsOwnExceptionClass) {
  TTestForm form(nullptr);
  EXPECT_THROW(ReadComponent("TTestForm F {\n  TNothing N {\n  }\n}\n", form), EClassNotFound);
  EXPECT_THROW(ReadNewComponent("TNothing N {\n}\n", nullptr), EClassNotFound);
  EXPECT_THROW(ReadNewComponent(ConvertDescription("TNothing N {\n}\n", DescriptionSyntax::Binary), nullptr),
               EClassNotFound);
}

}  // namespace
}  // namespace qft
