#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "framework/description/picture_data.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/graphic.h"

namespace fw {

// A JPEG picture: the header is read when it is loaded, the pixels decoded the first time they
// are needed (Decoded, Draw), or ahead of that through Prepare. libjpeg's errors raise EJPEG with
// libjpeg's own message.
class TJPEGImage : public TGraphic {
 public:
  TJPEGImage();
  ~TJPEGImage() override;
  const char* ClassName() const override { return picture_data::kJpegClass; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return data_.empty(); }
  void Draw(pf::Device& device, pf::Point at) const override;
  void LoadFromBytes(std::string_view bytes) override;
  std::string SaveToBytes() const override { return data_; }
  std::unique_ptr<TGraphic> Clone() const override;
  bool Equals(const TGraphic& other) const override;

  int Components() const { return components_; }
  bool IsDecoded() const { return decoded_ != nullptr; }
  // Decodes now if not done yet; the bitmap stays with the picture.
  const TBitmap& Decoded() const;
  // Decodes ahead of the first draw. A picture that cannot be decoded stays undecoded: drawing it
  // raises the error then, as it would have without this.
  void Prepare() const override;

 private:
  std::string data_;
  int width_ = 0;
  int height_ = 0;
  int components_ = 0;
  mutable std::unique_ptr<TBitmap> decoded_;
};

}  // namespace fw
