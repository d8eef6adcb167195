#pragma once
// An owned picture for tests: filled with one colour, set pixel by pixel, or drawn as ASCII art.
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string_view>
#include <vector>

#include "platform/device.h"

namespace qf::test {

// Characters of an ASCII picture to 0x00RRGGBB pixels.
using Palette = std::map<char, std::uint32_t>;

class PixelImage {
 public:
  PixelImage(int width, int height, std::uint32_t fill = 0);
  // One string per row, all of one length; every character must be in `palette`. Throws
  // std::invalid_argument otherwise.
  static PixelImage FromAscii(std::initializer_list<std::string_view> rows, const Palette& palette);
  // A copy of someone else's pixels.
  static PixelImage CopyOf(const pf::ImageView& view);

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::uint32_t At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, std::uint32_t pixel) { pixels_[Index(x, y)] = pixel; }
  pf::ImageView View() const { return {width_, height_, pixels_.data(), width_}; }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace qf::test
