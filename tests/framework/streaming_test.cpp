#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <sstream>

#include "framework/controls/cursors.h"
#include "framework/description/reader.h"
#include "framework/description_tools/converter.h"
#include "framework/description_tools/writer.h"
#include "tests/framework/streaming_components.h"

namespace qft {
namespace {
using namespace fw;

// Each object's class, parent and every published property, stored or not: what "equal" means.
std::map<String, std::vector<String>> Snapshot(const TComponent& root) {
  std::map<String, std::vector<String>> out;
  auto add = [&](const TComponent& c) {
    const TComponent* parent = c.GetParentComponent();
    auto& lines = out[c.Name().empty() ? "#" + std::to_string(out.size()) : c.Name()];
    lines.push_back(c.ClassName() + " in " + (parent ? parent->Name() : "-"));
    for (const PropInfo* p : c.Class().Properties()) {
      PropValue v = p->get(c);
      String shown = std::visit(
          [](const auto& x) -> String {
            using X = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<X, long long> || std::is_same_v<X, bool>) return std::to_string(x);
            else if constexpr (std::is_same_v<X, String>) return x;
            else if constexpr (std::is_same_v<X, Ident>) return x.name;
            else if constexpr (std::is_same_v<X, Bytes>) return x.data;
            else if constexpr (std::is_same_v<X, IdentSet>) return std::accumulate(x.names.begin(), x.names.end(), String());
            else return "none";
          },
          v);
      lines.push_back(p->name + "=" + shown);
    }
  };
  add(root);
  for (int i = 0; i < root.ComponentCount(); ++i) add(*root.Components(i));
  return out;
}

std::string Noise(std::size_t n) {
  std::string s;
  unsigned x = 12345;
  for (std::size_t i = 0; i < n; ++i) s += static_cast<char>((x = x * 1103515245 + 12345) >> 16);
  return s;
}

std::unique_ptr<TTestForm> RichForm() {
  auto f = std::make_unique<TTestForm>(nullptr);
  f->SetName("MainForm");
  f->SetTag(-7);
  f->caption = "Main";
  f->color = 0x00A56934;
  f->OnCreate = f->MethodEvent<TObject*>("WidgetClick");
  TWidget* w1 = NewWidget(*f, "W1", nullptr);
  w1->left = -12, w1->top = 30, w1->count = 4, w1->visible = false;
  w1->shape = Shape::Star, w1->style = kBold | kUnderline, w1->color = clRed, w1->cursor = crHandPoint;
  w1->parent_hint = false;
  for (int i = 0; i < 256; ++i) w1->hint += static_cast<char>(i);
  w1->data = Noise(5000);
  w1->OnClick = f->MethodEvent<TObject*>("WidgetClick");
  w1->OnMove = f->MethodEvent<TObject*, int>("WidgetMove");
  NewWidget(*f, "W2", w1)->cursor = 7;
  TWidget* w3 = NewWidget(*f, "W3", nullptr);
  NewWidget(*f, "W4", w1)->caption = "fourth";
  NewWidget(*f, "", w3)->color = 0x123456;
  return f;
}

std::vector<String> HeaderLines(const String& text) {
  std::vector<String> out;
  std::istringstream in(text);
  for (String line; std::getline(in, line);) {
    if (line.ends_with("{")) out.push_back(line);
  }
  return out;
}

class Streaming : public ::testing::Test {
 protected:
  void SetUp() override { g_props_before_parent = 0; }
  void TearDown() override { EXPECT_EQ(g_live, live_before_); }
  int live_before_ = g_live;
};

TEST_F(Streaming, RoundTripGivesEqualObjectsAndIdenticalText) {
  auto form = RichForm();
  const String text = WriteComponent(*form);
  std::unique_ptr<TComponent> copy(ReadNewComponent(text, nullptr));
  EXPECT_EQ(Snapshot(*copy), Snapshot(*form));
  EXPECT_EQ(WriteComponent(*copy), text);

  TTestForm into(nullptr);
  ReadComponent(text, into);
  EXPECT_EQ(Snapshot(into), Snapshot(*form));
}

// The binary form carries the same items: the writer's text survives a trip through it byte for
// byte, and reading it gives the same objects.
TEST_F(Streaming, BinaryFormRoundTripsTheTextAndReadsToEqualObjects) {
  auto form = RichForm();
  const String text = WriteComponent(*form);
  const std::string binary = WriteComponentBinary(*form);
  EXPECT_EQ(ConvertDescription(text, DescriptionSyntax::Binary), binary);
  EXPECT_EQ(ConvertDescription(binary, DescriptionSyntax::Text), text);
  EXPECT_EQ(ConvertDescription(binary, DescriptionSyntax::Binary), binary);
  EXPECT_EQ(binary.substr(0, 4), "\x89QFB");
  EXPECT_LT(binary.size() * 2, text.size()) << "byte blocks are raw bytes";

  std::unique_ptr<TComponent> copy(ReadNewComponent(binary, nullptr));
  EXPECT_EQ(Snapshot(*copy), Snapshot(*form));
  TTestForm into(nullptr);
  ReadComponent(binary, into);
  EXPECT_EQ(Snapshot(into), Snapshot(*form));
}

TEST_F(Streaming, BinaryFormKeepsEveryValueAsWritten) {
  const String text = "TTestForm F {\n  Color = $FFFFFFFF\n  Tag = -9223372036854775808\n  TWidget W {\n"
                      "    Left = 9223372036854775807\n    Color = $00000000\n    Picture.Data = <>\n"
                      "    Hint = \"\"\n    Font.Style = []\n    Caption = \"\\x00\\xFF\"\n  }\n  TWidget {\n  }\n}\n";
  EXPECT_EQ(ConvertDescription(ConvertDescription(text, DescriptionSyntax::Binary), DescriptionSyntax::Text), text);
  // Comments, spacing and `$` patterns of fewer digits come out as the writer writes them.
  EXPECT_EQ(ConvertDescription("# c\nTTestForm   F{ # d\n Color=$ff\n  Font.Style = [a,b]\n}", DescriptionSyntax::Text),
            "TTestForm F {\n  Color = $000000FF\n  Font.Style = [a, b]\n}\n");
}

TEST_F(Streaming, ChildrenAreNestedUnderTheirParentsInCreationOrder) {
  auto form = RichForm();
  EXPECT_EQ(HeaderLines(WriteComponent(*form)),
            (std::vector<String>{"TTestForm MainForm {", "  TWidget W1 {", "    TWidget W2 {",
                                 "    TWidget W4 {", "  TWidget W3 {", "    TWidget {"}));
}

TEST_F(Streaming, StoredPropertiesAreWrittenInDeclaredOrder) {
  TTestForm form(nullptr);
  form.SetName("Form1");
  form.SetTag(5);
  form.caption = "Hi \"you\" \\ \x85\n";
  form.color = 0x00A56934;
  TWidget* w = NewWidget(form, "Button1", nullptr);
  w->OnClick = form.MethodEvent<TObject*>("WidgetClick");
  w->parent_hint = false, w->hint = "tip", w->cursor = crHandPoint, w->color = clBtnFace;
  w->style = kItalic | kBold, w->shape = Shape::Square, w->visible = false;
  EXPECT_EQ(WriteComponent(form),
            "TTestForm Form1 {\n"
            "  Tag = 5\n"
            "  Caption = \"Hi \\\"you\\\" \\\\ \\x85\\n\"\n"
            "  Color = $00A56934\n"
            "  TWidget Button1 {\n"
            "    Left = 0\n"
            "    Visible = False\n"
            "    Shape = shSquare\n"
            "    Font.Style = [stBold, stItalic]\n"
            "    Color = clBtnFace\n"
            "    Cursor = crHandPoint\n"
            "    Hint = \"tip\"\n"
            "    ParentHint = False\n"
            "    OnClick = WidgetClick\n"
            "  }\n"
            "}\n");
}

TEST_F(Streaming, DefaultsAndPropertiesStoredByRuleAreLeftOut) {
  TTestForm form(nullptr);
  TWidget* w = NewWidget(form, "W", nullptr);
  w->hint = "hidden while the parent's hint applies";
  EXPECT_EQ(WriteComponent(form), "TTestForm {\n  TWidget W {\n    Left = 0\n  }\n}\n");
}

TEST_F(Streaming, ByteBlocksRunOverLinesOf32Bytes) {
  TTestForm form(nullptr);
  NewWidget(form, "W", nullptr)->data = Noise(70);
  const String text = WriteComponent(form);
  const String data = Noise(70);
  String expected = "    Picture.Data = <\n";
  for (std::size_t at = 0; at < 70; at += 32) {
    expected += "      ";
    for (std::size_t i = at; i < std::min<std::size_t>(at + 32, 70); ++i) expected += Format("%02X", static_cast<unsigned char>(data[i]));
    expected += "\n";
  }
  expected += "    >\n";
  EXPECT_NE(text.find(expected), String::npos) << text;
}

TEST_F(Streaming, ReaderAcceptsCommentsHexNegativesAndLooseBlocks) {
  TTestForm form(nullptr);
  ReadComponent("# a form\nTTestForm F {  # trailing\n  Color = $FF\n  TWidget W {\n    Left = $FFFFFFFF\n"
                "    Top = -2147483648\n    Picture.Data = <  0a Ff\n\n   7 0 >\n    Hint = \"\\t\\r\\x00\"\n"
                "    Cursor = -21\n    Font.Style = []\n  }\n}\n",
                form);
  auto* w = static_cast<TWidget*>(form.FindComponent("W"));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(form.color, 0xFF);
  EXPECT_EQ(w->left, -1);
  EXPECT_EQ(w->top, -2147483647 - 1);
  EXPECT_EQ(w->data, std::string("\x0a\xff\x70", 3));
  EXPECT_EQ(w->hint, std::string("\t\r\0", 3));
  EXPECT_EQ(w->cursor, crHandPoint);
}

TEST_F(Streaming, ParentComesFirstPropertiesInTextOrderLoadedOnce) {
  TTestForm form(nullptr);
  ReadComponent("TTestForm F {\n  TWidget A {\n    Caption = \"a\"\n    Left = 1\n"
                "    TWidget B {\n      Font.Style = [stBold]\n      Top = 2\n    }\n  }\n}\n",
                form);
  auto* a = static_cast<TWidget*>(form.FindComponent("A"));
  auto* b = static_cast<TWidget*>(form.FindComponent("B"));
  ASSERT_TRUE(a && b);
  EXPECT_EQ(g_props_before_parent, 0);
  EXPECT_EQ(a->set_order, (std::vector<String>{"Caption", "Left"}));
  EXPECT_EQ(b->set_order, (std::vector<String>{"Font.Style", "Top"}));
  EXPECT_EQ(a->GetParentComponent(), &form);
  EXPECT_EQ(b->GetParentComponent(), a);
  for (TWidget* w : {a, b}) {
    EXPECT_EQ(w->loaded_calls, 1);
    EXPECT_TRUE(w->loading_in_loaded);
    EXPECT_FALSE(w->reading_in_loaded);
    EXPECT_FALSE(w->HasState(ComponentState::Loading) || w->HasState(ComponentState::Reading));
  }
  EXPECT_FALSE(form.HasState(ComponentState::Loading) || form.HasState(ComponentState::Reading));
}

TEST_F(Streaming, EventsAndFieldsAreBoundToTheRoot) {
  TDerivedForm form(nullptr);
  TWidget* button = nullptr;
  TComponent* panel = nullptr;
  form.PublishField("Button1", &button);
  form.PublishField("Panel", &panel);
  ReadComponent("TTestForm F {\n  OnCreate = WidgetClick\n  TWidget Panel {\n    TWidget Button1 {\n"
                "      OnClick = WidgetClick\n      OnMove = WidgetMove\n    }\n  }\n}\n",
                form);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Name(), "Button1");
  EXPECT_EQ(panel, form.FindComponent("Panel"));
  button->OnClick(button);
  button->OnMove(button, 9);
  form.OnCreate(&form);
  EXPECT_EQ(form.clicks, 2);
  EXPECT_EQ(form.last_sender, &form);
  EXPECT_EQ(form.moved, 9);
  EXPECT_EQ(button->OnClick.MethodName(), "WidgetClick");
}

TEST_F(Streaming, ReadNewComponentGivesTheObjectToItsOwner) {
  TTestForm owner(nullptr);
  TComponent* made = ReadNewComponent("TDerivedForm Second {\n  Caption = \"x\"\n}\n", &owner);
  EXPECT_EQ(made->ClassName(), "TDerivedForm");
  EXPECT_EQ(owner.FindComponent("Second"), made);
  EXPECT_EQ(static_cast<TTestForm*>(made)->caption, "x");
}

TEST_F(Streaming, WriterRefusesWhatCouldNotBeReadBack) {
  TTestForm form(nullptr), other(nullptr);
  other.SetName("Other");
  TWidget* w = NewWidget(form, "W", nullptr);
  w->shape = static_cast<Shape>(9);
  EXPECT_THROW(WriteComponent(form), EWriteError);
  w->shape = Shape::Circle;
  w->OnClick = TNotifyEvent([](TObject*) {}, "not a name");
  EXPECT_THROW(WriteComponent(form), EWriteError);
  w->OnClick.Clear();
  w->SetParentComponent(&other);
  try {
    WriteComponent(form);
    ADD_FAILURE() << "no error";
  } catch (const EWriteError& e) {
    EXPECT_STREQ(e.what(), "W (TWidget): its parent Other is not part of the description");
  }
}

}  // namespace
}  // namespace qft
