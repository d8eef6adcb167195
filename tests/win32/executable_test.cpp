// Quenfor.exe read as Windows reads it, for what Wine does not enforce: the header's flag and
// checksum (against imagehlp's own sum), its load configuration and the manifest.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win32/handles.h"

#include <imagehlp.h>  // after <windows.h>

namespace pf::win32 {
namespace {

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(Executable, RunsFromSwapOnRemovableMediaAndItsChecksumHolds) {
  std::ifstream file(QF_QUENFOR_EXE, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
  ASSERT_GT(bytes.size(), sizeof(IMAGE_DOS_HEADER));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
  ASSERT_LT(static_cast<std::size_t>(dos->e_lfanew), bytes.size() - sizeof(IMAGE_NT_HEADERS32));
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(bytes.data() + dos->e_lfanew);
  EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP);

  DWORD in_header = 0, computed = 0;
  ASSERT_EQ(::MapFileAndCheckSumA(QF_QUENFOR_EXE, &in_header, &computed), CHECKSUM_SUCCESS);
  EXPECT_NE(in_header, 0u);
  EXPECT_EQ(in_header, computed);
}

// The header names the program's load configuration (GNU ld does not; qf_pe does): the 64 bytes
// every Windows from 2000 on accepts, whose DependentLoadFlags keep the imports to the system
// folder on Windows 10 1607 and later.
TEST(Executable, ItsLoadConfigurationKeepsTheImportsToTheSystemFolder) {
  constexpr std::size_t kDependentLoadFlags = 54;
  std::ifstream file(QF_QUENFOR_EXE, std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
  PIMAGE_NT_HEADERS nt = ::ImageNtHeader(bytes.data());
  ASSERT_NE(nt, nullptr);
  const IMAGE_DATA_DIRECTORY& entry =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG];
  ASSERT_EQ(entry.Size, 64u);
  const auto* config =
      static_cast<const BYTE*>(::ImageRvaToVa(nt, bytes.data(), entry.VirtualAddress, nullptr));
  ASSERT_NE(config, nullptr);
  DWORD size = 0;
  WORD flags = 0;
  std::memcpy(&size, config, sizeof size);
  std::memcpy(&flags, config + kDependentLoadFlags, sizeof flags);
  EXPECT_EQ(size, 64u);
  EXPECT_EQ(flags, 0x0800) << "LOAD_LIBRARY_SEARCH_SYSTEM32";
}

// Run as the user who started it, nothing else: no compatibility section (it would change what
// GetVersionExA reports), no DPI declaration, no dependency; asm.v3 declared once (twice crashes
// the loader of XP SP2).
TEST(Executable, TheManifestAsksOnlyToRunAsTheInvoker) {
  Module exe(::LoadLibraryExA(QF_QUENFOR_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(exe);
  HRSRC found = ::FindResourceA(exe.get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr) << "no manifest resource 1";
  const char* data = static_cast<const char*>(::LockResource(::LoadResource(exe.get(), found)));
  ASSERT_NE(data, nullptr);
  const std::string manifest(data, ::SizeofResource(exe.get(), found));

  EXPECT_EQ(Count(manifest, "<assemblyIdentity "), 1);
  EXPECT_EQ(Count(manifest, "<trustInfo "), 1);
  EXPECT_EQ(Count(manifest, "urn:schemas-microsoft-com:asm.v3"), 1);
  EXPECT_EQ(Count(manifest, "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"),
            1);
  EXPECT_EQ(Count(manifest, "<requestedExecutionLevel"), 1);
  for (const char* absent :
       {"compatibility", "supportedOS", "dpiAware", "dpiAwareness", "dependency"}) {
    EXPECT_EQ(Count(manifest, absent), 0) << absent;
  }
}

}  // namespace
}  // namespace pf::win32
