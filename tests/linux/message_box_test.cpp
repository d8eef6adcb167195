// The message box Linux draws, as its window's handler: the buttons of its style, its keys and
// mouse, and which button it shows as current.
#include <gtest/gtest.h>

#include "platform/linux/message_box_view.h"
#include "platform/raster/raster_surface.h"

namespace qf::test {
namespace {

using pf::linux_x::MessageBoxView;

void Key(MessageBoxView& box, unsigned key, unsigned shift = 0) { box.WindowKeyDown({key, shift}); }

pf::Point Inside(const pf::Rect& r) { return {r.left + 5, r.top + 5}; }

void Click(MessageBoxView& box, pf::Point down, pf::Point up) {
  box.WindowMouseDown({pf::MouseButton::Left, pf::kLeftButton, down});
  box.WindowMouseUp({pf::MouseButton::Left, 0, up});
}

TEST(MessageBox, KeysMoveRoundTheButtonsAndPressTheCurrentOne) {
  MessageBoxView box("Save the changes?", pf::kBoxYesNoCancel);
  Key(box, pf::kKeyTab);
  Key(box, pf::kKeyTab);
  Key(box, pf::kKeyTab);  // round to Yes
  Key(box, pf::kKeyRight);
  EXPECT_FALSE(box.Answer().has_value());
  Key(box, pf::kKeyReturn);
  EXPECT_EQ(box.Answer(), pf::kBoxResultNo);

  MessageBoxView back("Save?", pf::kBoxYesNoCancel);
  Key(back, pf::kKeyTab, pf::kShiftKey);  // from the first, back to the last
  Key(back, pf::kKeySpace);
  EXPECT_EQ(back.Answer(), pf::kBoxResultCancel);
}

TEST(MessageBox, EscAndTheCloseAnswerCancelElseTheLastButton) {
  MessageBoxView three("?", pf::kBoxYesNoCancel);
  Key(three, pf::kKeyEscape);
  EXPECT_EQ(three.Answer(), pf::kBoxResultCancel);
  MessageBoxView two("?", pf::kBoxYesNo);
  two.WindowCloseRequest();
  EXPECT_EQ(two.Answer(), pf::kBoxResultNo);
  MessageBoxView one("!", pf::kBoxOk | pf::kBoxIconError);
  Key(one, pf::kKeyEscape);
  EXPECT_EQ(one.Answer(), pf::kBoxResultOk);
}

TEST(MessageBox, AClickIsAPressAndAReleaseOnTheSameButton) {
  MessageBoxView box("?", pf::kBoxYesNo);
  const pf::Rect yes = box.ButtonRect(pf::kBoxResultYes), no = box.ButtonRect(pf::kBoxResultNo);
  Click(box, Inside(yes), Inside(no));
  EXPECT_FALSE(box.Answer().has_value());
  Click(box, Inside(no), Inside(no));
  EXPECT_EQ(box.Answer(), pf::kBoxResultNo);
}

// As in the system's dialogs, the current button is shown once a key moved it: a dark frame.
TEST(MessageBox, TheCurrentButtonShowsOnceAKeyMovedIt) {
  MessageBoxView box("Replace the file?", pf::kBoxYesNo);
  const pf::Size size = box.ClientSize();
  const auto frame_of = [&](int id) {
    pf::raster::RasterSurface surface(size.cx, size.cy);
    box.WindowPaint(*surface.NewDevice(), {0, 0, size.cx, size.cy});
    const pf::Rect r = box.ButtonRect(id);
    return surface.Pixels().At(r.left, r.top);
  };
  EXPECT_EQ(frame_of(pf::kBoxResultYes), frame_of(pf::kBoxResultNo));
  Key(box, pf::kKeyRight);
  EXPECT_EQ(frame_of(pf::kBoxResultNo), 0x404040u);
  EXPECT_NE(frame_of(pf::kBoxResultYes), 0x404040u);
  EXPECT_LT(box.ButtonRect(pf::kBoxResultYes).right, box.ButtonRect(pf::kBoxResultNo).left);
}

}  // namespace
}  // namespace qf::test
