// The main window as its description builds it: layout, properties, pictures, first frame, hover,
// AppPath and the fade-in.
#include <gtest/gtest.h>

#include "framework/graphics/jpeg.h"
#include "tests/app/app_fixture.h"
#include "tests/support/image_compare.h"
#include "tests/support/pixel_image.h"

namespace qf::test {
namespace {

using bc::TImageButton;

class FormMain : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    NewMainForm();
  }
  const fw::TBitmap& Background() const {
    return static_cast<const fw::TJPEGImage*>(form->Image1->Picture()->Graphic())->Decoded();
  }
  // The background with `picture` laid over it at `button`'s place.
  PixelImage BackgroundWith(const TImageButton* button, const fw::TBitmap& picture) const {
    PixelImage image = PixelImage::CopyOf(Background().View());
    const pf::ImageView v = picture.View();
    for (int y = 0; y < v.height; ++y)
      for (int x = 0; x < v.width; ++x) image.Set(button->Left() + x, button->Top() + y, v.At(x, y));
    return image;
  }
};

TEST_F(FormMain, FormPropertiesComeFromTheDescription) {
  EXPECT_EQ(form->Name(), "Form_Main");
  EXPECT_EQ(form->BorderStyle(), fw::TFormBorderStyle::bsNone);
  EXPECT_EQ(form->Position(), fw::TPosition::poScreenCenter);
  EXPECT_EQ(form->ClientWidth(), 600);
  EXPECT_EQ(form->ClientHeight(), 400);
  EXPECT_TRUE(form->AutoSize());
  EXPECT_TRUE(form->AlphaBlend());
  EXPECT_EQ(form->AlphaBlendValue(), 0);
  EXPECT_EQ(form->Color(), fw::clBtnFace);
  EXPECT_FALSE(form->Scaled());
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->Caption(), "Form_Main");
  EXPECT_EQ(form->Icon()->Width(), 32);
  EXPECT_EQ(form->Icon()->Height(), 32);
  EXPECT_EQ(form->OnDestroy.MethodName(), "FormDestroy");
  // Centred on the 1024 x 768 screen, not at the stored 407, 256; transparent when first shown.
  EXPECT_EQ(MainWindow().Bounds(), (pf::Rect{212, 184, 812, 584}));
  EXPECT_TRUE(MainWindow().IsVisible());
  EXPECT_TRUE(MainWindow().Borderless());
  EXPECT_TRUE(MainWindow().Layered());
  EXPECT_EQ(MainWindow().Alpha(), 0);
}

TEST_F(FormMain, ControlsLieInCreationOrderWithTheirBoundsAndHandlers) {
  struct Expected {
    const char* name;
    pf::Rect bounds;
    const char* handler;
  };
  const Expected expected[] = {
      {"Image1", {0, 0, 600, 400}, nullptr},
      {"ImageButton2", {388, 303, 572, 328}, "ImageButton2Click"},
      {"ImageButton3", {389, 258, 574, 285}, "ImageButton3Click"},
      {"ImageButton5", {25, 340, 85, 373}, "ImageButton5Click"},
      {"ImageButton1", {387, 351, 571, 374}, "ImageButton1Click"},
  };
  ASSERT_EQ(form->ControlCount(), 5);
  for (int i = 0; i < 5; ++i) {
    const fw::TControl* c = form->Controls(i);
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(c->Name(), expected[i].name);
    EXPECT_EQ(c->BoundsRect(), expected[i].bounds);
    if (!expected[i].handler) continue;
    const auto* b = dynamic_cast<const TImageButton*>(c);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->OnClick.MethodName(), expected[i].handler);
    EXPECT_EQ(b->Cursor(), fw::crHandPoint);
    EXPECT_TRUE(b->ShowHint());
    EXPECT_FALSE(b->ParentShowHint());
  }
  EXPECT_EQ(form->Timer2->Interval(), 50u);
  EXPECT_TRUE(form->Timer2->Enabled());
  EXPECT_EQ(form->Timer2->OnTimer.MethodName(), "Timer2Timer");
}

TEST_F(FormMain, PicturesHaveTheStatedFormats) {
  const auto* jpeg = dynamic_cast<const fw::TJPEGImage*>(form->Image1->Picture()->Graphic());
  ASSERT_NE(jpeg, nullptr);
  EXPECT_EQ(jpeg->Width(), 600);
  EXPECT_EQ(jpeg->Height(), 400);
  EXPECT_EQ(jpeg->Components(), 3);
  EXPECT_EQ(jpeg->SaveToBytes().size(), 49754u);
  EXPECT_EQ(static_cast<unsigned char>(jpeg->SaveToBytes()[0]), 0xFF);
  for (const TImageButton* b : {form->ImageButton2, form->ImageButton3, form->ImageButton5, form->ImageButton1}) {
    SCOPED_TRACE(b->Name());
    for (const fw::TBitmap* p : {b->BitmapOver(), b->BitmapUp(), b->Bitmap()}) {
      EXPECT_EQ(p->Width(), b->Width());
      EXPECT_EQ(p->Height(), b->Height());
      // 24 bits, rows padded to 4 bytes, pixels at offset 54.
      const std::size_t row = (static_cast<std::size_t>(b->Width()) * 3 + 3) / 4 * 4;
      EXPECT_EQ(p->SaveToBytes().size(), 54 + row * static_cast<std::size_t>(b->Height()));
    }
    EXPECT_TRUE(b->BitmapOver()->Equals(*b->BitmapUp()));
    EXPECT_FALSE(b->BitmapOver()->Equals(*b->Bitmap()));
    EXPECT_EQ(b->BitmapDown()->Width(), 0);
    EXPECT_EQ(b->BitmapDisabled()->Width(), 0);
  }
  EXPECT_EQ(form->ImageButton2->Bitmap()->SaveToBytes().size(), 13854u);
}

TEST_F(FormMain, FirstFrameIsTheBackgroundExactly) {
  // The plain pictures are cut from the decoded background, so no seam shows anywhere.
  application->ProcessMessages();
  EXPECT_TRUE(ImagesEqual(Background().View(), MainWindow().Pixels()));
}

TEST_F(FormMain, HoveringAButtonShowsItsHighlightAndLeavingRestoresIt) {
  application->ProcessMessages();
  for (const TImageButton* b : {form->ImageButton3, form->ImageButton2, form->ImageButton1, form->ImageButton5}) {
    SCOPED_TRACE(b->Name());
    hp->MoveTo(CentreOf(b));
    Settle();
    EXPECT_TRUE(ImagesEqual(BackgroundWith(b, *b->BitmapOver()).View(), MainWindow().Pixels()));
  }
  hp->MoveTo({220, 190});
  Settle();
  EXPECT_TRUE(ImagesEqual(Background().View(), MainWindow().Pixels()));
}

// The picture is decoded while the form is built; the first frame goes out whole, once; each
// hover change puts only the button it changes, once.
TEST_F(FormMain, TheScreenGetsTheFirstFrameOnceThenOnlyTheButtonsThatChange) {
  EXPECT_TRUE(static_cast<const fw::TJPEGImage*>(form->Image1->Picture()->Graphic())->IsDecoded());
  application->ProcessMessages();
  EXPECT_EQ(MainWindow().puts, (std::vector<pf::Rect>{{0, 0, 600, 400}}));
  for (const TImageButton* b : {form->ImageButton3, form->ImageButton5}) {
    SCOPED_TRACE(b->Name());
    const pf::Rect button{b->Left(), b->Top(), b->Left() + b->Width(), b->Top() + b->Height()};
    for (pf::Point to : {CentreOf(b), pf::Point{220, 190}}) {
      MainWindow().puts.clear();
      hp->MoveTo(to);
      Settle();
      application->ProcessMessages();
      EXPECT_EQ(MainWindow().puts, (std::vector<pf::Rect>{button}));
    }
  }
}

// ---- AppPath ----------------------------------------------------------------------------

struct PathCase {
  const char* exe;
  const char* app_path;
};

class AppPathOf : public AppTest, public ::testing::WithParamInterface<PathCase> {};

TEST_P(AppPathOf, IsTheExecutablesFolderWithItsDelimiter) {
  hp->executable_path = GetParam().exe;
  NewMainForm();
  EXPECT_EQ(form->AppPath, GetParam().app_path);
}

INSTANTIATE_TEST_SUITE_P(Launcher, AppPathOf,
                         ::testing::Values(PathCase{"D:\\Quenfor.exe", "D:\\"},
                                           PathCase{"E:\\Quenfor.exe", "E:\\"},
                                           PathCase{"D:\\Disc\\Quenfor.exe", "D:\\Disc\\"},
                                           PathCase{"C:\\Copies\\Disc 2\\Quenfor.exe", "C:\\Copies\\Disc 2\\"},
                                           PathCase{"Quenfor.exe", ""}));

// ---- the fade-in ------------------------------------------------------------------------

TEST_F(FormMain, FadesInInFortyNineTicksAndStops) {
  const std::size_t before = hp->opacity_steps.size();
  const std::uint64_t start = hp->Now();
  RunFor(3000);
  std::vector<int> alphas;
  for (std::size_t i = before; i < hp->opacity_steps.size(); ++i) {
    const pf::headless::OpacityStep& s = hp->opacity_steps[i];
    EXPECT_TRUE(s.layered);
    alphas.push_back(s.alpha);
    // Tick n at n x 50 ms; the last tick writes 245 and 255 together.
    const std::uint64_t tick = std::min<std::uint64_t>(alphas.size(), 49);
    EXPECT_EQ(s.time_ms, start + tick * 50) << "step " << alphas.size();
  }
  std::vector<int> expected;
  for (int a = 5; a <= 245; a += 5) expected.push_back(a);
  expected.push_back(255);
  EXPECT_EQ(alphas, expected);
  EXPECT_FALSE(form->Timer2->Enabled());
  EXPECT_EQ(form->AlphaBlendValue(), 255);
  EXPECT_EQ(MainWindow().Alpha(), 255);
}

TEST_F(FormMain, NoOpacityChangeAfterTheFadeIn) {
  RunFor(2500);
  const std::size_t steps = hp->opacity_steps.size();
  RunFor(5000);
  EXPECT_EQ(hp->opacity_steps.size(), steps);
  EXPECT_EQ(MainWindow().Alpha(), 255);
}

}  // namespace
}  // namespace qf::test
