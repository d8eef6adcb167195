#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/description/picture_data.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/graphic.h"

namespace fw {

enum class TTransparentMode : std::uint8_t { tmAuto, tmFixed };

// A device-independent bitmap. Copies share their pixels until one of them changes.
class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(int width, int height);  // filled with white
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  ~TBitmap() override;

  const char* ClassName() const override { return picture_data::kBitmapClass; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return width_ <= 0 || height_ <= 0; }
  void SetSize(int width, int height);  // keeps what fits, new pixels white
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }

  // Copies picture and transparency settings; null empties this bitmap.
  void Assign(const TBitmap* source);

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  TTransparentMode TransparentMode() const { return transparent_mode_; }
  void SetTransparentMode(TTransparentMode mode);
  // tmAuto: the bottom-left pixel's colour; tmFixed: the colour set.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);  // switches to tmFixed

  // 0x00BBGGRR; kInvalidColor outside the picture.
  pf::ColorRef Pixel(int x, int y) const;
  void SetPixel(int x, int y, pf::ColorRef color);
  // Takes `pixels` (top-down rows of 0x00RRGGBB, width x height of them) as the whole picture:
  // one change notification, however many pixels.
  void SetPixels(int width, int height, std::vector<std::uint32_t> pixels);
  pf::ImageView View() const;
  bool SharesPixelsWith(const TBitmap& other) const;

  void Draw(pf::Device& device, pf::Point at) const override;
  // A Windows bitmap file. Raises EInvalidGraphic "Bitmap image is not valid" unless it begins
  // with "BM" and its headers describe pixels that are really there.
  void LoadFromBytes(std::string_view bytes) override;
  // A Windows bitmap file, 24-bit unless the picture was read from a 32-bit file.
  std::string SaveToBytes() const override;
  std::unique_ptr<TGraphic> Clone() const override;
  bool Equals(const TGraphic& other) const override;

  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;

  std::function<void()> OnChange;

 private:
  struct Pixels;
  void TakePixels(int width, int height, std::vector<std::uint32_t>&& pixels);
  void Unshare();
  void NotifyChange();

  int width_ = 0;
  int height_ = 0;
  int bits_per_pixel_ = 24;
  std::shared_ptr<Pixels> pixels_;
  bool transparent_ = false;
  TTransparentMode transparent_mode_ = TTransparentMode::tmAuto;
  TColor transparent_color_ = clDefault;
};

// A bitmap property's bytes in a form description (picture_data.h).
std::string BitmapToData(const TBitmap& bitmap);
void BitmapFromData(TBitmap& bitmap, std::string_view data);

}  // namespace fw
