#include "resources/desktop/icon_sizes.h"

#include <png.h>

#include <algorithm>
#include <cmath>

namespace qf::desktop {
namespace {

struct Sum {
  double a = 0, r = 0, g = 0, b = 0;  // colours weighted by alpha and covered area
  void Add(std::uint32_t p, double area) {
    const double alpha = (p >> 24) * area;
    a += alpha;
    r += ((p >> 16) & 0xFF) * alpha;
    g += ((p >> 8) & 0xFF) * alpha;
    b += (p & 0xFF) * alpha;
  }
  std::uint32_t Pixel(double total_area) const {
    if (a <= 0) return 0;
    auto byte = [](double v) { return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0l, 255l)); };
    return byte(a / total_area) << 24 | byte(r / a) << 16 | byte(g / a) << 8 | byte(b / a);
  }
};

// How much of source cell `i` lies in [from, to).
double Overlap(int i, double from, double to) {
  return std::max(0.0, std::min(to, i + 1.0) - std::max(from, static_cast<double>(i)));
}

}  // namespace

pf::IconImage ScaleIcon(const pf::IconImage& icon, int size) {
  pf::IconImage out{size, size, std::vector<std::uint32_t>(static_cast<std::size_t>(size) * size)};
  const double sx = static_cast<double>(icon.width) / size, sy = static_cast<double>(icon.height) / size;
  for (int y = 0; y < size; ++y) {
    const double top = y * sy, bottom = (y + 1) * sy;
    for (int x = 0; x < size; ++x) {
      const double left = x * sx, right = (x + 1) * sx;
      Sum sum;
      for (int v = static_cast<int>(top); v < std::min<double>(bottom, icon.height); ++v) {
        for (int u = static_cast<int>(left); u < std::min<double>(right, icon.width); ++u) {
          sum.Add(icon.pixels[static_cast<std::size_t>(v) * icon.width + u],
                  Overlap(u, left, right) * Overlap(v, top, bottom));
        }
      }
      out.pixels[static_cast<std::size_t>(y) * size + x] = sum.Pixel(sx * sy);
    }
  }
  return out;
}

bool WriteIconPng(const std::string& path, const pf::IconImage& icon) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(icon.width);
  image.height = static_cast<png_uint_32>(icon.height);
  image.format = PNG_FORMAT_BGRA;  // 0xAARRGGBB in memory, little-endian
  const bool ok = png_image_write_to_file(&image, path.c_str(), 0, icon.pixels.data(),
                                          icon.width * 4, nullptr) != 0;
  png_image_free(&image);
  return ok;
}

}  // namespace qf::desktop
