#include "platform/raster/font_source.h"

#include <algorithm>
#include <cstdlib>

#include FT_DRIVER_H

namespace pf::raster {
namespace {

// lfHeight 0 asks for the default size; GDI's is a 16-pixel cell.
constexpr int kDefaultCellHeight = 16;
// Keeps a glyph bitmap within reason for absurd heights.
constexpr int kMaxEm = 2048;

using FtLibrary = std::shared_ptr<FT_LibraryRec_>;

struct FcConfigDeleter {
  void operator()(FcConfig* config) const { Fonts().FcConfigDestroy(config); }
};
struct FcPatternDeleter {
  void operator()(FcPattern* pattern) const { Fonts().FcPatternDestroy(pattern); }
};
using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;

FtLibrary MakeLibrary() {
  FT_Library raw = nullptr;
  if (Fonts().FT_Init_FreeType(&raw) != 0) return nullptr;
  FtLibrary library(raw, [](FT_Library done) { Fonts().FT_Done_FreeType(done); });
  // Advances must not depend on FREETYPE_PROPERTIES: the minimal (v40) interpreter leaves them at
  // the rounded design widths, which is what GDI reports.
  FT_UInt version = TT_INTERPRETER_VERSION_40;
  Fonts().FT_Property_Set(raw, "truetype", "interpreter-version", &version);
  return library;
}

// Shared with every open face, so that a face cached until exit never outlives it.
const FtLibrary& Library() {
  static const FtLibrary library = MakeLibrary();
  return library;
}

FcConfig* FontConfig() {
  static std::unique_ptr<FcConfig, FcConfigDeleter> config(Fonts().FcInitLoadConfigAndFonts());
  return config.get();
}

struct FontFile {
  std::string path;
  int index = 0;
};

FcPatternPtr MakeQuery(const FontSpec& wanted) {
  FcPatternPtr query(Fonts().FcPatternCreate());
  Fonts().FcPatternAddString(query.get(), FC_FAMILY,
                             reinterpret_cast<const FcChar8*>(wanted.face.c_str()));
  Fonts().FcPatternAddInteger(query.get(), FC_WEIGHT,
                              wanted.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  Fonts().FcPatternAddInteger(query.get(), FC_SLANT,
                              wanted.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  Fonts().FcPatternAddBool(query.get(), FC_SCALABLE, FcTrue);
  return query;
}

std::optional<FontFile> ResolveFile(const FontSpec& wanted) {
  FcConfig* config = FontConfig();
  if (config == nullptr) return std::nullopt;
  FcPatternPtr query = MakeQuery(wanted);
  Fonts().FcConfigSubstitute(config, query.get(), FcMatchPattern);
  Fonts().FcDefaultSubstitute(query.get());
  FcResult result = FcResultNoMatch;
  FcPatternPtr match(Fonts().FcFontMatch(config, query.get(), &result));
  FcChar8* path = nullptr;
  if (!match || Fonts().FcPatternGetString(match.get(), FC_FILE, 0, &path) != FcResultMatch) {
    return std::nullopt;
  }
  FontFile file{reinterpret_cast<const char*>(path), 0};
  Fonts().FcPatternGetInteger(match.get(), FC_INDEX, 0, &file.index);
  return file;
}

// round(value * em / units) for non-negative and negative values alike.
int ScaleRounded(long value, int em, int units) {
  const long scaled = value * em * 2;
  const long half_up = scaled >= 0 ? scaled + units : scaled - units;
  return static_cast<int>(half_up / (2L * units));
}

struct DesignMetrics {
  int units = 2048;
  long ascent = 0;
  long descent = 0;
  long underline = 0;  // position of the underline's top edge, negative below the baseline
  long strike = 0;     // strike-out position above the baseline
};

DesignMetrics ReadDesignMetrics(FT_Face face) {
  DesignMetrics m;
  m.units = face->units_per_EM > 0 ? face->units_per_EM : 2048;
  m.ascent = face->ascender;
  m.descent = -face->descender;
  m.underline = face->underline_position;
  m.strike = m.units * 22 / 100;
  if (auto* os2 = static_cast<TT_OS2*>(Fonts().FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
    if (os2->usWinAscent + os2->usWinDescent > 0) {
      m.ascent = os2->usWinAscent;
      m.descent = os2->usWinDescent;
    }
    if (os2->yStrikeoutPosition > 0) m.strike = os2->yStrikeoutPosition;
  }
  if (auto* post = static_cast<TT_Postscript*>(Fonts().FT_Get_Sfnt_Table(face, FT_SFNT_POST))) {
    m.underline = post->underlinePosition;
  }
  return m;
}

int EmForHeight(int lf_height, const DesignMetrics& m) {
  if (lf_height == 0) lf_height = kDefaultCellHeight;
  long em = -static_cast<long>(lf_height);
  const long cell_units = m.ascent + m.descent;
  if (lf_height > 0 && cell_units > 0) {
    em = (2L * lf_height * m.units + cell_units) / (2 * cell_units);
  } else if (lf_height > 0) {
    em = lf_height;
  }
  return static_cast<int>(std::clamp(em, 1L, static_cast<long>(kMaxEm)));
}

FaceMetrics ScaleMetrics(const DesignMetrics& m, int em) {
  FaceMetrics px;
  px.em = em;
  px.ascent = ScaleRounded(m.ascent, em, m.units);
  px.descent = ScaleRounded(m.descent, em, m.units);
  // Both lines stay inside the cell.
  px.underline_row = std::clamp(-ScaleRounded(m.underline, em, m.units), 0,
                                std::max(0, px.descent - 1));
  px.strike_row = std::clamp(ScaleRounded(m.strike, em, m.units), 1, std::max(1, px.ascent));
  return px;
}

}  // namespace

std::optional<OpenedFace> OpenFace(const FontSpec& wanted) {
  const FtLibrary& library = Library();
  std::optional<FontFile> file = ResolveFile(wanted);
  if (!library || !file) return std::nullopt;
  FT_Face raw = nullptr;
  if (Fonts().FT_New_Face(library.get(), file->path.c_str(), file->index, &raw) != 0)
    return std::nullopt;
  OpenedFace opened{library, FtFace(raw), {}};
  const DesignMetrics design = ReadDesignMetrics(raw);
  opened.metrics = ScaleMetrics(design, EmForHeight(wanted.height, design));
  if (Fonts().FT_Set_Pixel_Sizes(raw, 0, static_cast<FT_UInt>(opened.metrics.em)) != 0)
    return std::nullopt;
  return opened;
}

FaceMetrics FallbackMetrics(int lf_height) {
  DesignMetrics unit_cell;
  unit_cell.units = 1000;
  unit_cell.ascent = 800;
  unit_cell.descent = 200;
  unit_cell.underline = -100;
  unit_cell.strike = 250;
  return ScaleMetrics(unit_cell, EmForHeight(lf_height, unit_cell));
}

}  // namespace pf::raster
