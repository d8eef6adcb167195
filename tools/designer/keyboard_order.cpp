#include "tools/designer/keyboard_order.h"

#include <algorithm>

#include "framework/description_tools/text_parser.h"

namespace designer {
namespace {
constexpr char kOrder[] = "KeyboardOrder";
}  // namespace

void RenameInKeyboardOrder(fw::TextDocument& text, const fw::String& name,
                           const std::optional<fw::String>& with) {
  const std::optional<std::string> written = text.ValueText(0, kOrder);
  if (!written) return;
  std::vector<fw::String> names = fw::syntax::ParseValueText(*written, kOrder).value.names;
  const auto at = std::find(names.begin(), names.end(), name);
  if (at == names.end()) return;
  if (with) {
    *at = *with;
  } else {
    names.erase(at);
  }
  if (names.empty()) {
    text.RemoveProperty(0, kOrder);
    return;
  }
  fw::String set = "[";
  for (const fw::String& n : names) set += (set.size() > 1 ? ", " : "") + n;
  text.SetValueText(0, kOrder, set + "]", {});
}

std::vector<fw::String> NamesWithin(const fw::TextDocument& text, std::size_t index) {
  std::vector<fw::String> names{text.Objects()[index].name};
  for (std::size_t child : text.Objects()[index].children) {
    for (fw::String& name : NamesWithin(text, child)) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace designer
