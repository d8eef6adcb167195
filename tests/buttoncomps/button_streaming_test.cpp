// The four buttons in form descriptions: what is written, in which order, and that reading it
// back gives the same buttons with their events bound to the form's methods.
#include <sstream>

#include "buttoncomps/aol_button.h"
#include "framework/description/reader.h"
#include "framework/description_tools/writer.h"
#include "tests/buttoncomps/button_kinds.h"

namespace qf::test {
namespace {

// A form whose methods form descriptions can name.
class TButtonsForm : public fw::TForm {
 public:
  explicit TButtonsForm(fw::TComponent* owner) : fw::TForm(owner) {
    PublishMethod("ButtonClick", &TButtonsForm::ButtonClick);
    PublishMethod("ButtonDown", &TButtonsForm::ButtonDown);
    PublishMethod("ButtonMove", &TButtonsForm::ButtonMove);
  }
  void ButtonClick(fw::TObject* sender) { clicked = sender; }
  void ButtonDown(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) { ++downs; }
  void ButtonMove(fw::TObject*, fw::TShiftState, int, int) {}
  fw::TObject* clicked = nullptr;
  int downs = 0;
};

// Property names of the first nested object, in the order written.
std::vector<std::string> WrittenNames(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  std::vector<std::string> names;
  int depth = 0;
  while (std::getline(in, line)) {
    if (line.find('{') != std::string::npos) ++depth;
    if (line.find('}') != std::string::npos && --depth == 1) break;
    const auto eq = line.find(" = ");
    if (depth == 2 && eq != std::string::npos) names.push_back(line.substr(line.find_first_not_of(' '), eq - line.find_first_not_of(' ')));
  }
  return names;
}

template <class B>
class Streaming : public ButtonTest {
 protected:
  void SetUp() override {
    ButtonTest::SetUp();
    source = new TButtonsForm(app);
    button = new B(source);
    button->SetName("Button1");
    button->SetParent(source);
    button->SetBounds(7, 9, 90, 25);
    button->SetCap("Stored \"caption\"");
    button->SetCol(0x00123456);
    button->Enabled = false;
    button->OnClick = source->template MethodEvent<fw::TObject*>("ButtonClick");
    button->OnMouseDown = source->template MethodEvent<fw::TObject*, fw::TMouseButton,
                                                       fw::TShiftState, int, int>("ButtonDown");
    button->OnMouseMove =
        source->template MethodEvent<fw::TObject*, fw::TShiftState, int, int>("ButtonMove");
    button->Font()->SetSize(11);
  }
  B* ReadBack(const std::string& text) {
    auto* target = new TButtonsForm(app);
    fw::ReadComponent(text, *target);
    return dynamic_cast<B*>(target->FindComponent("Button1"));
  }

  TButtonsForm* source = nullptr;
  B* button = nullptr;
};

using Buttons =
    ::testing::Types<bc::TEncartaButton, bc::TAOLButton, bc::TSelButton, bc::TSquareButton>;
TYPED_TEST_SUITE(Streaming, Buttons);

TYPED_TEST(Streaming, WhatIsWrittenReadsBackUnchanged) {
  const std::string text = fw::WriteComponent(*this->source);
  TypeParam* copy = this->ReadBack(text);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(fw::WriteComponent(*copy->Owner()), text);
  EXPECT_EQ(copy->Caption(), "Stored \"caption\"");
  EXPECT_EQ(copy->Color(), 0x00123456);
  EXPECT_FALSE(copy->Enabled);
  EXPECT_EQ(copy->BoundsRect(), (pf::Rect{7, 9, 97, 34}));
  EXPECT_EQ(copy->Font()->Size(), 11);
  EXPECT_TRUE(copy->ShowHint());
  EXPECT_FALSE(copy->ParentShowHint());
}

TYPED_TEST(Streaming, EventsBindToTheFormsMethods) {
  TypeParam* copy = this->ReadBack(fw::WriteComponent(*this->source));
  ASSERT_NE(copy, nullptr);
  auto* form = static_cast<TButtonsForm*>(copy->Owner());
  copy->Enabled = true;
  copy->OnClick(copy);
  copy->OnMouseDown(copy, fw::TMouseButton::mbLeft, {}, 1, 1);
  EXPECT_EQ(form->clicked, copy);
  EXPECT_EQ(form->downs, 1);
  EXPECT_EQ(copy->OnMouseMove.MethodName(), "ButtonMove");
}

TYPED_TEST(Streaming, AStoredCaptionWinsOverTheName) {
  TypeParam* copy = this->ReadBack(
      "TForm Target {\n  " + std::string(TypeParam::StaticClass().name) +
      " Button1 {\n    Caption = \"Kept\"\n  }\n}\n");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Caption(), "Kept");
}

class StreamingOrder : public ButtonTest {
 protected:
  // The names written for a button of class B with every event assigned.
  template <class B>
  std::vector<std::string> Written(void (*prepare)(B&) = nullptr) {
    auto* owner = new TButtonsForm(app);
    auto* b = new B(owner);
    if (prepare) prepare(*b);
    b->SetName("B");
    b->SetParent(owner);
    const auto notify = owner->template MethodEvent<fw::TObject*>("ButtonClick");
    const auto mouse =
        owner->template MethodEvent<fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int>(
            "ButtonDown");
    b->OnMouseDown = b->OnMouseUp = mouse;
    b->OnClick = b->OnMouseLeave = notify;
    if constexpr (requires { b->OnMouseEnter; }) b->OnMouseEnter = notify;
    b->OnMouseMove = owner->template MethodEvent<fw::TObject*, fw::TShiftState, int, int>("ButtonMove");
    return WrittenNames(fw::WriteComponent(*owner));
  }
  const std::vector<std::string> kHead{"Left", "Top", "Width", "Height"};
  const std::vector<std::string> kTail{"ShowHint",  "ParentShowHint", "OnMouseMove", "Font.Name",
                                       "Font.Color", "Font.Size",      "Font.Style"};
  std::vector<std::string> Names(std::vector<std::string> own) const {
    std::vector<std::string> all = kHead;
    all.insert(all.end(), own.begin(), own.end());
    all.insert(all.end(), kTail.begin(), kTail.end());
    return all;
  }
};

TEST_F(StreamingOrder, EachClassWritesItsPropertiesInItsOwnOrder) {
  EXPECT_EQ(Written<bc::TEncartaButton>([](bc::TEncartaButton& b) {
              const fw::TBitmap glyph(2, 2);
              b.SetBmp(&glyph);
            }),
            Names({"Caption", "Color", "ColorBorder", "Enabled", "OnMouseDown", "OnMouseUp",
                   "OnMouseEnter", "OnMouseLeave", "OnClick", "Glyph.Data", "ColorOverCaption",
                   "ColorOver", "ColorDown", "ShowCaption"}));
  EXPECT_EQ(Written<bc::TAOLButton>(),
            Names({"Caption", "Color", "RaiseColor", "Enabled", "OnMouseDown", "OnMouseUp",
                   "OnMouseLeave", "OnClick"}));
  EXPECT_EQ(Written<bc::TSelButton>(),
            Names({"Caption", "Color", "ColorBorder", "Enabled", "OnMouseDown", "OnMouseUp",
                   "OnMouseEnter", "OnMouseLeave", "OnClick", "ColorOverCaption", "ColorOver",
                   "ColorDown", "Alignment", "BorderWidth"}));
  EXPECT_EQ(Written<bc::TSquareButton>(),
            Names({"Caption", "Color", "ColorBorder", "Enabled", "OnMouseDown", "OnMouseUp",
                   "OnMouseEnter", "OnMouseLeave", "OnClick", "ColorOverCaption", "Alignment",
                   "ColorOverBorder", "BorderWidth", "DownBorderColor"}));
}

TEST_F(StreamingOrder, AnEmptyGlyphIsNotWrittenAndAGlyphReadsBackPixelForPixel) {
  auto* owner = new TButtonsForm(app);
  auto* b = new bc::TEncartaButton(owner);
  b->SetName("B");
  b->SetParent(owner);
  EXPECT_EQ(fw::WriteComponent(*owner).find("Glyph.Data"), std::string::npos);
  fw::TBitmap glyph(3, 2);
  glyph.SetPixel(2, 1, 0x00123456);
  b->SetBmp(&glyph);
  auto* target = new TButtonsForm(app);
  fw::ReadComponent(fw::WriteComponent(*owner), *target);
  auto* copy = dynamic_cast<bc::TEncartaButton*>(target->FindComponent("B"));
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(copy->Glyph()->Equals(glyph));
}

TEST_F(StreamingOrder, BrokenGlyphBytesAreRefusedAndLeaveThePictureAsItWas) {
  auto* b = Place<bc::TEncartaButton>("B");
  fw::TBitmap glyph(3, 2);
  b->SetBmp(&glyph);
  EXPECT_THROW(b->SetGlyphData(std::string("\x05\0\0\0BMxyz", 9)), fw::EInvalidGraphic);
  EXPECT_TRUE(b->Glyph()->Equals(glyph));
  const std::string text =
      "TForm T {\n  TEncartaButton B {\n    Glyph.Data = <\n      0300000041424344\n    >\n  }\n}\n";
  auto* target = new TButtonsForm(app);
  EXPECT_THROW(fw::ReadComponent(text, *target), fw::EReadError);
}

}  // namespace
}  // namespace qf::test
