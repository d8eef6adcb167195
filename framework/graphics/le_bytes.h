#pragma once
// Little-endian reads from a block of bytes that never leave it: a read past the end raises
// EInvalidGraphic with the message the reader was made with.
#include <cstdint>
#include <string_view>

#include "framework/objects/sysutils.h"

namespace fw {

class LeBytes {
 public:
  LeBytes(std::string_view data, const char* invalid_message)
      : data_(data), invalid_message_(invalid_message) {}

  std::size_t Size() const { return data_.size(); }
  [[noreturn]] void Invalid() const { throw EInvalidGraphic(invalid_message_); }
  void Require(std::uint64_t offset, std::uint64_t length) const {
    if (offset > data_.size() || length > data_.size() - offset) Invalid();
  }
  const std::uint8_t* At(std::uint64_t offset, std::uint64_t length) const {
    Require(offset, length);
    return reinterpret_cast<const std::uint8_t*>(data_.data()) + offset;
  }
  std::uint16_t U16(std::uint64_t offset) const {
    const auto* p = At(offset, 2);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
  }
  std::uint32_t U32(std::uint64_t offset) const {
    const auto* p = At(offset, 4);
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
  }
  std::int32_t I32(std::uint64_t offset) const { return static_cast<std::int32_t>(U32(offset)); }

 private:
  std::string_view data_;
  const char* invalid_message_;
};

}  // namespace fw
