// A text description edited in place, as a form designer edits it: what it does not change keeps
// its bytes, and what it adds, removes or moves ends up as the writer would have written it.
#include <gtest/gtest.h>

#include "framework/description_tools/converter.h"
#include "framework/description_tools/text_document.h"
#include "framework/description_tools/writer.h"
#include "tests/framework/streaming_components.h"

namespace qft {
namespace {
using namespace fw;

std::string SourceFile(const char* path) {
  return ReadFileBytes(std::string(QF_SOURCE_DIR) + "/" + path).value_or("");
}

std::string Crlf(std::string text) {
  for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2) text.insert(at, 1, '\r');
  return text;
}

std::vector<String> Order(const TComponent& c) {
  std::vector<String> names;
  for (const PropInfo* p : c.Class().Properties()) names.push_back(p->name);
  return names;
}

// Every description the program and its tests have, odd layouts and CRLF ones too: each opens, and
// each value written again as it stands leaves every byte as it was.
TEST(TextDocument, RewritingEachValueAsItStandsKeepsEveryByte) {
  const std::string odd =
      "# a comment first\n\nTTestForm F { # the form\n  TWidget {\n    Font.Style = [stBold,\n"
      "      stItalic]  # a set over lines\n    Picture.Data = < 00 >  }\n  TWidget E { }\n}";
  const std::string reference =
      ConvertDescription(SourceFile("tests/data/form_main_reference.qfz"), DescriptionSyntax::Text);
  for (const std::string& text : {SourceFile("resources/Form_Main.form"),
                                  SourceFile("tests/data/unknown_class.form"), reference, odd, Crlf(odd)}) {
    TextDocument doc(text);
    ASSERT_GT(doc.Objects().size(), 1u);
    for (std::size_t i = 0; i < doc.Objects().size(); ++i) {
      const std::vector<TextProperty> present = doc.Objects()[i].properties;  // each edit renews them
      for (const TextProperty& p : present) doc.SetValueText(i, p.name, *doc.ValueText(i, p.name), {});
    }
    EXPECT_EQ(doc.Text(), text);
  }
}

TEST(TextDocument, AMovedButtonIsAOneLineDiff) {
  std::string form = SourceFile("resources/Form_Main.form");
  TextDocument doc(form);
  doc.SetValueText(*doc.Find("ImageButton2"), "Left", "393", {});
  EXPECT_EQ(doc.Text(), form.replace(form.find("\n    Left = 388\n"), 16, "\n    Left = 393\n"));
}

// Where the reader tells objects or properties apart only by their place, the document refuses.
TEST(TextDocument, RefusesTwoObjectsOfOneNameAndAPropertyGivenTwice) {
  EXPECT_EQ(ReadErrorOf([] { TextDocument("TTestForm F {\n  TWidget W {\n  }\n  TWidget W {\n  }\n}\n"); }),
            "Line 4: A component named W already exists");
  EXPECT_EQ(ReadErrorOf([] { TextDocument("TTestForm F {\n  Caption = \"a\"\n  Caption = \"b\"\n}\n"); }),
            "Line 3: property Caption of TTestForm given twice");
}

// Each property set for the first time lands where the writer writes it: after the present one
// before it in the class's order, before the first after it, or after the header, before children.
TEST(TextDocument, ANewPropertyGoesWhereTheWriterPutsIt) {
  TTestForm form(nullptr);
  form.SetName("F");
  TWidget* w = NewWidget(form, "W", nullptr);
  w->caption = "c";
  TWidget* bare = NewWidget(form, "Bare", nullptr);
  NewWidget(form, "Inner", bare);
  TextDocument doc(WriteComponent(form));
  doc.RemoveProperty(*doc.Find("W"), "Left");
  doc.RemoveProperty(*doc.Find("Bare"), "Left");
  const auto set = [&](TWidget& x, const String& property) {
    const std::size_t at = *doc.Find(x.Name());
    doc.SetValueText(at, property, *PropertyValueText(x, property, doc.PropertyIndent(at)), Order(x));
  };
  set(*w, "Left");
  set(*bare, "Left");
  EXPECT_EQ(doc.Text(), WriteComponent(form));
  w->top = 4, w->color = clRed, w->data = std::string(40, 'x');
  w->OnMove = form.MethodEvent<TObject*, int>("WidgetMove");
  for (const char* property : {"OnMove", "Color", "Top", "Picture.Data"}) set(*w, property);
  EXPECT_EQ(doc.Text(), WriteComponent(form));
}

// A block moves, children and all, re-indented, and the text is the writer's for the moved form.
TEST(TextDocument, BlocksAreRemovedInsertedAndRenamedAsTheWriterWouldWriteThem) {
  TTestForm form(nullptr);
  form.SetName("F");
  TWidget* a = NewWidget(form, "A", nullptr);
  TWidget* b = NewWidget(form, "B", a);
  b->caption = "b";
  TWidget* inner = NewWidget(form, "", b);
  inner->top = 1;
  TWidget* c = NewWidget(form, "C", nullptr);
  TextDocument doc(WriteComponent(form));

  const std::string copied = doc.ObjectText(*doc.Find("B"));
  EXPECT_EQ(copied, "TWidget B {\n  Left = 0\n  Caption = \"b\"\n  TWidget {\n    Left = 0\n    Top = 1\n  }\n}\n");
  doc.RemoveObject(*doc.Find("B"));
  EXPECT_EQ(doc.InsertObject(copied, *doc.Find("C")), 3u);
  b->SetParentComponent(c);
  EXPECT_EQ(doc.Text(), WriteComponent(form));

  ASSERT_EQ(doc.Objects()[4].name, "");  // reached by its place
  doc.Rename(4, "D");
  inner->SetName("D");
  doc.Rename(*doc.Find("A"), "First");
  a->SetName("First");
  EXPECT_THROW(doc.Rename(*doc.Find("C"), "D"), EInvalidOperation);
  EXPECT_THROW(doc.InsertObject("TWidget C {\n}\n", 0), EInvalidOperation);
  EXPECT_THROW(doc.RemoveObject(0), EInvalidOperation);
  const std::string written = WriteComponent(form);
  EXPECT_EQ(doc.Text(), written);

  const std::string first = doc.ObjectText(1);
  doc.RemoveObject(1);
  doc.InsertObjectBefore(first, *doc.Find("C"));
  EXPECT_EQ(doc.Text(), written);
}

// Lines that the syntax lets share a '}' get lines of their own where others go in between;
// comments stay where they were, and the text's line breaks are kept.
TEST(TextDocument, OddLayoutsCommentsAndLineBreaksSurviveEdits) {
  const std::string text =
      "TTestForm F { # the form\n  TWidget W {\n    Left = 388  # by hand\n"
      "    Caption = \"x\" }\n  TWidget E { }\n}\n";
  const std::vector<String> order = Order(TWidget(nullptr));
  for (const bool crlf : {false, true}) {
    TextDocument doc(crlf ? Crlf(text) : text);
    const std::size_t w = *doc.Find("W"), e = *doc.Find("E");
    doc.SetValueText(w, "Left", "393 # typed", order);
    doc.SetValueText(w, "Top", "4", order);
    doc.SetValueText(w, "Color", "clRed", order);
    doc.InsertObject("TWidget N {\r\n  Left = 1\r\n}\r\n", e);
    doc.SetValueText(e, "Left", "2", order);
    const std::string expected =
        "TTestForm F { # the form\n  TWidget W {\n    Left = 393  # by hand\n    Top = 4\n"
        "    Caption = \"x\"\n    Color = clRed\n  }\n  TWidget E {\n    Left = 2\n"
        "    TWidget N {\n      Left = 1\n    }\n  }\n}\n";
    EXPECT_EQ(doc.Text(), crlf ? Crlf(expected) : expected);
    TextDocument removed(crlf ? Crlf(text) : text);
    removed.RemoveProperty(w, "Caption");
    removed.RemoveObject(e);
    const std::string left = "TTestForm F { # the form\n  TWidget W {\n    Left = 388  # by hand\n  }\n}\n";
    EXPECT_EQ(removed.Text(), crlf ? Crlf(left) : left);
  }
}

}  // namespace
}  // namespace qft
