// Writes the generated part of the fuzz seeds into OUT/form, OUT/bitmap and OUT/jpeg: a form that
// holds every class the form target knows, written by the framework's own writer, and bitmap and
// JPEG files of each kind the tests' builders make.
//   qf_fuzz_seeds OUT
#include <cstdio>
#include <fstream>
#include <memory>
#include <set>
#include <string>

#include "buttoncomps/buttoncomps.h"
#include "framework/controls/application.h"
#include "framework/controls/image.h"
#include "framework/controls/timer.h"
#include "framework/description_tools/writer.h"
#include "platform/headless/headless_platform.h"
#include "tests/framework/bmp_builder.h"
#include "tests/framework/jpeg_maker.h"

namespace {

void Save(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path);
}

fw::TBitmap Checker(int w, int h) {
  fw::TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, (x + y) % 2 ? 0x00FF00FFu : 0x00123456u);
  return b;
}

// One of each class, with pictures, events and the properties that change how they paint.
std::string AllClassesForm() {
  class TSeedForm : public fw::TForm {
   public:
    explicit TSeedForm(fw::TComponent* owner) : fw::TForm(owner) {
      PublishMethod("ButtonClick", &TSeedForm::Notify);
      PublishMethod("TimerTick", &TSeedForm::Notify);
      PublishMethod("ButtonDown", &TSeedForm::Mouse);
    }
    void Notify(fw::TObject*) {}
    void Mouse(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {}
  };
  fw::TApplication app(nullptr);
  auto* form = new TSeedForm(&app);
  form->SetName("Form1");
  form->SetBounds(0, 0, 240, 160);
  form->SetCaption("Seed");
  const fw::TBitmap picture = Checker(6, 4);
  auto place = [&](fw::TControl* c, const char* name, int left, int top) {
    c->SetName(name);
    c->SetParent(form);
    c->SetBounds(left, top, c->Width(), c->Height());
  };
  auto* image = new fw::TImage(form);
  place(image, "Image1", 0, 0);
  image->Picture()->SetGraphic(std::make_unique<fw::TBitmap>(Checker(8, 8)));
  auto* ib = new bc::TImageButton(form);
  place(ib, "ImageButton1", 10, 10);
  ib->SetBmp(&picture);
  ib->SetMOver(&picture);
  ib->SetMDown(&picture);
  ib->OnClick = form->MethodEvent<fw::TObject*>("ButtonClick");
  auto* eb = new bc::TEncartaButton(form);
  place(eb, "EncartaButton1", 10, 40);
  eb->SetBmp(&picture);
  eb->SetCap("Encarta");
  auto* ab = new bc::TAOLButton(form);
  place(ab, "AOLButton1", 10, 70);
  ab->SetCap("AOL");
  ab->OnMouseDown =
      form->MethodEvent<fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int>("ButtonDown");
  auto* sb = new bc::TSelButton(form);
  place(sb, "SelButton1", 120, 10);
  sb->SetCap("Sel");
  sb->SetAlment(fw::TAlignment::taRightJustify);
  sb->SetBWidth(2);
  auto* qb = new bc::TSquareButton(form);
  place(qb, "SquareButton1", 120, 40);
  qb->SetCap("Square");
  qb->Font()->SetStyle(fw::TFontStyles{fw::TFontStyle::fsBold});
  auto* timer = new fw::TTimer(form);
  timer->SetName("Timer1");
  timer->SetInterval(50);
  timer->OnTimer = form->MethodEvent<fw::TObject*>("TimerTick");
  std::string text = fw::WriteComponent(*form);
  // The form target reads into a TForm.
  return text;
}

// The form target's dictionary: every class name, property name and enumeration name of the
// classes it knows, from their own tables, and the words of the syntax.
std::string FormDictionary() {
  const fw::ClassInfo* classes[] = {
      &fw::TForm::StaticClass(),          &fw::TImage::StaticClass(),
      &fw::TTimer::StaticClass(),         &bc::TImageButton::StaticClass(),
      &bc::TEncartaButton::StaticClass(), &bc::TAOLButton::StaticClass(),
      &bc::TSelButton::StaticClass(),     &bc::TSquareButton::StaticClass()};
  std::set<std::string> words{"{",     "}",         "=",           "<",          ">",
                              "[",     "]",         ",",           "#",          "$",
                              "True",  "False",     "\\x",       "\\\"",       "Name",
                              "file",  "file \"",
                              "clRed", "clBtnFace", "clWindowText", "crHandPoint", "ButtonClick",
                              "ButtonDown", "ButtonUp", "ButtonMove", "TimerTick", "FormCreate",
                              "-32768", "32767", "8192", "2147483647", "-2147483648"};
  for (const fw::ClassInfo* c : classes) {
    for (const fw::ClassInfo* k = c; k; k = k->parent) words.insert(k->name);
    for (const fw::PropInfo* p : c->Properties()) {
      words.insert(p->name);
      if (p->names) {
        for (const auto& [name, value] : p->names->names) words.insert(name);
      }
    }
  }
  std::string dict;
  for (const std::string& w : words) {
    dict += '"';
    for (char ch : w) {
      if (ch == '\\' || ch == '"') dict += '\\';
      dict += ch;
    }
    dict += "\"\n";
  }
  return dict;
}

void Bitmaps(const std::string& dir) {
  using qf_test::BmpParts;
  auto rows = [](int n, std::size_t bytes) {
    std::vector<std::vector<std::uint8_t>> r(n, std::vector<std::uint8_t>(bytes));
    for (int y = 0; y < n; ++y)
      for (std::size_t i = 0; i < bytes; ++i) r[y][i] = static_cast<std::uint8_t>(y * 31 + i * 7);
    return r;
  };
  const struct {
    const char* name;
    BmpParts parts;
  } kinds[] = {
      {"1bpp", {40, 9, 3, 1, 0, 2, {}, {0x000000, 0xFFFFFF}, rows(3, 2)}},
      {"4bpp", {40, 5, 2, 4, 0, 16, {}, std::vector<std::uint32_t>(16, 0x00336699), rows(2, 3)}},
      {"8bpp_topdown", {40, 3, -3, 8, 0, 4, {}, {1, 2, 3, 4}, rows(3, 3)}},
      {"rle8", {40, 4, 2, 8, 1, 2, {}, {0x00FF0000, 0x0000FF00}, {{4, 1, 0, 0, 4, 0, 0, 1}}}},
      {"rle4", {40, 4, 2, 4, 2, 2, {}, {0x00FF0000, 0x0000FF00}, {{4, 0x10, 0, 0, 4, 0x01, 0, 1}}}},
      {"16bpp_masks", {40, 3, 2, 16, 3, 0, {0xF800, 0x07E0, 0x001F}, {}, rows(2, 6)}},
      {"16bpp", {40, 3, 2, 16, 0, 0, {}, {}, rows(2, 6)}},
      {"24bpp", {40, 3, 2, 24, 0, 0, {}, {}, rows(2, 9)}},
      {"32bpp", {40, 2, 2, 32, 0, 0, {}, {}, rows(2, 8)}},
      {"core_header",
       {12, 2, 2, 8, 0, 0, {}, std::vector<std::uint32_t>(256, 0x00808080), rows(2, 2)}},
      {"v4_header", {108, 2, 2, 32, 3, 0, {0xFF0000, 0xFF00, 0xFF}, {}, rows(2, 8)}},
      {"v5_header", {124, 2, 2, 24, 0, 0, {}, {}, rows(2, 6)}},
  };
  for (const auto& k : kinds) Save(dir + "/gen_" + k.name + ".bmp", qf_test::BuildBmp(k.parts));
}

void Jpegs(const std::string& dir) {
  auto sample = [](int x, int y) {
    return static_cast<std::uint32_t>((x * 40) << 16 | (y * 30) << 8 | 0x80);
  };
  Save(dir + "/gen_grey.jpg", qf_test::MakeJpeg(9, 7, 1, sample));
  Save(dir + "/gen_rgb.jpg", qf_test::MakeJpeg(16, 9, 3, sample, 50));
  Save(dir + "/gen_cmyk.jpg", qf_test::MakeJpeg(5, 5, 4, sample));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qf_fuzz_seeds OUT\n");
    return 2;
  }
  const std::string out = argv[1];
  try {
    pf::Install(std::make_unique<pf::headless::HeadlessPlatform>());
    Save(out + "/form/gen_all_classes.form", AllClassesForm());
    Save(out + "/form.dict", FormDictionary());
    pf::Uninstall();
    Bitmaps(out + "/bitmap");
    Jpegs(out + "/jpeg");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "qf_fuzz_seeds: %s\n", e.what());
    return 1;
  }
  return 0;
}
