// qf_formconv --to-binary IN OUT | --to-text IN OUT | --to-packed IN OUT | --classes IN
// Converts a form description between its text and its binary syntax, or packs it as the
// executables embed it (any of them may be read; the signatures tell them apart). The binary
// forms take the bytes of the files that the text's byte blocks name, relative to IN's folder;
// text keeps the references. --classes prints the classes of the description's objects, one a
// line, sorted and each once. Exit status 0 on success, 1 for a broken description or a file that
// cannot be read or written, 2 for wrong usage.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "framework/description_tools/converter.h"
#include "framework/description_tools/file_references.h"

namespace {

int Fail(const char* path, const std::string& what) {
  std::fprintf(stderr, "qf_formconv: %s: %s\n", path, what.c_str());
  return 1;
}

int Usage() {
  std::fputs(
      "usage: qf_formconv --to-binary IN OUT\n       qf_formconv --to-text IN OUT\n"
      "       qf_formconv --to-packed IN OUT\n       qf_formconv --classes IN\n",
      stderr);
  return 2;
}

int PrintClasses(const char* in, std::string_view data) {
  std::string lines;
  try {
    for (const std::string& name : fw::DescriptionClasses(data)) lines += name + "\n";
  } catch (const fw::Exception& e) {
    return Fail(in, e.Message());
  }
  std::fputs(lines.c_str(), stdout);
  return std::fflush(stdout) == 0 ? 0 : Fail("stdout", std::strerror(errno));
}

}  // namespace

int main(int argc, char** argv) {
  static constexpr std::pair<const char*, fw::DescriptionSyntax> kModes[] = {
      {"--to-binary", fw::DescriptionSyntax::Binary},
      {"--to-text", fw::DescriptionSyntax::Text},
      {"--to-packed", fw::DescriptionSyntax::Packed}};
  const std::pair<const char*, fw::DescriptionSyntax>* mode = nullptr;
  for (const auto& m : kModes) {
    if (argc == 4 && std::strcmp(argv[1], m.first) == 0) mode = &m;
  }
  const bool classes = argc == 3 && std::strcmp(argv[1], "--classes") == 0;
  if (!mode && !classes) return Usage();
  const char* in = argv[2];
  std::optional<std::string> data = fw::ReadFileBytes(in);
  if (!data) return Fail(in, std::strerror(errno));
  if (classes) return PrintClasses(in, *data);
  const char* out = argv[3];
  std::string converted;
  try {
    converted = fw::ConvertDescription(*data, mode->second, fw::syntax::FolderOf(in));
  } catch (const fw::Exception& e) {
    return Fail(in, e.Message());
  }
  if (!fw::WriteFileBytes(out, converted)) return Fail(out, std::strerror(errno));
  return 0;
}
