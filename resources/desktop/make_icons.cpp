// Writes the program's icon as PNGs for the hicolor icon theme:
//   qf_make_icons ICON_FILE OUT_DIR SIZE...   ->   OUT_DIR/<n>x<n>/apps/quenfor.png
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "framework/graphics/icon.h"
#include "resources/desktop/icon_sizes.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: qf_make_icons ICON_FILE OUT_DIR SIZE...\n");
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    if (!in) throw std::runtime_error(std::string("cannot read ") + argv[1]);
    fw::TIcon icon;
    icon.LoadFromBytes(bytes.str());
    for (int i = 3; i < argc; ++i) {
      const int size = std::atoi(argv[i]);
      if (size <= 0 || size > 1024) throw std::runtime_error(std::string("bad size ") + argv[i]);
      const std::string n = std::to_string(size);
      const std::filesystem::path dir = std::filesystem::path(argv[2]) / (n + "x" + n) / "apps";
      std::filesystem::create_directories(dir);
      const std::string png = (dir / "quenfor.png").string();
      if (!qf::desktop::WriteIconPng(png, qf::desktop::ScaleIcon(icon.Image(), size))) {
        throw std::runtime_error("cannot write " + png);
      }
    }
  } catch (const std::exception& e) {  // the icon reader's errors too
    std::fprintf(stderr, "qf_make_icons: %s\n", e.what());
    return 1;
  }
  return 0;
}
