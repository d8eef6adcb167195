// The buffered window behind the X and the headless windows, through a port that records what it
// is asked to show: the map, exposures and lifetimes that the X window relies on and the headless
// platform's record cannot tell apart.
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/buffered/buffered_window.h"

namespace qf::test {
namespace {

using pf::Rect;
using Strings = std::vector<std::string>;

// Grey values read the same as a ColorRef and as a pixel.
constexpr pf::ColorRef kGrey = 0x808080;
constexpr pf::ColorRef kDark = 0x202020;

class RecordingPort : public pf::ScreenPort {
 public:
  void PutOnScreen(const pf::ImageView&, const Rect& a) override {
    calls.push_back("put " + std::to_string(a.left) + " " + std::to_string(a.top) + " " +
                    std::to_string(a.right) + " " + std::to_string(a.bottom));
  }
  // The map shows the buffer as it is: its size and the colour of its first pixel.
  void MapWithBuffer(const pf::ImageView& buffer) override {
    char text[48];
    std::snprintf(text, sizeof text, "map %dx%d %06X", buffer.width, buffer.height,
                  static_cast<unsigned>(buffer.At(0, 0)));
    calls.emplace_back(text);
  }
  Strings calls;
};

class Painter : public pf::WindowHandler {
 public:
  void WindowPaint(pf::Device& device, const Rect& update) override {
    ++paints;
    device.FillRect(update, color);
    if (then) then();
  }
  void WindowMouseDown(const pf::MouseEvent&) override {}
  void WindowMouseUp(const pf::MouseEvent&) override {}
  void WindowMouseMove(unsigned, pf::Point) override {}
  void WindowCloseRequest() override {}
  void WindowCaptureLost() override {}

  pf::ColorRef color = kGrey;
  int paints = 0;
  std::function<void()> then;
};

class BufferedWindowTest : public ::testing::Test {
 protected:
  void Draw(const Rect& r) { window->NewDrawingDevice()->FillRect(r, kDark); }

  RecordingPort port;
  Painter painter;
  std::unique_ptr<pf::BufferedWindow> window = std::make_unique<pf::BufferedWindow>(port, 40, 30);
};

TEST_F(BufferedWindowTest, TheFirstPaintMapsWithItsPixelsAndNothingIsPutBefore) {
  window->Show();
  Draw({0, 0, 5, 5});
  window->FlushDrawn();
  EXPECT_TRUE(port.calls.empty()) << "shown, but not painted yet";
  window->Paint(painter);
  window->Invalidate({2, 3, 4, 5});
  window->Paint(painter);
  EXPECT_EQ(port.calls, (Strings{"map 40x30 808080", "put 2 3 4 5"}));
}

TEST_F(BufferedWindowTest, EnsureMappedPaintsWhatIsDueBeforeTheMap) {
  window->EnsureMapped(painter);
  EXPECT_TRUE(port.calls.empty()) << "hidden";
  window->Show();
  window->EnsureMapped(painter);
  window->EnsureMapped(painter);
  EXPECT_EQ(painter.paints, 1);
  EXPECT_EQ(port.calls, (Strings{"map 40x30 808080"}));
}

// The screen's copy from the map (the X window's background) answers an exposure by itself until
// the buffer changes.
TEST_F(BufferedWindowTest, AnExposureIsPutOnceTheBufferDiffersFromTheMap) {
  window->Show();
  window->Paint(painter);
  window->Exposed({0, 0, 10, 10});
  window->FlushDrawn();
  EXPECT_EQ(port.calls.size(), 1u);
  Draw({20, 20, 25, 25});
  window->Exposed({0, 0, 10, 10});
  window->FlushDrawn();
  EXPECT_EQ(port.calls, (Strings{"map 40x30 808080", "put 20 20 25 25", "put 0 0 10 10"}));
}

TEST_F(BufferedWindowTest, HiddenItPutsNothingAndShownAgainItIsMappedAgain) {
  window->Show();
  window->Paint(painter);
  EXPECT_TRUE(window->Hide()) << "the caller takes a mapped window off the screen";
  Draw({0, 0, 5, 5});
  window->FlushDrawn();
  painter.color = kDark;
  window->Show();
  window->Paint(painter);
  EXPECT_EQ(port.calls, (Strings{"map 40x30 808080", "map 40x30 202020"}));
  EXPECT_TRUE(window->Hide());
  EXPECT_FALSE(window->Hide());
}

TEST_F(BufferedWindowTest, ItsHandlerMayDestroyItInsideThePaint) {
  window->Show();
  painter.then = [this] { window.reset(); };
  window->Paint(painter);
  EXPECT_EQ(window, nullptr);
  EXPECT_TRUE(port.calls.empty());
}

TEST_F(BufferedWindowTest, ADrawingDeviceMayOutliveIt) {
  std::unique_ptr<pf::Device> device = window->NewDrawingDevice();
  device->FillRect({0, 0, 5, 5}, kDark);
  window.reset();
  device.reset();  // reports what it touched to a window that is gone: a sanitizer's find
}

}  // namespace
}  // namespace qf::test
