#pragma once
// The designer's session on the headless platform: an application with the button library's
// classes, and files in memory that can be made to fail, the launcher's form among them.
#include <map>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "framework/controls/application.h"
#include "platform/headless/headless_platform.h"
#include "tools/designer/design_session.h"

namespace qf::test {

// Files in memory: what the tests put there, what the session writes; a failure on demand.
class MemoryFiles : public designer::FileStore {
 public:
  std::optional<std::string> Read(const std::string& path) override;
  std::optional<designer::FileStamp> Stamp(const std::string& path) override;
  std::string Replace(const std::string& path, std::string_view bytes) override;
  // Another program writes the file.
  void WriteOutside(const std::string& path, std::string bytes);

  std::map<std::string, std::string> files;
  std::string fail_with;  // what Replace answers, when not empty
  int replaced = 0;

 private:
  std::map<std::string, long long> written_;
  long long clock_ = 0;
};

class DesignerTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The launcher's form, its pictures read from resources/art/.
  static std::string MainFormPath();
  std::unique_ptr<designer::DesignSession> Open(const std::string& path);

  pf::headless::HeadlessPlatform* hp = nullptr;
  fw::TApplication* app = nullptr;
  MemoryFiles files;
};

// The lines of `after` that differ from `before`'s, as "-old" and "+new".
std::vector<std::string> ChangedLines(const std::string& before, const std::string& after);

}  // namespace qf::test
