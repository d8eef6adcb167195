#pragma once
// Converting form descriptions between their syntaxes without knowing their classes: what the
// build's converter (tools/formconv) does.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// Converts a description, text or binary, to the given syntax: text comes out as the writer
// writes it. Raises EReadError for a broken syntax. Packed is the binary syntax deflated, as the
// executables embed it. File references stay as they are in text. The binary syntax takes the
// files' bytes instead, read relative to `files_folder`; without a folder a file reference is an
// error.
enum class DescriptionSyntax { Text, Binary, Packed };
std::string ConvertDescription(std::string_view data, DescriptionSyntax to,
                               const std::optional<std::string>& files_folder = std::nullopt);

// The classes of a description's objects, text or binary, the top one's included: sorted by their
// bytes and each once, so that a build can make the same list of classes to register from it.
// Raises EReadError for a broken syntax. File references are not read.
std::vector<std::string> DescriptionClasses(std::string_view data);

}  // namespace fw
