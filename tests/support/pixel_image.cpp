#include "tests/support/pixel_image.h"

#include <stdexcept>
#include <string>

namespace qf::test {

PixelImage::PixelImage(int width, int height, std::uint32_t fill)
    : width_(width), height_(height) {
  if (width < 0 || height < 0) throw std::invalid_argument("image size must not be negative");
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

PixelImage PixelImage::FromAscii(std::initializer_list<std::string_view> rows,
                                 const Palette& palette) {
  const int width = rows.size() == 0 ? 0 : static_cast<int>(rows.begin()->size());
  PixelImage image(width, static_cast<int>(rows.size()));
  int y = 0;
  for (std::string_view row : rows) {
    if (static_cast<int>(row.size()) != width) {
      throw std::invalid_argument("ASCII picture row " + std::to_string(y) + " has another length");
    }
    for (int x = 0; x < width; ++x) {
      const auto found = palette.find(row[static_cast<std::size_t>(x)]);
      if (found == palette.end()) {
        throw std::invalid_argument(std::string("ASCII picture uses '") + row[x] + "', not in the palette");
      }
      image.Set(x, y, found->second);
    }
    ++y;
  }
  return image;
}

PixelImage PixelImage::CopyOf(const pf::ImageView& view) {
  PixelImage image(view.width, view.height);
  for (int y = 0; y < view.height; ++y) {
    for (int x = 0; x < view.width; ++x) image.Set(x, y, view.At(x, y));
  }
  return image;
}

}  // namespace qf::test
