#pragma once
// Resources linked into the program as bytes, where the OS has no resource section.
#include <optional>
#include <string>
#include <string_view>

namespace pf {

// `bytes` must outlive the program's use of them (linked-in data does).
void RegisterEmbedded(std::string_view name, std::string_view bytes);
std::optional<std::string_view> FindEmbedded(std::string_view name);

}  // namespace pf
