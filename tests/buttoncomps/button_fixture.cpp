#include "tests/buttoncomps/button_fixture.h"

#include "buttoncomps/buttoncomps.h"
#include "tests/support/image_compare.h"

namespace qf::test {

std::uint32_t Px(fw::TColor color) { return pf::ColorRefToPixel(fw::ColorToRGB(color)); }

Expected::Expected(int width, int height, fw::TColor background)
    : surface_(pf::CreateSurface(width, height)), device_(surface_->NewDevice()) {
  device_->FillRect({0, 0, width, height}, fw::ColorToRGB(background));
}

Expected& Expected::Fill(const pf::Rect& rect, fw::TColor color) {
  device_->FillRect(rect, fw::ColorToRGB(color));
  return *this;
}

Expected& Expected::Frame(const pf::Rect& rect, fw::TColor color) {
  device_->FrameRect(rect, fw::ColorToRGB(color));
  return *this;
}

Expected& Expected::Text(pf::Point at, const std::string& text, const fw::TFont& font,
                         fw::TColor ink, fw::TColor back) {
  device_->SelectFont(font.Logical());
  device_->TextOutOpaque(at, text, fw::ColorToRGB(ink), fw::ColorToRGB(back));
  return *this;
}

void ButtonTest::SetUp() {
  UiTest::SetUp();
  bc::RegisterClasses();
  form = NewForm();
  form->SetBounds(100, 50, 300, 120);
  Settle();
}

PixelImage ButtonTest::Shot(const fw::TControl* c) const {
  const pf::ImageView window = hp->WindowOf(form)->Pixels();
  const pf::Point origin = c->ClientToForm({0, 0});
  PixelImage shot(c->Width(), c->Height());
  for (int y = 0; y < c->Height(); ++y) {
    for (int x = 0; x < c->Width(); ++x) shot.Set(x, y, window.At(origin.x + x, origin.y + y));
  }
  return shot;
}

std::uint32_t ButtonTest::At(const fw::TControl* c, int x, int y) const {
  const pf::Point p = c->ClientToForm({x, y});
  return hp->WindowOf(form)->Pixels().At(p.x, p.y);
}

::testing::AssertionResult ButtonTest::RowIs(const fw::TControl* c, int y, int x0, int x1,
                                             fw::TColor color) const {
  for (int x = x0; x <= x1; ++x) {
    if (At(c, x, y) != Px(color)) {
      return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                           << At(c, x, y) << ", not " << Px(color);
    }
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ButtonTest::ColumnIs(const fw::TControl* c, int x, int y0, int y1,
                                                fw::TColor color) const {
  for (int y = y0; y <= y1; ++y) {
    if (At(c, x, y) != Px(color)) {
      return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                           << At(c, x, y) << ", not " << Px(color);
    }
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ButtonTest::Shows(const fw::TControl* c, const Expected& expected) const {
  const PixelImage shot = Shot(c);
  return ImagesEqual(expected.View(), shot.View());
}

::testing::AssertionResult ButtonTest::CaptionAt(const fw::TControl* c, pf::Point at,
                                                 const std::string& text, const fw::TFont& font,
                                                 fw::TColor ink, fw::TColor back) const {
  const pf::Size size = Extent(font, text);
  Expected cell(size.cx, size.cy, back);
  cell.Text({0, 0}, text, font, ink, back);
  PixelImage actual(size.cx, size.cy);
  for (int y = 0; y < size.cy; ++y) {
    for (int x = 0; x < size.cx; ++x) actual.Set(x, y, At(c, at.x + x, at.y + y));
  }
  return ImagesEqual(cell.View(), actual.View());
}

int ButtonTest::Count(const fw::TControl* c, fw::TColor color) const {
  const PixelImage shot = Shot(c);
  int n = 0;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) n += shot.At(x, y) == Px(color) ? 1 : 0;
  }
  return n;
}

pf::Size ButtonTest::Extent(const fw::TFont& font, const std::string& text) const {
  std::unique_ptr<pf::Device> device = hp->WindowOf(form)->GetDevice();
  device->SelectFont(font.Logical());
  return device->TextExtent(text);
}

void ButtonTest::MoveOnto(const fw::TControl* c, int x, int y) { hp->MoveTo(Screen(c, x, y)); }

void ButtonTest::MoveOff() { hp->MoveTo(Screen(form, 295, 115)); }

}  // namespace qf::test
