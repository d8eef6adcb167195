// Writes the form description of the launcher's main window with the framework's own writer, so
// that its format is always the reader's. It builds the layout in code from the artwork in
// resources/art, cuts the plain button pictures out of the decoded background (so that they match
// it pixel for pixel, and saves them beside the artwork), and writes the description.
//
//   make_form_main <art folder> <output file>
//
// Run through resources/regenerate.sh; the result is committed.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "buttoncomps/image_button.h"
#include "framework/application.h"
#include "framework/extctrls.h"
#include "framework/streaming.h"
#include "platform/headless/headless_platform.h"

namespace {

// The class the description names; the launcher's TForm_Main reads it.
class MainFormLayout : public fw::TForm {
  QF_PUBLISHED_CLASS()

 public:
  using fw::TForm::TForm;
};

const fw::ClassInfo& MainFormLayout::StaticClass() {
  static const fw::ClassInfo info = fw::NewClass("TForm_Main", &fw::TForm::StaticClass());
  return info;
}

struct ButtonPlace {
  const char* name;
  const char* art;
  int left, top, width, height;
};

// In creation order: later ones lie above earlier ones.
constexpr ButtonPlace kButtons[] = {
    {"ImageButton2", "manual", 388, 303, 184, 25},
    {"ImageButton3", "driver", 389, 258, 185, 27},
    {"ImageButton5", "exit", 25, 340, 60, 33},
    {"ImageButton1", "reader", 387, 351, 184, 23},
};

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw fw::Exception("cannot read " + path);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

fw::TNotifyEvent Handler(const char* method) {
  return fw::TNotifyEvent([](fw::TObject*) {}, method);
}

fw::TBitmap Cut(const fw::TBitmap& from, const ButtonPlace& b) {
  fw::TBitmap piece(b.width, b.height);
  for (int y = 0; y < b.height; ++y) {
    for (int x = 0; x < b.width; ++x) piece.SetPixel(x, y, from.Pixel(b.left + x, b.top + y));
  }
  return piece;
}

void SetUpForm(fw::TForm& form, const std::string& art) {
  form.SetName("Form_Main");
  form.Show();  // first, so that centring on screen does not move the stored position
  form.SetBounds(407, 256, 600, 400);
  form.SetBorderStyle(fw::TFormBorderStyle::bsNone);
  form.SetPosition(fw::TPosition::poScreenCenter);
  form.SetAutoSize(true);
  form.SetAlphaBlend(true);
  form.SetAlphaBlendValue(0);
  form.SetColor(fw::clBtnFace);
  form.SetScaled(false);
  form.SetCaption("Form_Main");
  form.SetIconData(ReadFile(art + "/form_icon.ico"));
  form.OnDestroy = Handler("FormDestroy");
}

const fw::TBitmap& AddBackground(fw::TForm& form, const std::string& art) {
  auto* image = new fw::TImage(&form);
  image->SetName("Image1");
  image->SetParent(&form);
  image->SetBounds(0, 0, 600, 400);
  image->SetAutoSize(true);
  auto jpeg = std::make_unique<fw::TJPEGImage>();
  jpeg->LoadFromBytes(ReadFile(art + "/background.jpg"));
  image->Picture()->SetGraphic(std::move(jpeg));
  return static_cast<const fw::TJPEGImage*>(image->Picture()->Graphic())->Decoded();
}

void AddButton(fw::TForm& form, const ButtonPlace& place, const fw::TBitmap& background,
               const std::string& art) {
  auto* button = new bc::TImageButton(&form);
  button->SetName(place.name);
  button->SetParent(&form);
  button->SetBounds(place.left, place.top, place.width, place.height);
  button->SetCursor(fw::crHandPoint);
  fw::TBitmap lit;
  lit.LoadFromFile(art + "/hl_" + place.art + ".bmp");
  const fw::TBitmap plain = Cut(background, place);
  plain.SaveToFile(art + "/plain_" + place.art + ".bmp");
  button->SetMOver(&lit);
  button->SetMUp(&lit);
  button->SetBmp(&plain);
  button->OnClick = Handler((std::string(place.name) + "Click").c_str());
  button->SetShowHint(true);
  button->SetParentShowHint(false);
}

void AddTimer(fw::TForm& form) {
  auto* timer = new fw::TTimer(&form);
  timer->SetName("Timer2");
  timer->SetInterval(50);
  timer->OnTimer = Handler("Timer2Timer");
}

std::string Describe(const std::string& art) {
  fw::TApplication application(nullptr);
  application.Initialize();
  auto* form = new MainFormLayout(&application);
  SetUpForm(*form, art);
  const fw::TBitmap& background = AddBackground(*form, art);
  for (const ButtonPlace& b : kButtons) AddButton(*form, b, background, art);
  AddTimer(*form);
  return fw::WriteComponent(*form);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_form_main <art folder> <output file>\n");
    return 2;
  }
  pf::Install(std::make_unique<pf::headless::HeadlessPlatform>());
  try {
    const std::string text = Describe(argv[1]);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    if (!out || !out.write(text.data(), static_cast<std::streamsize>(text.size()))) {
      throw fw::Exception(std::string("cannot write ") + argv[2]);
    }
  } catch (const fw::Exception& e) {
    std::fprintf(stderr, "make_form_main: %s\n", e.Message().c_str());
    return 1;
  }
  pf::Uninstall();
  return 0;
}
