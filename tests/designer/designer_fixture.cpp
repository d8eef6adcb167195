#include "tests/designer/designer_fixture.h"

#include <sstream>

#include "buttoncomps/buttoncomps.h"
#include "framework/objects/sysutils.h"

namespace qf::test {

std::optional<std::string> MemoryFiles::Read(const std::string& path) {
  const auto it = files.find(path);
  if (it == files.end()) return std::nullopt;
  return it->second;
}

std::optional<designer::FileStamp> MemoryFiles::Stamp(const std::string& path) {
  const auto it = files.find(path);
  if (it == files.end()) return std::nullopt;
  return designer::FileStamp{it->second.size(), written_[path]};
}

std::string MemoryFiles::Replace(const std::string& path, std::string_view bytes) {
  if (!fail_with.empty()) return fail_with;
  ++replaced;
  files[path] = std::string(bytes);
  written_[path] = ++clock_;
  return {};
}

void MemoryFiles::WriteOutside(const std::string& path, std::string bytes) {
  files[path] = std::move(bytes);
  written_[path] = ++clock_;
}

void DesignerTest::SetUp() {
  auto platform = std::make_unique<pf::headless::HeadlessPlatform>();
  hp = platform.get();
  pf::Install(std::move(platform));
  app = new fw::TApplication(nullptr);
  app->Initialize();
  bc::RegisterClasses();
  files.files[MainFormPath()] = *fw::ReadFileBytes(MainFormPath());
}

void DesignerTest::TearDown() {
  delete app;
  pf::Uninstall();
}

std::string DesignerTest::MainFormPath() { return QF_SOURCE_DIR "/resources/Form_Main.form"; }

std::unique_ptr<designer::DesignSession> DesignerTest::Open(const std::string& path) {
  return std::make_unique<designer::DesignSession>(files, path);
}

std::vector<std::string> ChangedLines(const std::string& before, const std::string& after) {
  std::istringstream a(before), b(after);
  std::vector<std::string> changed;
  std::string x, y;
  for (;;) {
    const bool more_a = static_cast<bool>(std::getline(a, x));
    const bool more_b = static_cast<bool>(std::getline(b, y));
    if (!more_a && !more_b) break;
    if (more_a && more_b && x == y) continue;
    if (more_a) changed.push_back("-" + x);
    if (more_b) changed.push_back("+" + y);
  }
  return changed;
}

}  // namespace qf::test
