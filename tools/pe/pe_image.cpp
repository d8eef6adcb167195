#include "tools/pe/pe_image.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace pe {
namespace {

constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::size_t kImageBaseField = 28;   // within the optional header
constexpr std::size_t kChecksumField = 64;    // within the optional header
constexpr std::size_t kDirectoryCount = 92;   // within the optional header
constexpr std::size_t kDataDirectories = 96;  // within the optional header
constexpr std::size_t kImportDirectory = 1;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kImportDescriptorSize = 20;
constexpr std::uint32_t kOrdinalFlag = 0x80000000u;

}  // namespace

Image::Image(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
  if (bytes_.size() < 64 || bytes_[0] != 'M' || bytes_[1] != 'Z') {
    throw Error("not an executable (no MZ header)");
  }
  const std::size_t nt = U32(60);
  if (U32(nt) != 0x00004550u) throw Error("no PE signature");
  file_header_ = nt + 4;
  section_count_ = U16(file_header_ + 2);
  const std::size_t optional_size = U16(file_header_ + 16);
  optional_header_ = file_header_ + 20;
  if (U16(optional_header_) != kPe32Magic) throw Error("not a 32-bit (PE32) image");
  if (optional_size < kDataDirectories + 8 * (kImportDirectory + 1)) {
    throw Error("optional header too short");
  }
  sections_ = optional_header_ + optional_size;
}

std::uint32_t Image::U32(std::size_t at) const {
  if (at > bytes_.size() || bytes_.size() - at < 4) {
    throw Error("truncated at offset " + std::to_string(at));
  }
  return bytes_[at] | bytes_[at + 1] << 8 | bytes_[at + 2] << 16 |
         static_cast<std::uint32_t>(bytes_[at + 3]) << 24;
}

std::uint16_t Image::U16(std::size_t at) const {
  if (at > bytes_.size() || bytes_.size() - at < 2) {
    throw Error("truncated at offset " + std::to_string(at));
  }
  return static_cast<std::uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
}

std::uint16_t Image::Characteristics() const { return U16(file_header_ + 18); }

void Image::SetCharacteristics(std::uint16_t value) {
  bytes_[file_header_ + 18] = static_cast<std::uint8_t>(value);
  bytes_[file_header_ + 19] = static_cast<std::uint8_t>(value >> 8);
}

std::uint32_t Image::HeaderChecksum() const { return U32(optional_header_ + kChecksumField); }

void Image::PutU32(std::size_t at, std::uint32_t value) {
  U32(at);  // in the file
  for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void Image::WriteChecksum(std::uint32_t value) { PutU32(optional_header_ + kChecksumField, value); }

std::uint32_t Image::ImageBase() const { return U32(optional_header_ + kImageBaseField); }

std::size_t Image::DirectoryEntry(unsigned index) const {
  const std::size_t entry = optional_header_ + kDataDirectories + 8 * index;
  if (index >= U32(optional_header_ + kDirectoryCount) || entry + 8 > sections_) {
    throw Error("the header has no data directory entry " + std::to_string(index));
  }
  return entry;
}

std::pair<std::uint32_t, std::uint32_t> Image::DataDirectory(unsigned index) const {
  const std::size_t entry = DirectoryEntry(index);
  return {U32(entry), U32(entry + 4)};
}

void Image::SetDataDirectory(unsigned index, std::uint32_t rva, std::uint32_t size) {
  const std::size_t entry = DirectoryEntry(index);
  PutU32(entry, rva);
  PutU32(entry + 4, size);
}

std::uint32_t Image::ComputeChecksum() const {
  const std::size_t field = optional_header_ + kChecksumField;
  std::uint64_t sum = 0;
  for (std::size_t at = 0; at < bytes_.size(); at += 2) {
    if (at == field || at == field + 2) continue;
    std::uint32_t word = bytes_[at];
    if (at + 1 < bytes_.size()) word |= bytes_[at + 1] << 8;
    sum += word;
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint32_t>(sum + bytes_.size());
}

std::size_t Image::OffsetOf(std::uint32_t rva) const {
  for (unsigned i = 0; i < section_count_; ++i) {
    const std::size_t header = sections_ + i * kSectionHeaderSize;
    const std::uint32_t virtual_size = U32(header + 8), address = U32(header + 12);
    const std::uint32_t raw_size = U32(header + 16), raw_offset = U32(header + 20);
    const std::uint32_t size = virtual_size != 0 ? virtual_size : raw_size;
    if (rva >= address && rva - address < size) {
      const std::size_t offset = static_cast<std::size_t>(raw_offset) + (rva - address);
      if (rva - address >= raw_size || offset >= bytes_.size()) {
        throw Error("address " + std::to_string(rva) + " has no bytes in the file");
      }
      return offset;
    }
  }
  throw Error("address " + std::to_string(rva) + " lies in no section");
}

std::string Image::StringAt(std::uint32_t rva) const {
  const std::size_t at = OffsetOf(rva);
  const auto* end =
      static_cast<const std::uint8_t*>(std::memchr(bytes_.data() + at, 0, bytes_.size() - at));
  if (end == nullptr) throw Error("unterminated name at offset " + std::to_string(at));
  return std::string(reinterpret_cast<const char*>(bytes_.data() + at), end - (bytes_.data() + at));
}

std::vector<Import> Image::Imports() const {
  std::vector<Import> imports;
  const std::uint32_t directory = U32(optional_header_ + kDataDirectories + 8 * kImportDirectory);
  if (directory == 0) return imports;
  for (std::size_t d = OffsetOf(directory);; d += kImportDescriptorSize) {
    const std::uint32_t lookup = U32(d), name = U32(d + 12), thunks = U32(d + 16);
    if (name == 0 && thunks == 0) break;
    const std::string dll = StringAt(name);
    for (std::size_t t = OffsetOf(lookup != 0 ? lookup : thunks);; t += 4) {
      const std::uint32_t entry = U32(t);
      if (entry == 0) break;
      if (entry & kOrdinalFlag) {
        std::string ordinal = std::to_string(entry & 0xFFFF);
        imports.push_back({dll, ordinal.insert(0, 1, '#')});
      } else {
        imports.push_back({dll, StringAt(entry + 2)});  // past the hint
      }
    }
  }
  return imports;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) throw Error(path + ": " + std::strerror(errno));
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
    bytes.insert(bytes.end(), buffer, buffer + n);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) throw Error(path + ": read error");
  return bytes;
}

// Beside the file first, then in its place with the old one's permissions: a failed write leaves
// the old file whole.
void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::string temporary = path + ".new";
  struct stat old {};
  std::FILE* f = std::fopen(temporary.c_str(), "wb");
  if (f == nullptr) throw Error(temporary + ": " + std::strerror(errno));
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (::stat(path.c_str(), &old) == 0) ::chmod(temporary.c_str(), old.st_mode & 07777);
  if (std::fclose(f) != 0 || !written) {
    std::remove(temporary.c_str());
    throw Error(temporary + ": write error");
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    throw Error(path + ": " + std::strerror(errno));
  }
}

}  // namespace pe
