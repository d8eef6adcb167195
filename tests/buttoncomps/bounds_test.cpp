// Bounds: what a form description may give a form and its controls, a form's bounds set in code,
// and controls placed anywhere in code without the geometry arithmetic overflowing.
#include <climits>

#include "buttoncomps/aol_button.h"
#include "buttoncomps/image_button.h"
#include "framework/controls/image.h"
#include "framework/description/reader.h"
#include "tests/buttoncomps/button_kinds.h"

namespace qf::test {
namespace {

struct BoundsCase {
  const char* body;     // the lines inside "TForm F {" ... "}"
  const char* message;  // what the reader raises
};

class DescriptionBounds : public ButtonTest, public ::testing::WithParamInterface<BoundsCase> {};

TEST_P(DescriptionBounds, AreRefusedNamingTheValuePropertyAndLine) {
  const std::string text = std::string("TForm F {\n") + GetParam().body + "}\n";
  try {
    fw::ReadComponent(text, *form);
    FAIL() << "read without complaint:\n" << text;
  } catch (const fw::EReadError& e) {
    EXPECT_EQ(e.Message(), GetParam().message);
  }
  EXPECT_EQ(form->ControlCount(), 0);
  // Lines before the refused one were read (ClientWidth = 600); the refused value never was.
  EXPECT_EQ(form->Height(), 120);
  EXPECT_EQ(form->Top(), 50);
  EXPECT_EQ(form->Left(), 100);
  EXPECT_EQ(hp->WindowOf(form)->Bounds(), form->BoundsRect());
}

INSTANTIATE_TEST_SUITE_P(
    OutOfRange, DescriptionBounds,
    ::testing::Values(
        BoundsCase{"  ClientWidth = 600\n  ClientHeight = 2000000000\n",
                   "Line 3: 2000000000 is out of range for ClientHeight of TForm (0..8192)"},
        BoundsCase{"  ClientHeight = 70000\n",
                   "Line 2: 70000 is out of range for ClientHeight of TForm (0..8192)"},
        BoundsCase{"  ClientWidth = 8193\n",
                   "Line 2: 8193 is out of range for ClientWidth of TForm (0..8192)"},
        BoundsCase{"  ClientWidth = -1\n",
                   "Line 2: -1 is out of range for ClientWidth of TForm (0..8192)"},
        BoundsCase{"  Left = 32768\n", "Line 2: 32768 is out of range for Left of TForm (-32768..32767)"},
        BoundsCase{"  Top = -2147483648\n",
                   "Line 2: -2147483648 is out of range for Top of TForm (-32768..32767)"},
        BoundsCase{"  TSquareButton B {\n    Left = 2147483647\n  }\n",
                   "Line 3: 2147483647 is out of range for Left of TSquareButton (-32768..32767)"},
        BoundsCase{"  TImage I {\n    Top = -32769\n  }\n",
                   "Line 3: -32769 is out of range for Top of TImage (-32768..32767)"},
        BoundsCase{"  TImage I {\n    Width = -5\n  }\n",
                   "Line 3: -5 is out of range for Width of TImage (0..32767)"},
        BoundsCase{"  TSquareButton B {\n    Height = 32768\n  }\n",
                   "Line 3: 32768 is out of range for Height of TSquareButton (0..32767)"}));

TEST_F(ButtonTest, DescriptionBoundsAtTheLimitsAreRead) {
  fw::ReadComponent("TForm F {\n  Left = -32768\n  Top = 32767\n  ClientWidth = 8192\n"
                    "  ClientHeight = 3\n  TSquareButton B {\n    Left = -32768\n    Top = 32767\n"
                    "    Width = 32767\n    Height = 0\n  }\n}\n",
                    *form);
  EXPECT_EQ(form->BoundsRect(), (pf::Rect{-32768, 32767, -32768 + 8192, 32770}));
  EXPECT_EQ(hp->WindowOf(form)->Bounds(), form->BoundsRect());
  ASSERT_EQ(form->ControlCount(), 1);
  EXPECT_EQ(form->Controls(0)->BoundsRect(), (pf::Rect{-32768, 32767, -1, 32767}));
}

TEST_F(ButtonTest, AFormRefusesInCodeWhatItsWindowCouldNotTake) {
  const struct {
    std::function<void()> set;
    const char* message;
  } cases[] = {
      {[&] { form->SetBounds(0, 0, 600, 2000000000); },
       "2000000000 is out of range for Height of TForm (0..8192)"},
      {[&] { form->SetClientWidth(-3); }, "-3 is out of range for Width of TForm (0..8192)"},
      {[&] { form->SetLeft(INT_MAX); }, "2147483647 is out of range for Left of TForm (-32768..32767)"},
      {[&] { form->SetTop(-40000); }, "-40000 is out of range for Top of TForm (-32768..32767)"},
  };
  for (const auto& c : cases) {
    try {
      c.set();
      ADD_FAILURE() << "accepted: " << c.message;
    } catch (const fw::EInvalidOperation& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(form->BoundsRect(), (pf::Rect{100, 50, 400, 170}));
    EXPECT_EQ(hp->WindowOf(form)->Bounds(), (pf::Rect{100, 50, 400, 170}));
  }
}

// Every control class placed anywhere in code: painting, hit testing and the pointer's journey
// compute in saturating arithmetic (the sanitizer build aborts on an overflow).
TEST_F(ButtonTest, ControlsPlacedAnywhereInCodePaintAndTakeThePointerWithoutOverflow) {
  std::vector<fw::TControl*> controls{Place<bc::TImageButton>("I"), Place<bc::TEncartaButton>("E"),
                                      Place<bc::TAOLButton>("A"), Place<bc::TSelButton>("S"),
                                      Place<bc::TSquareButton>("Q")};
  auto* image = new fw::TImage(form);
  image->SetParent(form);
  controls.push_back(image);
  const pf::Rect extremes[] = {{INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                               {10, 20, INT_MAX, INT_MAX},           {INT_MIN, 5, INT_MIN, INT_MIN},
                               {-5, INT_MAX - 3, 7, 9}};
  for (const pf::Rect& b : extremes) {
    for (fw::TControl* c : controls) {
      SCOPED_TRACE(c->ClassName() + " at " + std::to_string(b.left) + "," + std::to_string(b.top));
      c->SetBounds(b.left, b.top, b.right, b.bottom);
      Settle();
      const pf::Rect r = c->BoundsRect();
      EXPECT_EQ(r.right, pf::ClampToInt(static_cast<long long>(b.left) + b.right));
      EXPECT_EQ(r.bottom, pf::ClampToInt(static_cast<long long>(b.top) + b.bottom));
      // A control from (10, 20) with the largest width and height covers the rest of the form.
      const bool covers = b.left == 10 && b.top == 20;
      EXPECT_EQ(form->FindControlAt({150, 100}, true) == c, covers);
      for (pf::Point p : {pf::Point{0, 0}, pf::Point{150, 100}, pf::Point{299, 119}}) {
        hp->MoveTo(form->ClientToScreen(p));
        Settle();
        hp->Press();
        hp->Release();
        Settle();
      }
      c->ClientToScreen({INT_MAX, INT_MIN});
      c->ScreenToClient({INT_MIN, INT_MAX});
      c->Repaint();
      c->SetBounds(-100, -100, 1, 1);  // out of the way of the next one
    }
  }
}

}  // namespace
}  // namespace qf::test
