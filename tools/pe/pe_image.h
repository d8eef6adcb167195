#pragma once
// A 32-bit Windows executable read as bytes: its file header, its import table and its header
// checksum. Every offset it follows is checked against the file, so a broken or foreign file is
// refused with the reason, never read past its end.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace pe {

struct Error : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP: the loader copies the image to the swap file when it lies
// on removable media, so an eject cannot take away pages it has not read yet.
inline constexpr std::uint16_t kRemovableRunFromSwap = 0x0400;

// The data directory entry of the load configuration, and the size Windows XP and earlier demand
// of it in an x86 image (the PE format's description of the load configuration structure).
inline constexpr unsigned kLoadConfigDirectory = 10;
inline constexpr std::uint32_t kLoadConfigSize = 64;

struct Import {
  std::string dll;
  std::string function;  // "#N" for an import by ordinal
};

class Image {
 public:
  // Throws Error when `bytes` is not a PE32 image this tool can read.
  explicit Image(std::vector<std::uint8_t> bytes);

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::uint16_t Characteristics() const;
  void SetCharacteristics(std::uint16_t value);
  std::uint32_t HeaderChecksum() const;
  // The checksum as the loader computes it (imagehlp's CheckSumMappedFile): 16-bit one's
  // complement sum of the file without the checksum field, plus the file's length.
  std::uint32_t ComputeChecksum() const;
  void WriteChecksum(std::uint32_t value);
  std::vector<Import> Imports() const;
  std::uint32_t ImageBase() const;
  // A data directory entry: the structure's address relative to the image base, and its size.
  std::pair<std::uint32_t, std::uint32_t> DataDirectory(unsigned index) const;
  void SetDataDirectory(unsigned index, std::uint32_t rva, std::uint32_t size);
  // The 32-bit value at a relative address (it must have bytes in the file).
  std::uint32_t U32AtAddress(std::uint32_t rva) const { return U32(OffsetOf(rva)); }
  std::uint16_t U16AtAddress(std::uint32_t rva) const { return U16(OffsetOf(rva)); }

 private:
  std::uint32_t U32(std::size_t at) const;
  std::uint16_t U16(std::size_t at) const;
  void PutU32(std::size_t at, std::uint32_t value);
  std::size_t DirectoryEntry(unsigned index) const;
  // The file offset of a relative virtual address, through the section that holds it.
  std::size_t OffsetOf(std::uint32_t rva) const;
  std::string StringAt(std::uint32_t rva) const;

  std::vector<std::uint8_t> bytes_;
  std::size_t file_header_ = 0;      // IMAGE_FILE_HEADER
  std::size_t optional_header_ = 0;  // IMAGE_OPTIONAL_HEADER32
  std::size_t sections_ = 0;
  unsigned section_count_ = 0;
};

std::vector<std::uint8_t> ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace pe
