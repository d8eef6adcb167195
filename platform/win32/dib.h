#pragma once
// Bitmaps made from the seam's pixel buffers: 32-bit top-down DIB sections (whose bytes are the
// 0x00RRGGBB layout) and monochrome key masks.
#include <cstdint>
#include <functional>

#include "platform/device.h"
#include "platform/win32/handles.h"

namespace pf::win32 {

struct DibHeader {
  BITMAPINFOHEADER header{};
  // A header for `width` x `height` pixels, top-down, 32 bits per pixel.
  DibHeader(int width, int height);
  const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(&header); }
};

// A top-down 32-bit DIB section; *bits receives its pixels. Null bitmap on failure.
Bitmap CreateDib(int width, int height, std::uint32_t** bits);

// A DIB section holding a copy of the image, with pixels of colour `key` made black.
Bitmap ImageWithKeyBlack(const ImageView& image, ColorRef key);

// A monochrome bitmap of the image's size: 1 (white) where the pixel is `key`, else 0.
Bitmap KeyMask(const ImageView& image, ColorRef key);

}  // namespace pf::win32
