// The label: read from a description, sized to its caption, drawn on its colour or over what lies
// beneath it, and no choice of its form.
#include <gtest/gtest.h>

#include "framework/controls/label.h"
#include "framework/description/reader.h"
#include "framework/description_tools/writer.h"
#include "tests/support/image_compare.h"
#include "tests/support/pixel_image.h"
#include "tests/ui/ui_fixture.h"

namespace qf::test {
namespace {

// Arial at 8 points: "Install" is 28 x 12 on both devices (tests/device/text_test.cpp).
constexpr const char* kLabelForm = R"(TForm Form1 {
  TLabel Label1 {
    Left = 4
    Top = 6
    Caption = "Install"
    Font.Name = "Arial"
    Font.Size = 8
  }
}
)";

class Label : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    fw::RegisterClass(fw::TLabel::StaticClass());
    form = NewForm();
  }
  fw::TLabel* NewLabel(const pf::Rect& bounds, const char* caption) {
    auto* label = new fw::TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
    label->Font()->SetName("Arial");
    label->Font()->SetSize(8);
    label->SetCaption(caption);
    return label;
  }
  fw::TForm* form = nullptr;
};

// The font comes after the caption: the size follows once both are read, and again as either
// changes, until AutoSize is off.
TEST_F(Label, ItTakesTheSizeOfItsCaptionInItsFont) {
  fw::ReadComponent(kLabelForm, *form);
  auto* label = static_cast<fw::TLabel*>(form->FindComponent("Label1"));
  EXPECT_EQ(label->BoundsRect(), (pf::Rect{4, 6, 4 + 28, 6 + 12}));
  label->SetCaption("Exit");
  EXPECT_EQ(label->Width(), 18);
  label->Font()->SetSize(16);
  EXPECT_GT(label->Height(), 12);
  const pf::Rect fitted = label->BoundsRect();
  label->SetAutoSize(false);
  label->SetCaption("Install");
  EXPECT_EQ(label->BoundsRect(), fitted);
  EXPECT_NE(fw::WriteComponent(*form).find("    Caption = \"Install\"\n"), std::string::npos);
}

TEST_F(Label, ItDrawsItsCaptionOnItsColourOrOverWhatLiesBeneath) {
  NewProbe(form, "Under", {0, 0, 200, 100}, fw::clRed);
  fw::TLabel* solid = NewLabel({10, 10, 60, 30}, "Exit");
  solid->SetColor(fw::clYellow);
  solid->SetAlignment(fw::TAlignment::taRightJustify);
  fw::TLabel* clear = NewLabel({10, 50, 60, 70}, "Exit");
  clear->SetTransparent(true);
  clear->SetAlignment(fw::TAlignment::taCenter);
  Settle();

  const std::unique_ptr<pf::Surface> surface = pf::CreateSurface(200, 100);
  const std::unique_ptr<pf::Device> device = surface->NewDevice();
  device->FillRect({0, 0, 200, 100}, fw::ColorToRGB(fw::clRed));
  device->FillRect({10, 10, 60, 30}, fw::ColorToRGB(fw::clYellow));
  device->SelectFont(solid->Font()->Logical());
  const pf::ColorRef ink = fw::ColorToRGB(solid->Font()->Color());
  device->TextOutTransparent({60 - 18, 10}, "Exit", ink);
  device->TextOutTransparent({10 + (50 - 18) / 2, 50}, "Exit", ink);
  EXPECT_TRUE(ImagesEqual(surface->Pixels(), WindowOf(form).Pixels()));
  EXPECT_TRUE(form->Choices().InMadeOrder().empty()) << "part of the picture";
}

}  // namespace
}  // namespace qf::test
