#pragma once
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace fw {

// A form's icon: the bytes of an icon file, decoded for the window when set.
class TIcon {
 public:
  bool Empty() const { return data_.empty(); }
  const std::string& Data() const { return data_; }
  // Raises EInvalidGraphic "Icon image is not valid" for bytes that are not an icon file.
  void LoadFromBytes(std::string_view bytes);
  // The largest image of the file, as pixels with alpha.
  pf::IconImage Image() const;
  int Width() const { return image_.width; }
  int Height() const { return image_.height; }

 private:
  std::string data_;
  pf::IconImage image_;
};

}  // namespace fw
