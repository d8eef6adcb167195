#include "platform/win32/icon.h"

#include <algorithm>
#include <vector>

#include "platform/win32/dib.h"

namespace pf::win32 {

Icon IconFromImage(const IconImage& image) {
  const int w = image.width, h = image.height;
  if (w <= 0 || h <= 0 || image.pixels.size() < static_cast<std::size_t>(w) * h) return Icon();
  std::uint32_t* bits = nullptr;
  Bitmap color = CreateDib(w, h, &bits);
  if (!color) return Icon();
  // 0xAARRGGBB in memory is B, G, R, A: a 32-bit DIB with alpha as it stands.
  std::copy_n(image.pixels.data(), static_cast<std::size_t>(w) * h, bits);
  const std::vector<std::uint8_t> clear_mask(static_cast<std::size_t>((w + 15) / 16) * 2 * h, 0);
  Bitmap mask(::CreateBitmap(w, h, 1, 1, clear_mask.data()));
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = mask.get();
  info.hbmColor = color.get();
  return Icon(::CreateIconIndirect(&info));  // copies both bitmaps
}

}  // namespace pf::win32
