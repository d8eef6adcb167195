// What reaches the screen: the first paint put whole, drawing outside a paint put once per turn
// of the loop as the rectangles it touched (near ones joined), and the rectangle a marking device
// reports.
#include <gtest/gtest.h>

#include "platform/buffered/marking_device.h"
#include "tests/ui/ui_fixture.h"

namespace qf::test {
namespace {

using pf::Rect;

class ScreenPut : public UiTest {};

TEST_F(ScreenPut, TheFirstPaintIsPutWholeAndOnce) {
  fw::TForm* form = NewForm();
  NewProbe(form, "P", {10, 10, 30, 30});
  app->ProcessMessages();
  EXPECT_EQ(WindowOf(form).puts, (std::vector<Rect>{{0, 0, 200, 100}}));
  EXPECT_EQ(WindowOf(form).PutBytes(), 200u * 100u * 4u);
}

TEST_F(ScreenPut, DrawingOutsideAPaintIsPutAtTheNextTurnAsTheRectanglesItTouched) {
  fw::TForm* form = NewForm();
  Probe* a = NewProbe(form, "A", {10, 10, 14, 13});
  Probe* b = NewProbe(form, "B", {50, 20, 60, 30});
  app->ProcessMessages();
  auto& window = WindowOf(form);
  window.puts.clear();
  a->Canvas()->FillRect({-5, -5, 100, 100});  // clipped to A: only A is touched
  b->Canvas()->FillRect({2, 2, 4, 4});
  b->Canvas()->FillRect({5, 1, 6, 2});
  EXPECT_TRUE(window.puts.empty()) << "nothing goes out before the loop turns";
  app->ProcessMessages();
  // A and B lie apart: not the band between them; B's two, a pixel apart, as one.
  EXPECT_EQ(window.puts, (std::vector<Rect>{{10, 10, 14, 13}, {52, 21, 56, 24}}));
  app->ProcessMessages();
  EXPECT_EQ(window.puts.size(), 2u) << "put once";
  b->Canvas()->Pixel(1, 1);  // reading touches nothing
  app->ProcessMessages();
  EXPECT_EQ(window.puts.size(), 2u);
}

TEST_F(ScreenPut, DrawingUnderAPendingPaintGoesWithThePaintsPut) {
  fw::TForm* form = NewForm();
  Probe* a = NewProbe(form, "A", {10, 10, 20, 20});
  app->ProcessMessages();
  auto& window = WindowOf(form);
  window.puts.clear();
  form->Invalidate();
  a->Canvas()->FillRect({0, 0, 5, 5});
  app->ProcessMessages();
  EXPECT_EQ(window.puts, (std::vector<Rect>{{0, 0, 200, 100}}));
}

TEST_F(ScreenPut, AHiddenWindowPutsNothing) {
  fw::TForm* form = NewForm();
  Probe* a = NewProbe(form, "A", {10, 10, 20, 20});
  app->ProcessMessages();
  auto& window = WindowOf(form);
  window.puts.clear();
  form->Hide();
  a->Canvas()->FillRect({0, 0, 5, 5});
  app->ProcessMessages();
  EXPECT_TRUE(window.puts.empty());
}

// Device coordinates: the origin moves the marks, the clip cuts them; reversed corners as GDI
// reads them; text may leave its cell, so it marks its whole clip.
TEST(MarkingDevice, ReportsWhatItsDrawingMayHaveTouched) {
  auto surface = pf::CreateSurface(100, 100);
  auto touched_by = [&](const std::function<void(pf::Device&)>& draw) {
    Rect reported{-1, -1, -1, -1};
    {
      pf::MarkingDevice device(surface->NewDevice(), [&](const Rect& r) { reported = r; });
      draw(device);
    }
    return reported;
  };
  EXPECT_EQ(touched_by([](pf::Device&) {}), Rect{});
  EXPECT_EQ(touched_by([](pf::Device& d) { d.GetPixel({3, 3}); }), Rect{});
  EXPECT_EQ(touched_by([](pf::Device& d) {
              d.SetOrigin({10, 20});
              d.FillRect({1, 2, 5, 6}, 0);
            }),
            (Rect{11, 22, 15, 26}));
  EXPECT_EQ(touched_by([](pf::Device& d) { d.FillRect({5, 6, 1, 2}, 0); }), (Rect{2, 3, 6, 7}));
  EXPECT_EQ(touched_by([](pf::Device& d) {
              d.SetClip({0, 0, 12, 12});
              d.FrameRect({8, 8, 40, 40}, 0);
              d.FillRect({50, 50, 60, 60}, 0);
            }),
            (Rect{8, 8, 12, 12}));
  const pf::Point line[] = {{3, 9}, {7, 4}, {5, 6}};
  EXPECT_EQ(touched_by([&](pf::Device& d) { d.Polyline(line, 3, 0); }), (Rect{3, 4, 8, 10}));
  const std::uint32_t pixels[6] = {};
  const pf::ImageView image{3, 2, pixels, 3};
  EXPECT_EQ(touched_by([&](pf::Device& d) {
              d.DrawImage({1, 1}, image);
              d.DrawImageTransparent({20, 30}, image, 0);
            }),
            (Rect{1, 1, 23, 32}));
  EXPECT_EQ(touched_by([&](pf::Device& d) {
              d.StretchKeyed({4, 4, 10, 10}, image, {0, 0, 3, 2}, 0, 0);
            }),
            (Rect{4, 4, 10, 10}));
  EXPECT_EQ(touched_by([](pf::Device& d) {
              d.SetClip({30, 30, 70, 40});
              d.TextOutOpaque({0, 0}, "x", 0, 0);
            }),
            (Rect{30, 30, 70, 40}));
}

}  // namespace
}  // namespace qf::test
