// Shows each owner-drawn button in its normal, hover and pressed look on the headless platform
// and saves the pictures: one PNG per look and a montage with one row per button.
//
//   qf_gallery <output folder> [montage path]
//
// A new button class joins by adding its object to kDescription (and to bc::RegisterClasses(), if
// it is a new class of the unit); the capture goes over every control the form holds. The picture button
// shows the launcher's exit pictures, read from the source tree.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "buttoncomps/buttoncomps.h"
#include "framework/controls/application.h"
#include "framework/description/reader.h"
#include "framework/description_tools/text_parser.h"
#include "platform/headless/headless_platform.h"
#include "tests/support/pixel_image.h"
#include "tests/support/png_writer.h"

namespace {

constexpr const char* kDescription = R"(TForm Gallery {
  ClientWidth = 160
  ClientHeight = 232
  Color = clSilver
  TEncartaButton EncartaButton1 {
    Left = 16
    Top = 16
    Caption = "Install"
  }
  TAOLButton AOLButton1 {
    Left = 16
    Top = 56
    Caption = "Manual"
  }
  TSelButton SelButton1 {
    Left = 16
    Top = 96
    Caption = "Reader"
  }
  TSquareButton SquareButton1 {
    Left = 16
    Top = 136
    Caption = "Exit"
  }
  TImageButton ImageButton1 {
    Left = 16
    Top = 176
  }
}
)";

// The launcher's own exit pictures: plain, and highlighted for the pointer over it.
void GiveImageButtonItsPictures(fw::TForm& form) {
  auto* button = dynamic_cast<bc::TImageButton*>(form.FindComponent("ImageButton1"));
  fw::TBitmap plain;
  fw::TBitmap highlighted;
  plain.LoadFromFile(QF_SOURCE_DIR "/resources/art/plain_exit.bmp");
  highlighted.LoadFromFile(QF_SOURCE_DIR "/resources/art/hl_exit.bmp");
  button->SetBmp(&plain);
  button->SetMOver(&highlighted);
  button->SetMUp(&highlighted);
}

constexpr int kMargin = 8;
const char* const kLooks[] = {"normal", "hover", "pressed"};

class Gallery {
 public:
  Gallery() {
    auto platform = std::make_unique<pf::headless::HeadlessPlatform>();
    hp_ = platform.get();
    pf::Install(std::move(platform));
    app_ = new fw::TApplication(nullptr);
    app_->Initialize();
    bc::RegisterClasses();
    fw::AcceptTextDescriptions();
    form_ = new fw::TForm(app_);
    fw::ReadComponent(kDescription, *form_);
    form_->Show();
    GiveImageButtonItsPictures(*form_);
    Settle();
  }
  ~Gallery() {
    delete app_;
    pf::Uninstall();
  }

  // The three looks of every button, each with a margin of the form around it.
  std::vector<std::vector<qf::test::PixelImage>> Capture() {
    std::vector<std::vector<qf::test::PixelImage>> rows;
    for (int i = 0; i < form_->ControlCount(); ++i) rows.push_back(Looks(form_->Controls(i)));
    return rows;
  }

 private:
  void Settle() {
    app_->ProcessMessages();
    app_->Idle();
  }
  void PointAt(pf::Point client) {
    hp_->MoveTo(form_->ClientToScreen(client));
    Settle();
  }

  std::vector<qf::test::PixelImage> Looks(const fw::TControl* c) {
    const pf::Point far{form_->Width() - 1, form_->Height() - 1};
    std::vector<qf::test::PixelImage> looks;
    PointAt(far);
    looks.push_back(Around(c));
    PointAt({c->Left() + 4, c->Top() + 4});
    looks.push_back(Around(c));
    hp_->Press();
    Settle();
    looks.push_back(Around(c));
    PointAt(far);
    hp_->Release();
    Settle();
    return looks;
  }

  qf::test::PixelImage Around(const fw::TControl* c) const {
    const pf::ImageView window = hp_->WindowOf(form_)->Pixels();
    qf::test::PixelImage shot(c->Width() + 2 * kMargin, c->Height() + 2 * kMargin);
    for (int y = 0; y < shot.Height(); ++y) {
      for (int x = 0; x < shot.Width(); ++x) {
        const int wx = c->Left() - kMargin + x;
        const int wy = c->Top() - kMargin + y;
        if (wx >= 0 && wy >= 0 && wx < window.width && wy < window.height) {
          shot.Set(x, y, window.At(wx, wy));
        }
      }
    }
    return shot;
  }

  pf::headless::HeadlessPlatform* hp_ = nullptr;
  fw::TApplication* app_ = nullptr;
  fw::TForm* form_ = nullptr;
};

// One row per button, one column per look, each cell as wide and high as the largest shot.
qf::test::PixelImage Montage(const std::vector<std::vector<qf::test::PixelImage>>& rows) {
  int cell_w = 0;
  int cell_h = 0;
  for (const auto& row : rows) {
    for (const auto& shot : row) {
      cell_w = std::max(cell_w, shot.Width());
      cell_h = std::max(cell_h, shot.Height());
    }
  }
  qf::test::PixelImage montage(cell_w * 3, cell_h * static_cast<int>(rows.size()), 0xC0C0C0);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t col = 0; col < rows[r].size(); ++col) {
      const auto& shot = rows[r][col];
      for (int y = 0; y < shot.Height(); ++y) {
        for (int x = 0; x < shot.Width(); ++x) {
          montage.Set(static_cast<int>(col) * cell_w + x, static_cast<int>(r) * cell_h + y,
                      shot.At(x, y));
        }
      }
    }
  }
  return montage;
}

bool Save(const std::string& path, const qf::test::PixelImage& image) {
  if (qf::test::WritePng(path, image.View())) return true;
  std::fprintf(stderr, "qf_gallery: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: qf_gallery <output folder> [montage path]\n");
    return 2;
  }
  const std::string folder = argv[1];
  try {
    Gallery gallery;
    const auto rows = gallery.Capture();
    bool ok = true;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      for (std::size_t look = 0; look < rows[r].size(); ++look) {
        const std::string name = "button" + std::to_string(r + 1) + "_" + kLooks[look] + ".png";
        ok = Save(folder + "/" + name, rows[r][look]) && ok;
      }
    }
    if (argc > 2) ok = Save(argv[2], Montage(rows)) && ok;
    return ok ? 0 : 1;
  } catch (const fw::Exception& e) {
    std::fprintf(stderr, "qf_gallery: %s\n", e.Message().c_str());
    return 1;
  }
}
