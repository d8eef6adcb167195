#pragma once
// Builds bitmap files byte by byte, independently of the framework's writer.
#include <cstdint>
#include <string>
#include <vector>

namespace qf_test {

struct BmpParts {
  std::uint32_t header_size = 40;  // 12, 40, 108 or 124
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative: top-down
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t colors_used = 0;
  std::vector<std::uint32_t> masks = {};    // red, green, blue; after a 40-byte header, else inside
  std::vector<std::uint32_t> palette = {};  // 0x00RRGGBB entries
  std::vector<std::vector<std::uint8_t>> rows = {};  // in file order, unpadded
};

void PutU16(std::string& out, std::uint32_t v);
void PutU32(std::string& out, std::uint32_t v);
std::uint32_t GetU32(const std::string& data, std::size_t offset);
std::string BuildBmp(const BmpParts& parts);

}  // namespace qf_test
