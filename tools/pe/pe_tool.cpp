// qf_pe --run-from-swap EXE
//   Marks EXE to be run from the swap file when it lies on removable media, and rewrites its
//   header checksum. GNU ld cannot set that flag; the build runs this after linking.
// qf_pe --check-imports EXE LIST KNOWN [MAP]
//   Fails on every DLL imported at load time that KNOWN does not name (a DLL that is not a
//   KnownDLL is looked for beside the program first), and on every imported function that LIST
//   does not name under its DLL; each refusal names the DLL (and the function) and, from the
//   linker's MAP, the object that brought it in.
// qf_pe --load-config EXE MAP
//   Points the header's load configuration entry at the program's own (_load_config_used, found
//   through the linker's MAP, where GNU ld leaves it unnamed in the header) and rewrites the
//   header checksum. The structure must be the 64 bytes an x86 image may carry on every Windows.
// qf_pe --header EXE
//   Prints the file header's characteristics, the header checksum beside the computed one, and
//   the load configuration's dependent load flags.
// Exit status 0 on success, 1 when a check fails or a file cannot be read or written, 2 for
// wrong usage.
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "tools/pe/import_check.h"
#include "tools/pe/pe_image.h"

namespace {

int RunFromSwap(const std::string& path) {
  pe::Image image(pe::ReadFile(path));
  image.SetCharacteristics(image.Characteristics() | pe::kRemovableRunFromSwap);
  image.WriteChecksum(image.ComputeChecksum());
  pe::WriteFile(path, image.Bytes());
  return 0;
}

// The load configuration's DependentLoadFlags, a 16-bit field at offset 54 (a reserved field
// before Windows 10).
constexpr std::uint32_t kDependentLoadFlagsField = 54;

int SetLoadConfig(const std::string& path, const std::string& map) {
  pe::Image image(pe::ReadFile(path));
  const std::uint32_t address = pe::SymbolAddress(pe::ReadText(map), "_load_config_used");
  if (address == 0) throw pe::Error(map + " names no _load_config_used");
  if (address < image.ImageBase()) throw pe::Error("_load_config_used lies before the image");
  const std::uint32_t rva = address - image.ImageBase();
  if (image.U32AtAddress(rva) != pe::kLoadConfigSize) {
    throw pe::Error("the load configuration at _load_config_used does not say it has " +
                    std::to_string(pe::kLoadConfigSize) + " bytes");
  }
  image.SetDataDirectory(pe::kLoadConfigDirectory, rva, pe::kLoadConfigSize);
  image.WriteChecksum(image.ComputeChecksum());
  pe::WriteFile(path, image.Bytes());
  return 0;
}

int PrintHeader(const std::string& path) {
  const pe::Image image(pe::ReadFile(path));
  std::printf(
      "characteristics 0x%04X%s\nchecksum 0x%08X, computed 0x%08X\n", image.Characteristics(),
      image.Characteristics() & pe::kRemovableRunFromSwap ? " (run from swap on removable media)"
                                                          : "",
      image.HeaderChecksum(), image.ComputeChecksum());
  const auto [rva, size] = image.DataDirectory(pe::kLoadConfigDirectory);
  if (rva == 0 || size <= kDependentLoadFlagsField + 2) {
    std::printf("load configuration: none with dependent load flags\n");
  } else {
    std::printf("load configuration: %u bytes, dependent load flags 0x%04X\n", size,
                image.U16AtAddress(rva + kDependentLoadFlagsField));
  }
  return 0;
}

void PrintBroughtInBy(const std::string& link_map, const pe::Import& import) {
  const std::string by = pe::ImportedBy(link_map, import);
  std::printf(by.empty() ? "\n" : " (brought in by %s)\n", by.c_str());
}

int CheckImports(const std::string& path, const std::string& list, const std::string& known,
                 const std::string& map) {
  const pe::Image image(pe::ReadFile(path));
  const pe::ExportList allowed = pe::ReadExportList(list);
  const std::set<std::string> known_dlls = pe::ReadDllList(known);
  const std::string link_map = map.empty() ? std::string() : pe::ReadText(map);
  const std::vector<pe::Import> imports = image.Imports();
  int refused = 0;
  std::set<std::string> dlls_refused;
  for (const pe::Import& import : imports) {
    if (!pe::ListsDll(known_dlls, import.dll) && dlls_refused.insert(import.dll).second) {
      ++refused;
      std::printf("%s: imports %s at load time, and it is not on the list of %s", path.c_str(),
                  import.dll.c_str(), known.c_str());
      PrintBroughtInBy(link_map, import);
    }
    if (allowed.Has(import)) continue;
    ++refused;
    std::printf("%s: %s from %s is not on the list of %s", path.c_str(), import.function.c_str(),
                import.dll.c_str(), list.c_str());
    PrintBroughtInBy(link_map, import);
  }
  std::printf("%zu imports, %d refused\n", imports.size(), refused);
  return refused == 0 ? 0 : 1;
}

int Usage() {
  std::fputs(
      "usage: qf_pe --run-from-swap EXE\n"
      "       qf_pe --load-config EXE MAP\n"
      "       qf_pe --check-imports EXE LIST KNOWN [MAP]\n"
      "       qf_pe --header EXE\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1], exe = argv[2];
  try {
    if (command == "--run-from-swap" && argc == 3) return RunFromSwap(exe);
    if (command == "--header" && argc == 3) return PrintHeader(exe);
    if (command == "--load-config" && argc == 4) return SetLoadConfig(exe, argv[3]);
    if (command == "--check-imports" && (argc == 5 || argc == 6)) {
      return CheckImports(exe, argv[3], argv[4], argc == 6 ? argv[5] : "");
    }
  } catch (const pe::Error& e) {
    std::fprintf(stderr, "qf_pe: %s: %s\n", exe.c_str(), e.what());
    return 1;
  }
  return Usage();
}
