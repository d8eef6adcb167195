#pragma once
// An image button on a white headless form, solid pictures of distinct colours and sizes, and
// whole-window picture checks.
#include <string>
#include <utility>
#include <vector>

#include "buttoncomps/image_button.h"
#include "tests/support/image_compare.h"
#include "tests/support/pixel_image.h"
#include "tests/ui/ui_fixture.h"

namespace qf::test {

// Window pixels are 0x00RRGGBB.
inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kFace = 0xF0F0F0;    // the headless button face
inline constexpr std::uint32_t kNormal = 0xC00000;  // Bitmap, 30 x 20
inline constexpr std::uint32_t kOver = 0x00C000;    // BitmapOver, 34 x 22
inline constexpr std::uint32_t kDown = 0x0000C0;    // BitmapDown, 26 x 18
inline constexpr std::uint32_t kUp = 0xC0C000;      // BitmapUp, 36 x 24
inline constexpr std::uint32_t kOff = 0x606060;     // BitmapDisabled, 24 x 16

fw::TBitmap Solid(int width, int height, std::uint32_t rgb);

class ImageButtonTest : public UiTest {
 protected:
  void SetUp() override;

  // The button at (20, 20) of the form, with the pictures asked for.
  bc::TImageButton* NewButton(bool normal, bool over, bool down, bool up, bool disabled);
  // The form's 200 x 100 window as it should look: white, then rectangles in order.
  static PixelImage Scene(std::initializer_list<std::pair<pf::Rect, std::uint32_t>> rects);
  // A picture of `rgb` over the button face, both at the button's place.
  static PixelImage Shows(std::uint32_t rgb, int width, int height, int face_width = 0,
                          int face_height = 0);
  ::testing::AssertionResult Looks(const PixelImage& expected);
  // One turn of the main loop, and the repaint that what the idle processing did asks for.
  void Loop() {
    Settle();
    app->ProcessMessages();
  }
  pf::Point At(int x, int y) const { return Screen(button, x, y); }
  // The log of the button's events.
  void Hook();

  fw::TForm* form = nullptr;
  bc::TImageButton* button = nullptr;
};

}  // namespace qf::test
