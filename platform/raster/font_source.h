#pragma once
// FreeType and fontconfig behind owning handles: find the file for a face name and style, open it
// at a size with GDI's metrics.
#include <memory>
#include <optional>
#include <string>

#include "platform/device.h"
#include "platform/raster/font_libs.h"

namespace pf::raster {

struct FtFaceDeleter {
  void operator()(FT_Face face) const { Fonts().FT_Done_Face(face); }
};
using FtFace = std::unique_ptr<FT_FaceRec_, FtFaceDeleter>;

// What GDI reports for a font at one size, in pixels.
struct FaceMetrics {
  int em = 0;             // pixels per em
  int ascent = 0;         // tmAscent
  int descent = 0;        // tmDescent
  int underline_row = 0;  // rows below the baseline
  int strike_row = 0;     // rows above the baseline
};

struct OpenedFace {
  std::shared_ptr<FT_LibraryRec_> library;  // declared first: outlives the face
  FtFace face;
  FaceMetrics metrics;
};

// The face fontconfig picks for wanted.face with its weight and slant, sized as LOGFONT's
// lfHeight asks; nullopt when no font file can be opened. Not thread-safe: callers serialise.
std::optional<OpenedFace> OpenFace(const FontSpec& wanted);

// Metrics for a face with no usable font file: GDI's rules applied to a face whose em is the cell.
FaceMetrics FallbackMetrics(int lf_height);

}  // namespace pf::raster
