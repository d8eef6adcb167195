#pragma once
// A program's resources (its forms' descriptions, by name: "Form_Main"): in the executable's
// resource section where it has one, else linked into the program as bytes, in a source the build
// writes (cmake/forms.cmake). Which of the two a program has is the linker's choice: the
// library qf_add_forms makes of them, or qf_no_linked_resources.
#include <optional>
#include <string_view>

namespace fw {

// The linked-in bytes of the resource `name`; nothing in a program that carries its resources in
// a resource section.
std::optional<std::string_view> LinkedResource(std::string_view name);

// The resource `name`: from the platform's resource section (the executable's on Windows; the
// headless platform's table in the tests), else the linked-in bytes. Raises EResNotFound when
// neither has it.
std::string_view ProgramResource(std::string_view name);

}  // namespace fw
