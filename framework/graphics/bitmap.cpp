#include "framework/graphics/bitmap.h"

#include <algorithm>

#include "framework/description/picture_data.h"
#include "framework/graphics/bitmap_file.h"

namespace fw {
namespace {

constexpr std::uint32_t kWhitePixel = 0x00FFFFFF;
// Sizes beyond this are refused rather than attempted (1 GB of pixels).
constexpr long long kMaxPixels = 1LL << 28;

}  // namespace

// Top-down rows of 0x00RRGGBB, `width_` pixels apart; shared between copies until one changes.
struct TBitmap::Pixels {
  std::vector<std::uint32_t> data;
};

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::TBitmap(const TBitmap& other)
    : width_(other.width_),
      height_(other.height_),
      bits_per_pixel_(other.bits_per_pixel_),
      pixels_(other.pixels_),
      transparent_(other.transparent_),
      transparent_mode_(other.transparent_mode_),
      transparent_color_(other.transparent_color_) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
  Assign(&other);
  return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::NotifyChange() {
  if (OnChange) OnChange();
}

void TBitmap::Unshare() {
  if (pixels_ && pixels_.use_count() > 1) pixels_ = std::make_shared<Pixels>(*pixels_);
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  if (static_cast<long long>(width) * height > kMaxPixels)
    throw EOutOfResources("Not enough storage is available to process this command");
  auto resized = std::make_shared<Pixels>();
  resized->data.assign(static_cast<std::size_t>(width) * height, kWhitePixel);
  const int keep_width = pixels_ ? std::min(width, width_) : 0;
  const int keep_height = pixels_ ? std::min(height, height_) : 0;
  for (int y = 0; y < keep_height; ++y) {
    const auto* from = pixels_->data.data() + static_cast<std::size_t>(y) * width_;
    std::copy(from, from + keep_width,
              resized->data.begin() + static_cast<std::ptrdiff_t>(y) * width);
  }
  width_ = width;
  height_ = height;
  pixels_ = width > 0 && height > 0 ? std::move(resized) : nullptr;
  NotifyChange();
}

void TBitmap::Assign(const TBitmap* source) {
  if (source == this) return;
  if (source == nullptr) {
    width_ = height_ = 0;
    bits_per_pixel_ = 24;
    pixels_.reset();
  } else {
    width_ = source->width_;
    height_ = source->height_;
    bits_per_pixel_ = source->bits_per_pixel_;
    pixels_ = source->pixels_;
    transparent_ = source->transparent_;
    transparent_mode_ = source->transparent_mode_;
    transparent_color_ = source->transparent_color_;
  }
  NotifyChange();
}

void TBitmap::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  NotifyChange();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == transparent_mode_) return;
  transparent_mode_ = mode;
  if (mode == TTransparentMode::tmAuto) transparent_color_ = clDefault;
  NotifyChange();
}

TColor TBitmap::TransparentColor() const {
  if (transparent_mode_ == TTransparentMode::tmFixed) return transparent_color_;
  if (Empty()) return clDefault;
  return static_cast<TColor>(Pixel(0, height_ - 1));
}

void TBitmap::SetTransparentColor(TColor color) {
  if (color == transparent_color_ && transparent_mode_ == TTransparentMode::tmFixed) return;
  transparent_color_ = color;
  transparent_mode_ = TTransparentMode::tmFixed;
  NotifyChange();
}

pf::ColorRef TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return pf::kInvalidColor;
  return pf::PixelToColorRef(pixels_->data[static_cast<std::size_t>(y) * width_ + x]);
}

void TBitmap::SetPixel(int x, int y, pf::ColorRef color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Unshare();
  pixels_->data[static_cast<std::size_t>(y) * width_ + x] =
      pf::ColorRefToPixel(color & 0x00FFFFFFu);
  NotifyChange();
}

void TBitmap::SetPixels(int width, int height, std::vector<std::uint32_t> pixels) {
  if (width < 0 || height < 0 ||
      static_cast<std::size_t>(width) * static_cast<std::size_t>(height) != pixels.size())
    throw EInvalidOperation(Format("%s pixels do not make a %d x %d bitmap",
                                   std::to_string(pixels.size()).c_str(), width, height));
  if (static_cast<long long>(width) * height > kMaxPixels)
    throw EOutOfResources("Not enough storage is available to process this command");
  TakePixels(width, height, std::move(pixels));
  NotifyChange();
}

void TBitmap::TakePixels(int width, int height, std::vector<std::uint32_t>&& pixels) {
  width_ = width;
  height_ = height;
  if (pixels.empty()) {
    pixels_.reset();
  } else {
    pixels_ = std::make_shared<Pixels>();
    pixels_->data = std::move(pixels);
  }
}

pf::ImageView TBitmap::View() const {
  if (Empty()) return {};
  return {width_, height_, pixels_->data.data(), width_};
}

bool TBitmap::SharesPixelsWith(const TBitmap& other) const {
  return pixels_ != nullptr && pixels_ == other.pixels_;
}

void TBitmap::Draw(pf::Device& device, pf::Point at) const {
  if (Empty()) return;
  if (transparent_)
    device.DrawImageTransparent(at, View(), ColorToRGB(TransparentColor()));
  else
    device.DrawImage(at, View());
}

void TBitmap::LoadFromBytes(std::string_view bytes) {
  bmp::Image image = bmp::ReadFile(bytes);
  bits_per_pixel_ = image.bits_per_pixel == 32 ? 32 : 24;
  TakePixels(image.width, image.height, std::move(image.pixels));
  NotifyChange();
}

std::string TBitmap::SaveToBytes() const {
  return bmp::WriteFile(width_, height_, bits_per_pixel_, pixels_ ? pixels_->data.data() : nullptr);
}

std::unique_ptr<TGraphic> TBitmap::Clone() const { return std::make_unique<TBitmap>(*this); }

bool TBitmap::Equals(const TGraphic& other) const {
  const auto* bitmap = dynamic_cast<const TBitmap*>(&other);
  if (bitmap == nullptr || bitmap->width_ != width_ || bitmap->height_ != height_) return false;
  if (Empty() || pixels_ == bitmap->pixels_) return true;
  return pixels_->data == bitmap->pixels_->data;
}

void TBitmap::LoadFromFile(const std::string& path) {
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) throw Exception(Format("Cannot open file \"%s\"", path.c_str()));
  LoadFromBytes(*bytes);
}

void TBitmap::SaveToFile(const std::string& path) const {
  if (!WriteFileBytes(path, SaveToBytes()))
    throw EWriteError(Format("Cannot create file \"%s\"", path.c_str()));
}

// ---- the byte-block form

std::string BitmapToData(const TBitmap& bitmap) {
  return picture_data::LengthPrefixed(bitmap.SaveToBytes());
}

void BitmapFromData(TBitmap& bitmap, std::string_view data) {
  bitmap.LoadFromBytes(picture_data::WithoutLength(data, "Bitmap image is not valid"));
}

}  // namespace fw
