#pragma once
// The program's icon at the sizes of a desktop's icon theme, as PNG files.
#include <string>

#include "platform/platform.h"

namespace qf::desktop {

// `icon` scaled to size x size: each target pixel averages the source area it covers, with
// alpha-weighted colours, so transparent pixels lend no colour to the edges. Whole multiples
// up keep every pixel sharp.
pf::IconImage ScaleIcon(const pf::IconImage& icon, int size);

// An 8-bit RGBA PNG of `icon` at `path`; false when it cannot be written.
bool WriteIconPng(const std::string& path, const pf::IconImage& icon);

}  // namespace qf::desktop
