// The paint cycle and the control canvas, checked on the pixels of the headless window.
#include <gtest/gtest.h>

#include "tests/support/image_compare.h"
#include "tests/support/pixel_image.h"
#include "tests/ui/ui_fixture.h"

namespace qf::test {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;

class Paint : public UiTest {
 protected:
  std::uint32_t At(fw::TForm* form, int x, int y) {
    pf::ImageView v = WindowOf(form).Pixels();
    return v.At(x, y);
  }
};

TEST_F(Paint, TheLoopPaintsTheFormThenItsControlsInCreationOrder) {
  fw::TForm* form = NewForm();
  NewProbe(form, "Under", {10, 10, 30, 30}, fw::clRed);
  NewProbe(form, "Over", {20, 20, 40, 40}, fw::clBlue);
  app->ProcessMessages();
  EXPECT_EQ(At(form, 9, 9), kWhite);
  EXPECT_EQ(At(form, 10, 10), kRed);
  EXPECT_EQ(At(form, 25, 25), kBlue);
  EXPECT_EQ(At(form, 39, 39), kBlue);
  EXPECT_EQ(At(form, 40, 40), kWhite);
}

TEST_F(Paint, TheCanvasDrawsOutsideThePaintCycleClippedToTheControl) {
  fw::TForm* form = NewForm();
  Probe* p = NewProbe(form, "P", {10, 10, 14, 13});
  app->ProcessMessages();
  p->Canvas()->Brush()->SetColor(fw::clBlue);
  p->Canvas()->FillRect({-5, -5, 100, 100});
  PixelImage expected = PixelImage::FromAscii({"......",
                                               ".bbbb.",
                                               ".bbbb.",
                                               ".bbbb.",
                                               "......"},
                                              {{'.', kWhite}, {'b', kBlue}});
  PixelImage actual(6, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) actual.Set(x, y, At(form, 9 + x, 9 + y));
  EXPECT_TRUE(ImagesEqual(expected.View(), actual.View()));
}

TEST_F(Paint, TheCanvasReadsPixelsInControlCoordinates) {
  fw::TForm* form = NewForm();
  Probe* p = NewProbe(form, "P", {10, 10, 14, 13});
  app->ProcessMessages();
  EXPECT_EQ(p->Canvas()->Pixel(0, 0), fw::clRed);
  EXPECT_EQ(p->Canvas()->Pixel(-1, 0), -1);
}

TEST_F(Paint, ACanvasWithoutParentRaisesWithTheControlsName) {
  Probe orphan(app, log);
  orphan.SetName("Lonely");
  try {
    orphan.Canvas()->FillRect({0, 0, 1, 1});
    FAIL() << "no exception";
  } catch (const fw::EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Control 'Lonely' has no parent window");
  }
}

TEST_F(Paint, ResizingInvalidatesTheOldAndTheNewArea) {
  fw::TForm* form = NewForm();
  Probe* p = NewProbe(form, "P", {10, 10, 20, 20});
  app->ProcessMessages();
  p->SetWidth(30);
  EXPECT_EQ(WindowOf(form).InvalidRect(), (pf::Rect{10, 10, 40, 20}));
  app->ProcessMessages();
  p->SetBounds(10, 10, 20, 10);
  EXPECT_EQ(WindowOf(form).InvalidRect(), (pf::Rect{10, 10, 40, 20}));
  app->ProcessMessages();
  p->SetWidth(20);
  EXPECT_TRUE(WindowOf(form).InvalidRect().IsEmpty());
}

TEST_F(Paint, EnabledChangesRepaintTheControl) {
  fw::TForm* form = NewForm();
  Probe* p = NewProbe(form, "P", {10, 10, 20, 20});
  app->ProcessMessages();
  p->SetEnabled(false);
  EXPECT_EQ(WindowOf(form).InvalidRect(), (pf::Rect{10, 10, 20, 20}));
}

}  // namespace
}  // namespace qf::test
