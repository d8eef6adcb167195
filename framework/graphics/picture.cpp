#include "framework/graphics/picture.h"

#include <array>

#include "framework/description/picture_data.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/jpeg.h"

namespace fw {
namespace {

struct GraphicClass {
  const char* name;
  std::unique_ptr<TGraphic> (*create)();
};

constexpr std::array<GraphicClass, 2> kGraphicClasses{{
    {picture_data::kBitmapClass,
     [] { return std::unique_ptr<TGraphic>(std::make_unique<TBitmap>()); }},
    {picture_data::kJpegClass,
     [] { return std::unique_ptr<TGraphic>(std::make_unique<TJPEGImage>()); }},
}};

std::unique_ptr<TGraphic> CreateGraphic(std::string_view class_name) {
  for (const auto& entry : kGraphicClasses) {
    if (class_name == entry.name) return entry.create();
  }
  throw EInvalidGraphic(Format("Unknown picture format %.*s", static_cast<int>(class_name.size()),
                               class_name.data()));
}

void LoadGraphic(TGraphic& graphic, std::string_view data) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(&graphic)) {
    BitmapFromData(*bitmap, data);
    return;
  }
  graphic.LoadFromBytes(picture_data::WithoutLength(data, "Picture data is not valid"));
}

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (OnChange) OnChange();
}

void TPicture::Assign(const TPicture* source) {
  if (source == this) return;
  SetGraphic(source && source->graphic_ ? source->graphic_->Clone() : nullptr);
}

void TPicture::LoadFromData(std::string_view data) {
  if (data.empty()) {
    SetGraphic(nullptr);
    return;
  }
  const picture_data::PictureParts parts = picture_data::SplitPictureData(data);
  auto graphic = CreateGraphic(parts.class_name);
  LoadGraphic(*graphic, parts.graphic_data);
  SetGraphic(std::move(graphic));
}

std::string TPicture::SaveToData() const {
  if (Empty()) return {};
  return picture_data::PictureData(graphic_->ClassName(), graphic_->SaveToBytes());
}

}  // namespace fw
