#pragma once
// PNG files for test output: 8-bit RGB, written by libpng.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/device.h"

namespace qf::test {

// The CRC-32 of PNG chunks and zip (polynomial 0xEDB88320); `crc` continues an earlier result.
std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc = 0);
// The Adler-32 checksum that ends a zlib stream.
std::uint32_t Adler32(std::span<const std::uint8_t> data);

// The whole PNG file for `image` (0x00RRGGBB pixels).
std::vector<std::uint8_t> EncodePng(const pf::ImageView& image);
// Writes EncodePng(image) to `path`; false when the file cannot be written.
bool WritePng(const std::string& path, const pf::ImageView& image);

}  // namespace qf::test
