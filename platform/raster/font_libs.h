#pragma once
// FreeType and fontconfig, opened when the first font is needed: a program that draws no text
// (the launcher) maps neither, nor the libraries they bring, and does not pay for loading them.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_MODULE_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

namespace pf::raster {

#define QF_FREETYPE_FUNCTIONS(X)                                                          \
  X(FT_Init_FreeType) X(FT_Done_FreeType) X(FT_Property_Set) X(FT_New_Face) X(FT_Done_Face) \
  X(FT_Set_Pixel_Sizes) X(FT_Get_Sfnt_Table) X(FT_Load_Glyph) X(FT_Render_Glyph)          \
  X(FT_Get_Char_Index)
#define QF_FONTCONFIG_FUNCTIONS(X)                                                          \
  X(FcInitLoadConfigAndFonts) X(FcConfigDestroy) X(FcPatternCreate) X(FcPatternDestroy)     \
  X(FcPatternAddString) X(FcPatternAddInteger) X(FcPatternAddBool) X(FcConfigSubstitute)    \
  X(FcDefaultSubstitute) X(FcFontMatch) X(FcPatternGetString) X(FcPatternGetInteger)

struct FontLibs {
#define QF_DECLARE(f) decltype(&::f) f = nullptr;
  QF_FREETYPE_FUNCTIONS(QF_DECLARE)
  QF_FONTCONFIG_FUNCTIONS(QF_DECLARE)
#undef QF_DECLARE
};

// Loaded on the first call; throws std::runtime_error naming the library or function missing.
const FontLibs& Fonts();

}  // namespace pf::raster
