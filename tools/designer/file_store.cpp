#include "tools/designer/file_store.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace designer {
namespace fs = std::filesystem;

namespace {

fs::path PathOf(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// Beside the file, so that the rename stays on one file system, and hidden from listings.
fs::path TemporaryBeside(const fs::path& file) {
  const unsigned salt = std::random_device{}();
  fs::path name = file.filename();
  name += ".saving-" + std::to_string(salt);
  std::string hidden = ".";
  hidden += Utf8(name);  // appended, not added: GCC 12 warns of a false overlap in "." + s
  return file.parent_path() / PathOf(hidden);
}

std::optional<std::string> ReadPath(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::string WriteNew(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return "it cannot be written (" + std::string(std::strerror(errno)) + ")";
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  const bool written = static_cast<bool>(out);
  out.close();
  if (!written || !out) return "not all of it could be written (" + std::string(std::strerror(errno)) + ")";
  return {};
}

}  // namespace

std::optional<std::string> DiskFiles::Read(const std::string& path) {
  return ReadPath(PathOf(path));
}

std::optional<FileStamp> DiskFiles::Stamp(const std::string& path) {
  std::error_code ec;
  const fs::path file = PathOf(path);
  const std::uintmax_t size = fs::file_size(file, ec);
  if (ec) return std::nullopt;
  const fs::file_time_type written = fs::last_write_time(file, ec);
  if (ec) return std::nullopt;
  return FileStamp{size, static_cast<long long>(written.time_since_epoch().count())};
}

std::string DiskFiles::Replace(const std::string& path, std::string_view bytes) {
  const fs::path target = PathOf(path);
  const fs::path temporary = TemporaryBeside(target);
  std::string problem = WriteNew(temporary, bytes);
  if (problem.empty() && ReadPath(temporary) != std::string(bytes)) {
    problem = "what was written did not read back the same";
  }
  std::error_code ec;
  if (problem.empty()) {
    fs::rename(temporary, target, ec);
    if (ec) problem = "it could not take the file's place (" + ec.message() + ")";
  }
  if (!problem.empty()) fs::remove(temporary, ec);
  return problem;
}

}  // namespace designer
