#pragma once
// The list of what each system DLL exports on the oldest Windows the program must load on, the
// list of the DLLs it may import at load time, and the link map's word on which object asked for
// an import or where it put a symbol.
#include <map>
#include <set>
#include <string>

#include "tools/pe/pe_image.h"

namespace pe {

class ExportList {
 public:
  // DLL names compare without case, as the loader compares them.
  bool Has(const Import& import) const;
  void Add(const std::string& dll, const std::string& function);

 private:
  std::map<std::string, std::set<std::string>> functions_;  // by upper-case DLL name
};

// Lines: "[DLL]" opens a DLL's section; each other line names one function of it; "#" starts a
// comment. Throws Error, with the line, for a function outside any section.
ExportList ReadExportList(const std::string& path);
// Lines: one DLL's name each (the DLLs the program may import at load time); "#" starts a
// comment. The names come back in upper case: the loader compares them without case.
std::set<std::string> ReadDllList(const std::string& path);
bool ListsDll(const std::set<std::string>& list, const std::string& dll);
std::string ReadText(const std::string& path);

// The object file (or archive member) that referred to the import's symbol, from the section of
// GNU ld's map that says why each archive member was included; empty when the map does not say.
std::string ImportedBy(const std::string& link_map, const Import& import);

// The address GNU ld's map gives a global symbol, named as C names it (the map drops the
// underscore that x86 object files put before C names); 0 when the map does not name it.
std::uint32_t SymbolAddress(const std::string& link_map, const std::string& symbol);

}  // namespace pe
