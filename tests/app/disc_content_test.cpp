// The disc's list of what the launcher opens (disc/content.txt, which the disc target checks the
// content against) names exactly the files the launcher's actions open from the disc's root.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "app/unit1.h"

namespace qf::test {
namespace {

// "D:\\DRIVER\\SETUP.EXE" (or with the doubled separator) as "DRIVER/SETUP.EXE".
std::string OnTheDisc(const std::string& target) {
  std::string path = target.substr(target.find_first_not_of('\\', 2));
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::vector<std::string> ListedFiles() {
  std::ifstream list(QF_DISC_CONTENT_LIST);
  std::vector<std::string> files;
  for (std::string line; std::getline(list, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] != '#') files.push_back(line);
  }
  return files;
}

TEST(DiscContent, ListsEveryFileTheActionsOpenFromTheRoot) {
  const std::string root = "D:\\";
  std::vector<std::string> opened = {
      OnTheDisc(app::DriverTarget(root)),
      OnTheDisc(app::ManualTarget(root)),
      OnTheDisc(app::ReaderTarget(root, pf::OsVersion{5, 1, 2600, 2, ""})),
      OnTheDisc(app::ReaderTarget(root, pf::OsVersion{5, 0, 2195, 2, ""})),
  };
  std::vector<std::string> listed = ListedFiles();
  std::sort(opened.begin(), opened.end());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, opened);
}

}  // namespace
}  // namespace qf::test
