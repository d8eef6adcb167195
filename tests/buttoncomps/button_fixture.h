#pragma once
// Buttons on a headless form: placing them, reading their pixels, measuring captions the way the
// canvas does, and pictures of what a look should show, drawn on a surface of their own.
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/control.h"
#include "tests/support/pixel_image.h"
#include "tests/ui/ui_fixture.h"

namespace qf::test {

// A TColor as the surface holds it (0x00RRGGBB).
std::uint32_t Px(fw::TColor color);

// A picture of one control, built step by step with the device's own operations.
class Expected {
 public:
  Expected(int width, int height, fw::TColor background);
  Expected& Fill(const pf::Rect& rect, fw::TColor color);
  Expected& Frame(const pf::Rect& rect, fw::TColor color);
  Expected& Text(pf::Point at, const std::string& text, const fw::TFont& font, fw::TColor ink,
                 fw::TColor back);
  pf::ImageView View() const { return surface_->Pixels(); }

 private:
  std::unique_ptr<pf::Surface> surface_;
  std::unique_ptr<pf::Device> device_;
};

class ButtonTest : public UiTest {
 protected:
  void SetUp() override;

  // A button of class B on the form, at (left, top), given its parent, shown and settled.
  template <class B>
  B* Place(const std::string& name, int left = 10, int top = 10) {
    auto* b = new B(form);
    b->SetName(name);
    b->SetBounds(left, top, b->Width(), b->Height());
    b->SetParent(form);
    Settle();
    return b;
  }

  // The control's rectangle as the window shows it.
  PixelImage Shot(const fw::TControl* c) const;
  std::uint32_t At(const fw::TControl* c, int x, int y) const;
  // Whether pixels x0..x1 of row y (or y0..y1 of column x), inclusive, all have `color`.
  ::testing::AssertionResult RowIs(const fw::TControl* c, int y, int x0, int x1,
                                   fw::TColor color) const;
  ::testing::AssertionResult ColumnIs(const fw::TControl* c, int x, int y0, int y1,
                                      fw::TColor color) const;
  ::testing::AssertionResult Shows(const fw::TControl* c, const Expected& expected) const;
  // Whether the control shows `text` with its cell's top-left corner at `at`, as the device draws it.
  ::testing::AssertionResult CaptionAt(const fw::TControl* c, pf::Point at, const std::string& text,
                                       const fw::TFont& font, fw::TColor ink, fw::TColor back) const;
  // How many pixels of the control have `color`.
  int Count(const fw::TControl* c, fw::TColor color) const;
  // Width and height of `text` in `font`, as the device measures them.
  pf::Size Extent(const fw::TFont& font, const std::string& text) const;

  // The scripted pointer, in the control's client coordinates.
  void MoveOnto(const fw::TControl* c, int x = 3, int y = 3);
  void MoveOff();

  fw::TForm* form = nullptr;
};

}  // namespace qf::test
