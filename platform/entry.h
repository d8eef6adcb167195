#pragma once
// What a program's entry shares with the platform: the exit code of a start that failed, and an
// exception said in words.
#include <exception>
#include <string>

namespace pf {

// The exit code when the program could not even open its window (no display, or an error with
// no box left to show it in). Every other path ends with 0.
inline constexpr int kExitCouldNotStart = 1;

// Words for an exception a person can read: its message; "Out of memory" for a failed
// allocation; for one without a message, the name of its class.
std::string DescribeException(const std::exception& e);
// The same for the exception being handled; call it inside a catch block.
std::string CurrentExceptionText();

}  // namespace pf
