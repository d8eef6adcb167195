#include "platform/embedded.h"

#include <map>

namespace pf {
namespace {
std::map<std::string, std::string, std::less<>>& Table() {
  static std::map<std::string, std::string, std::less<>> table;
  return table;
}
}  // namespace

void RegisterEmbedded(std::string_view name, std::string_view bytes) {
  Table()[std::string(name)] = std::string(bytes);
}

std::optional<std::string> FindEmbedded(std::string_view name) {
  auto it = Table().find(name);
  if (it == Table().end()) return std::nullopt;
  return it->second;
}

}  // namespace pf
