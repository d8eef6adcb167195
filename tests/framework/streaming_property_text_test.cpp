// One property's value as a designer's property list has it: the text the writer writes for it,
// and a typed text set with the reader's semantics and words, or refused with nothing changed.
#include <gtest/gtest.h>

#include <filesystem>

#include "framework/controls/image.h"
#include "framework/description/reader.h"
#include "framework/description_tools/file_references.h"
#include "framework/description_tools/text_document.h"
#include "framework/description_tools/text_reading.h"
#include "framework/description_tools/writer.h"
#include "framework/graphics/bitmap.h"
#include "tests/framework/streaming_components.h"

namespace qft {
namespace {
using namespace fw;
namespace fs = std::filesystem;

// Every kind of value of a written form, read back: each property's text is the writer's at its
// line's indentation, and the document's objects are the reader's components in order.
TEST(PropertyText, IsWhatTheWriterWritesForEveryKindOfValue) {
  TTestForm form(nullptr);
  form.SetName("F");
  form.OnCreate = form.MethodEvent<TObject*>("WidgetClick");
  TWidget* w = NewWidget(form, "W", nullptr);
  w->style = kBold | kItalic, w->color = 0x123456, w->cursor = crHandPoint, w->shape = Shape::Star;
  w->hint = "User's \x85\"1\"\n", w->parent_hint = false, w->visible = false, w->data = std::string(70, '\7');
  NewWidget(form, "", w)->OnMove = form.MethodEvent<TObject*, int>("WidgetMove");
  const TextDocument doc(WriteComponent(form));
  TTestForm read(nullptr);
  ReadComponent(doc.Text(), read);
  for (std::size_t i = 0; i < doc.Objects().size(); ++i) {
    const TComponent& c = i == 0 ? read : *read.Components(static_cast<int>(i) - 1);
    EXPECT_EQ(c.Name(), doc.Objects()[i].name);
    for (const TextProperty& p : doc.Objects()[i].properties)
      EXPECT_EQ(PropertyValueText(c, p.name, doc.PropertyIndent(i)), doc.ValueText(i, p.name));
  }
  EXPECT_EQ(PropertyValueText(*w, "Top"), "0");  // not stored, yet shown
  EXPECT_EQ(PropertyValueText(*w, "OnClick"), std::nullopt);
}

// "Left = 393" as the property and its value's text.
struct Line {
  String property, text;
};
Line Split(const String& line) { return {line.substr(0, line.find(" = ")), line.substr(line.find(" = ") + 3)}; }

TEST(PropertyText, IsSetAsTheReaderSetsItAndWrittenBackAsTyped) {
  TTestForm form(nullptr);
  TWidget* w = NewWidget(form, "W", nullptr);
  for (const char* typed : {"Left = -393", "Color = $00123456", "Font.Style = [stBold, stItalic]",
                            "Cursor = crHandPoint", "Caption = \"User's \\x85\"", "OnClick = WidgetClick"}) {
    const Line l = Split(typed);
    SetPropertyText(*w, form, l.property, l.text, {});
    EXPECT_EQ(PropertyValueText(*w, l.property), l.text);
  }
  w->OnClick(w);
  EXPECT_EQ(form.last_sender, w);
}

// The reader's words for the same line in a description, without the line's number.
String ReaderSays(bool image, const String& line) {
  TImage i(nullptr);
  TTestForm form(nullptr);
  const String message = ReadErrorOf([&] {
    if (image) ReadComponent("TImage I {\n" + line + "\n}\n", i);
    if (!image) ReadComponent("TTestForm F {\n TWidget W {\n" + line + "\n}\n}\n", form);
  });
  return message.substr(message.find(": ") + 2);
}

TEST(PropertyText, ARefusedValueSaysWhatTheReaderSaysAndChangesNothing) {
  for (const char* refused : {"I Left = \"393\"", "I Left = 70000", "W Color = clNoSuchColour", "W OnClick = NoSuchMethod",
                              "W Shape = [shStar]", "W Font.Style = [stBold, stBold]", "W Count = -1",
                              "W Caption = \"open", "W Colour = clRed", "W Picture.Data = <0>"}) {
    const bool on_image = refused[0] == 'I';
    const Line l = Split(refused + 2);
    TTestForm form(nullptr);
    TImage image(nullptr);
    TComponent& c = on_image ? static_cast<TComponent&>(image) : *NewWidget(form, "W", nullptr);
    const std::string before = WriteComponent(c);
    EXPECT_EQ(ReadErrorOf([&] { SetPropertyText(c, form, l.property, l.text, {}); }), ReaderSays(on_image, refused + 2));
    EXPECT_EQ(WriteComponent(c), before);
  }
  EXPECT_EQ(ReaderSays(true, "Left = \"393\""), "Left of TImage needs an integer, not a string");
  EXPECT_EQ(ReaderSays(true, "Left = 70000"), "70000 is out of range for Left of TImage (-32768..32767)");
  EXPECT_EQ(ReaderSays(false, "Color = clNoSuchColour"), "unknown value 'clNoSuchColour' for Color of TWidget");

  TextDocument doc("TTestForm F {\n  TWidget W {\n    Caption = \"x\"\n  }\n}\n");
  const std::string text = doc.Text();
  EXPECT_EQ(ReadErrorOf([&] { doc.SetValueText(1, "Caption", "\"a\" \"b\"", {}); }),
            "unexpected a string after the value of Caption");
  EXPECT_EQ(doc.Text(), text);
}

// A picture named by its file, relative to the folder, as the converter reads it; the references
// the converter refuses are refused, at their line in a whole description.
TEST(PropertyText, FileValuesAreReadRelativeToTheFolder) {
  const fs::path dir = fs::temp_directory_path() / "qf_property_text";
  fs::create_directories(dir / "art");
  const std::string bmp = TBitmap(2, 1).SaveToBytes();
  ASSERT_TRUE(WriteFileBytes((dir / "art" / "p.bmp").string(), bmp));
  TTestForm form(nullptr);
  TWidget* w = NewWidget(form, "W", nullptr);
  SetPropertyText(*w, form, "Picture.Data", "file \"art/p.bmp\"", dir.string());
  EXPECT_EQ(w->data, syntax::WrapFile("Picture.Data", bmp));
  EXPECT_EQ(ReadErrorOf([&] { SetPropertyText(*w, form, "Picture.Data", "file \"../p.bmp\"", dir.string()); }),
            "Picture.Data names the file ../p.bmp, which leaves the description's folder ('..')");
  EXPECT_EQ(w->data, syntax::WrapFile("Picture.Data", bmp));

  const auto read = [&](const char* cls, const char* path) {
    TTestForm into(nullptr);
    const String text = String("TTestForm F {\n  ") + cls + " W {\n    Picture.Data = file \"" + path + "\"\n  }\n}\n";
    const String message = ReadErrorOf([&] { ReadTextComponent(text, dir.string(), into); });
    return message.empty() ? static_cast<TWidget*>(into.FindComponent("W"))->data : message;
  };
  EXPECT_EQ(read("TWidget", "art/p.bmp"), w->data);
  EXPECT_EQ(read("TNoSuch", "art/p.bmp"), "Line 2: Class TNoSuch not found");
  EXPECT_TRUE(read("TWidget", "art/none.bmp").starts_with("Line 3: Picture.Data names the file art/none.bmp, "));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace qft
