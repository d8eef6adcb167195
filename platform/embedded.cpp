#include "platform/embedded.h"

#include <map>

namespace pf {
namespace {
// The bytes are linked into the program and live as long as it does: viewed, never copied.
std::map<std::string, std::string_view, std::less<>>& Table() {
  static std::map<std::string, std::string_view, std::less<>> table;
  return table;
}
}  // namespace

void RegisterEmbedded(std::string_view name, std::string_view bytes) {
  Table()[std::string(name)] = bytes;
}

std::optional<std::string_view> FindEmbedded(std::string_view name) {
  auto it = Table().find(name);
  if (it == Table().end()) return std::nullopt;
  return it->second;
}

}  // namespace pf
