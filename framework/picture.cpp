#include "framework/picture.h"

#include <array>

#include "framework/bitmap.h"
#include "framework/jpeg.h"

namespace fw {
namespace {

struct GraphicClass {
  const char* name;
  std::unique_ptr<TGraphic> (*create)();
};

constexpr std::array<GraphicClass, 2> kGraphicClasses{{
    {"TBitmap", [] { return std::unique_ptr<TGraphic>(std::make_unique<TBitmap>()); }},
    {"TJPEGImage", [] { return std::unique_ptr<TGraphic>(std::make_unique<TJPEGImage>()); }},
}};

[[noreturn]] void InvalidPicture() { throw EInvalidGraphic("Picture data is not valid"); }

std::unique_ptr<TGraphic> CreateGraphic(std::string_view class_name) {
  for (const auto& entry : kGraphicClasses) {
    if (class_name == entry.name) return entry.create();
  }
  throw EInvalidGraphic(
      Format("Unknown picture format %.*s", static_cast<int>(class_name.size()), class_name.data()));
}

void PutLength(std::string& out, std::size_t length) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((length >> (8 * i)) & 0xFF));
}

// The graphic's own bytes, after their 4-byte length that must agree with what follows.
std::string_view LengthPrefixed(std::string_view data, const char* error) {
  if (data.size() < 4) throw EInvalidGraphic(error);
  const auto* p = reinterpret_cast<const unsigned char*>(data.data());
  const std::uint32_t n = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                          (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
  if (n != data.size() - 4) throw EInvalidGraphic(error);
  return data.substr(4);
}

void LoadGraphic(TGraphic& graphic, std::string_view data) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(&graphic)) {
    BitmapFromData(*bitmap, data);
    return;
  }
  graphic.LoadFromBytes(LengthPrefixed(data, "Picture data is not valid"));
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
  const auto name_length = static_cast<unsigned char>(data[0]);
  if (data.size() < 1u + name_length) InvalidPicture();
  auto graphic = CreateGraphic(data.substr(1, name_length));
  LoadGraphic(*graphic, data.substr(1 + name_length));
  SetGraphic(std::move(graphic));
}

std::string TPicture::SaveToData() const {
  if (Empty()) return {};
  const std::string name = graphic_->ClassName();
  const std::string bytes = graphic_->SaveToBytes();
  std::string data;
  data.push_back(static_cast<char>(name.size()));
  data += name;
  PutLength(data, bytes.size());
  return data + bytes;
}

}  // namespace fw
