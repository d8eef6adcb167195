#pragma once
// The binary syntax of a form description: the items of syntax.h as records.
//
//   description := signature object                       (nothing after it)
//   signature   := 89 'Q' 'F' 'B'
//   object      := 01 name:str class-name name:str object-name item* 00
//   item        := object | 02 str property-name value
//   value       := 10 str identifier | 11 varint zigzag-integer | 12 u32le $-pattern
//                | 13 str string | 14 str bytes | 15 varint count str*count set
//   str         := varint length, then that many bytes;  varint := unsigned LEB128
//
// What the executables embed is packed: 89 'Q' 'F' 'Z', the size of the binary description as a
// varint, then that description deflated (a zlib stream). Offsets in the errors of a packed
// description are those of the unpacked one (what `qf_formconv --to-binary` gives).
#include <string_view>

namespace fw::syntax {

inline constexpr std::string_view kBinarySignature = "\x89QFB";
inline constexpr std::string_view kPackedSignature = "\x89QFZ";

enum BinaryTag : unsigned char {
  kEndObject = 0x00,
  kObject = 0x01,
  kProperty = 0x02,
  kIdent = 0x10,
  kInteger = 0x11,
  kPattern = 0x12,
  kString = 0x13,
  kBytes = 0x14,
  kSet = 0x15,
};

}  // namespace fw::syntax
