#include "tools/pe/import_check.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

namespace pe {
namespace {

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
  return s;
}

std::string Trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(" \t\r") + 1 - first);
}

}  // namespace

bool ExportList::Has(const Import& import) const {
  const auto dll = functions_.find(Upper(import.dll));
  return dll != functions_.end() && dll->second.count(import.function) != 0;
}

void ExportList::Add(const std::string& dll, const std::string& function) {
  functions_[Upper(dll)].insert(function);
}

std::string ReadText(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadFile(path);
  return std::string(bytes.begin(), bytes.end());
}

ExportList ReadExportList(const std::string& path) {
  ExportList list;
  std::istringstream text(ReadText(path));
  std::string line, dll;
  for (int number = 1; std::getline(text, line); ++number) {
    line = Trimmed(line.substr(0, line.find('#')));
    if (line.empty()) continue;
    if (line.front() == '[' && line.back() == ']') {
      dll = Trimmed(line.substr(1, line.size() - 2));
    } else if (dll.empty()) {
      throw Error(path + ":" + std::to_string(number) + ": a function before any [DLL] line");
    } else {
      list.Add(dll, line);
    }
  }
  return list;
}

std::set<std::string> ReadDllList(const std::string& path) {
  std::set<std::string> list;
  std::istringstream text(ReadText(path));
  std::string line;
  while (std::getline(text, line)) {
    line = Trimmed(line.substr(0, line.find('#')));
    if (!line.empty()) list.insert(Upper(line));
  }
  return list;
}

bool ListsDll(const std::set<std::string>& list, const std::string& dll) {
  return list.count(Upper(dll)) != 0;
}

// In the map, an archive member is followed by the line "FILE (SYMBOL)" that made ld take it.
// An import's symbol is _imp__NAME@N (__imp__ in some linkers' spelling), or _NAME@N for the
// stub that calls it; without "@N" for C functions.
std::string ImportedBy(const std::string& link_map, const Import& import) {
  std::vector<std::string> forms;
  for (const char* prefix : {"(_imp__", "(__imp__", "(_"}) {
    for (const char* suffix : {"@", ")"}) forms.push_back(prefix + import.function + suffix);
  }
  std::istringstream lines(link_map);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("Allocating common symbols", 0) == 0 ||
        line.rfind("Discarded input sections", 0) == 0) {
      break;  // past the section that says why members were taken
    }
    for (const std::string& form : forms) {
      const auto at = line.find(form);
      if (at != std::string::npos) return Trimmed(line.substr(0, at));
    }
  }
  return std::string();
}

// A symbol's line in the map: "                0x00467d80                _load_config_used".
std::uint32_t SymbolAddress(const std::string& link_map, const std::string& symbol) {
  std::istringstream lines(link_map);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string address, name, more;
    if (!(words >> address >> name) || (words >> more) || name != symbol) continue;
    if (address.rfind("0x", 0) == 0) return static_cast<std::uint32_t>(std::stoul(address, nullptr, 16));
  }
  return 0;
}

}  // namespace pe
