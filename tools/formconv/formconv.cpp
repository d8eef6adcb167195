// qf_formconv --to-binary IN OUT | --to-text IN OUT
// Converts a form description between its text and its binary syntax (either may be read; the
// signature tells them apart). Exit status 0 on success, 1 for a broken description or a file
// that cannot be read or written, 2 for wrong usage.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "framework/streaming.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::optional<std::string> ReadFile(const char* path) {
  File f(std::fopen(path, "rb"));
  if (!f) return std::nullopt;
  std::string data;
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0;) data.append(buffer, n);
  if (std::ferror(f.get())) return std::nullopt;
  return data;
}

// Writes beside the target and renames, so that a failed run leaves no half-written file.
bool WriteFile(const char* path, const std::string& data) {
  const std::string temporary = std::string(path) + ".tmp";
  File f(std::fopen(temporary.c_str(), "wb"));
  if (!f) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), f.get()) == data.size();
  ok = std::fclose(f.release()) == 0 && ok;
  if (ok && std::rename(temporary.c_str(), path) == 0) return true;
  std::remove(temporary.c_str());
  return false;
}

int Fail(const char* path, const std::string& what) {
  std::fprintf(stderr, "qf_formconv: %s: %s\n", path, what.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const bool to_binary = argc == 4 && std::strcmp(argv[1], "--to-binary") == 0;
  const bool to_text = argc == 4 && std::strcmp(argv[1], "--to-text") == 0;
  if (!to_binary && !to_text) {
    std::fputs("usage: qf_formconv --to-binary IN OUT\n       qf_formconv --to-text IN OUT\n", stderr);
    return 2;
  }
  const char* in = argv[2];
  const char* out = argv[3];
  std::optional<std::string> data = ReadFile(in);
  if (!data) return Fail(in, std::strerror(errno));
  std::string converted;
  try {
    converted = fw::ConvertDescription(*data, to_binary ? fw::DescriptionSyntax::Binary : fw::DescriptionSyntax::Text);
  } catch (const fw::Exception& e) {
    return Fail(in, e.Message());
  }
  if (!WriteFile(out, converted)) return Fail(out, std::strerror(errno));
  return 0;
}
