#include "framework/objects/sysutils.h"

#include <cstdarg>
#include <cstdio>
#include <memory>

namespace fw {

String Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  String out;
  if (length > 0) {
    out.resize(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<std::size_t>(length));
  }
  va_end(args);
  return out;
}

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;
}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path) {
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return std::nullopt;
  std::string data;
  char buffer[16384];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0;)
    data.append(buffer, n);
  if (std::ferror(f.get())) return std::nullopt;
  return data;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
  File f(std::fopen(path.c_str(), "wb"));
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
  ok = std::fclose(f.release()) == 0 && ok;
  if (!ok) std::remove(path.c_str());
  return ok;
}

}  // namespace fw
