// TImageButton in form descriptions: its published properties, what is stored, the stored form
// of a picture, and reading without the setters.
#include <gtest/gtest.h>

#include "framework/description/reader.h"
#include "framework/description_tools/writer.h"
#include "tests/buttoncomps/image_button_fixture.h"

namespace qf::test {
namespace {

using Strings = std::vector<std::string>;

std::uint32_t Le32(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
  return v;
}

// A form whose methods a description can name.
class TTestForm : public fw::TForm {
  QF_PUBLISHED_CLASS()

 public:
  explicit TTestForm(fw::TComponent* owner) : fw::TForm(owner) {
    PublishMethod("Pressed", &TTestForm::Pressed);
    PublishMethod("Held", &TTestForm::Held);
  }
  void Pressed(fw::TObject*) {}
  void Held(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {}
};

const fw::ClassInfo& TTestForm::StaticClass() {
  static const fw::ClassInfo info = fw::NewClass("TTestForm", &fw::TForm::StaticClass());
  return info;
}

class ImageButtonStream : public ImageButtonTest {
 protected:
  void SetUp() override {
    ImageButtonTest::SetUp();
    host = new TTestForm(app);
    host->SetName("Host");
  }
  // The button's lines of the host's description, without the picture bytes.
  Strings ButtonLines() const {
    const std::string text = fw::WriteComponent(*host);
    Strings lines;
    std::size_t at = text.find('\n', text.find("  TImageButton")) + 1;
    bool in_block = false;
    while (at < text.size()) {
      const std::size_t end = text.find('\n', at);
      std::string line = text.substr(at, end - at);
      at = end + 1;
      if (line == "  }") break;
      if (in_block) {
        in_block = line != "    >";
        continue;
      }
      in_block = line.ends_with("<");
      lines.push_back(line.substr(4));
    }
    return lines;
  }
  bc::TImageButton* AddButton() {
    auto* b = new bc::TImageButton(host);
    b->SetName("ImageButton1");
    b->SetParent(host);
    return b;
  }
  TTestForm* host = nullptr;
};

TEST_F(ImageButtonStream, PublishesItsPropertiesInDeclaredOrder) {
  Strings names;
  for (const fw::PropInfo* p : bc::TImageButton::StaticClass().Properties()) names.push_back(p->name);
  // Name, the 24th, is the object's header in a description.
  EXPECT_EQ(names, (Strings{"Tag", "Left", "Top", "Width", "Height", "Cursor", "Hint", "HelpType",
                            "HelpKeyword", "HelpContext", "BitmapOver.Data", "BitmapDown.Data",
                            "BitmapUp.Data", "BitmapDisabled.Data", "Bitmap.Data", "OnClick",
                            "OnMouseDown", "OnMouseUp", "OnMouseEnter", "OnMouseLeave", "Enabled",
                            "ShowHint", "ParentShowHint"}));
  EXPECT_EQ(fw::FindClass("TImageButton"), &bc::TImageButton::StaticClass());
}

TEST_F(ImageButtonStream, ANewButtonStoresItsBoundsAndHintFlags) {
  AddButton();
  EXPECT_EQ(ButtonLines(), (Strings{"Left = 0", "Top = 0", "Width = 50", "Height = 50",
                                    "ShowHint = True", "ParentShowHint = False"}));
}

TEST_F(ImageButtonStream, StoresSetPicturesEventsAndADisabledState) {
  bc::TImageButton* b = AddButton();
  const fw::TBitmap n = Solid(30, 20, kNormal), d = Solid(26, 18, kDown), x = Solid(4, 4, kOff);
  b->SetMDown(&d);
  b->SetBmpDAble(&x);
  b->SetBmp(&n);
  b->OnClick = host->MethodEvent<fw::TObject*>("Pressed");
  b->OnMouseEnter = host->MethodEvent<fw::TObject*>("Pressed");
  b->OnMouseUp = host->MethodEvent<fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int>("Held");
  b->SetEnabled(false);
  b->SetParentShowHint(true);
  EXPECT_EQ(ButtonLines(), (Strings{"Left = 0", "Top = 0", "Width = 30", "Height = 20",
                                    "BitmapDown.Data = <", "BitmapDisabled.Data = <",
                                    "Bitmap.Data = <", "OnClick = Pressed", "OnMouseUp = Held",
                                    "OnMouseEnter = Pressed", "Enabled = False"}));
}

TEST_F(ImageButtonStream, APictureIsStoredAsLengthThenBitmapFile) {
  bc::TImageButton* b = AddButton();
  const fw::TBitmap pic = Solid(184, 25, kOver);
  b->SetMOver(&pic);
  const fw::PropInfo* p = bc::TImageButton::StaticClass().FindProperty("BitmapOver.Data");
  const std::string value = std::get<fw::Bytes>(p->get(*b)).data;
  ASSERT_EQ(value.size(), 13858u);
  EXPECT_EQ(Le32(value, 0), 13854u);
  EXPECT_EQ(value.substr(4, 2), "BM");
  EXPECT_EQ(Le32(value, 4 + 2), 13854u);   // file size
  EXPECT_EQ(Le32(value, 4 + 10), 54u);     // pixel data offset
  EXPECT_EQ(Le32(value, 4 + 14), 40u);     // info header size
  EXPECT_EQ(Le32(value, 4 + 22), 25u);     // positive height: bottom-up rows
  EXPECT_EQ(Le32(value, 4 + 28) & 0xFFFF, 24u);  // bits per pixel
  EXPECT_EQ(Le32(value, 4 + 30), 0u);      // no compression
}

TEST_F(ImageButtonStream, ReadingPutsPicturesStraightInWithoutResizingOrShowing) {
  bc::TImageButton* b = AddButton();
  const fw::TBitmap n = Solid(30, 20, kNormal), o = Solid(34, 22, kOver);
  b->SetBmp(&n);
  b->SetMOver(&o);
  b->SetBounds(5, 6, 10, 12);
  b->OnClick = host->MethodEvent<fw::TObject*>("Pressed");
  const std::string text = fw::WriteComponent(*host);
  delete b;

  TTestForm reread(nullptr);
  fw::ReadComponent(text, reread);
  auto* r = dynamic_cast<bc::TImageButton*>(reread.FindComponent("ImageButton1"));
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->BoundsRect(), (pf::Rect{5, 6, 15, 18}));
  EXPECT_TRUE(r->Bitmap()->Equals(n));
  EXPECT_TRUE(r->BitmapOver()->Equals(o));
  EXPECT_EQ(r->BitmapCurrent()->Width(), 0);
  EXPECT_EQ(r->OnClick.MethodName(), "Pressed");
  EXPECT_EQ(fw::WriteComponent(reread), text);
  // The first paint shows Bitmap at the stored size.
  reread.SetBounds(100, 50, 200, 100);
  reread.Show();
  app->ProcessMessages();
  EXPECT_TRUE(r->BitmapCurrent()->Equals(n));
  EXPECT_EQ(r->BoundsRect(), (pf::Rect{5, 6, 15, 18}));
  EXPECT_EQ(hp->WindowOf(&reread)->Pixels().At(14, 17), kNormal);
}

TEST_F(ImageButtonStream, APictureThatIsNotABitmapFailsTheForm) {
  const std::string text =
      "TTestForm Other {\n"
      "  TImageButton ImageButton1 {\n"
      "    Bitmap.Data = <\n"
      "      06000000585800000000\n"  // length 6, then a file that begins "XX"
      "    >\n"
      "  }\n"
      "}\n";
  TTestForm other(app);
  try {
    fw::ReadComponent(text, other);
    FAIL() << "no exception";
  } catch (const fw::EReadError& e) {
    EXPECT_EQ(e.Message(), "Line 3: Bitmap image is not valid");
  }
  EXPECT_EQ(other.ComponentCount(), 0);
}

}  // namespace
}  // namespace qf::test
