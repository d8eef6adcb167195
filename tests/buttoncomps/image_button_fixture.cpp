#include "tests/buttoncomps/image_button_fixture.h"

#include "buttoncomps/buttoncomps.h"

namespace qf::test {

fw::TBitmap Solid(int width, int height, std::uint32_t rgb) {
  const pf::ColorRef color = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
  fw::TBitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.SetPixel(x, y, color);
  return b;
}

void ImageButtonTest::SetUp() {
  UiTest::SetUp();
  bc::RegisterClasses();
  form = NewForm();
}

bc::TImageButton* ImageButtonTest::NewButton(bool normal, bool over, bool down, bool up,
                                             bool disabled) {
  button = new bc::TImageButton(form);
  button->SetName("ImageButton1");
  button->SetParent(form);
  button->SetBounds(20, 20, button->Width(), button->Height());
  const fw::TBitmap n = Solid(30, 20, kNormal), o = Solid(34, 22, kOver), d = Solid(26, 18, kDown),
                    u = Solid(36, 24, kUp), x = Solid(24, 16, kOff);
  if (normal) button->SetBmp(&n);
  if (over) button->SetMOver(&o);
  if (down) button->SetMDown(&d);
  if (up) button->SetMUp(&u);
  if (disabled) button->SetBmpDAble(&x);
  Settle();
  log.clear();
  return button;
}

PixelImage ImageButtonTest::Scene(std::initializer_list<std::pair<pf::Rect, std::uint32_t>> rects) {
  PixelImage image(200, 100, kWhite);
  for (const auto& [r, rgb] : rects)
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) image.Set(x, y, rgb);
  return image;
}

PixelImage ImageButtonTest::Shows(std::uint32_t rgb, int width, int height, int face_width,
                                  int face_height) {
  return Scene({{{20, 20, 20 + face_width, 20 + face_height}, kFace},
                {{20, 20, 20 + width, 20 + height}, rgb}});
}

::testing::AssertionResult ImageButtonTest::Looks(const PixelImage& expected) {
  return ImagesEqual(expected.View(), WindowOf(form).Pixels());
}

void ImageButtonTest::Hook() {
  auto mouse = [this](const char* what) {
    return fw::TMouseEvent(
        [this, what](fw::TObject*, fw::TMouseButton b, fw::TShiftState s, int x, int y) {
          std::string line = std::string(what) + (b == fw::TMouseButton::mbLeft ? " L " : " ? ") +
                             std::to_string(x) + "," + std::to_string(y);
          if (s.Contains(fw::TShiftFlag::ssDouble)) line += " dbl";
          log.push_back(line);
        });
  };
  button->OnMouseDown = mouse("down");
  button->OnMouseUp = mouse("up");
  button->OnClick = fw::TNotifyEvent([this](fw::TObject*) { log.push_back("click"); });
  button->OnMouseEnter = fw::TNotifyEvent([this](fw::TObject*) { log.push_back("OnMouseEnter"); });
  button->OnMouseLeave = fw::TNotifyEvent([this](fw::TObject*) { log.push_back("OnMouseLeave"); });
}

}  // namespace qf::test
