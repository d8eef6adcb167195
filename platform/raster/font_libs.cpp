#include "platform/raster/font_libs.h"

#include <stdexcept>
#include <string>
#include <type_traits>

#include "platform/posix/shared_library.h"

namespace pf::raster {
namespace {

const char kFreetype[] = "libfreetype.so.6";
const char kFontconfig[] = "libfontconfig.so.1";

FontLibs Load() {
  const SharedLibrary freetype(kFreetype);
  const SharedLibrary fontconfig(kFontconfig);
  FontLibs libs;
  std::string missing;
#define QF_LOAD_FROM(library, name)                                                       \
  [&](auto& slot, const char* function) {                                                 \
    slot = library.Find<std::remove_reference_t<decltype(slot)>>(function);               \
    if (slot == nullptr && missing.empty()) missing = std::string(name) + " " + function; \
  }
  auto from_freetype = QF_LOAD_FROM(freetype, kFreetype);
  auto from_fontconfig = QF_LOAD_FROM(fontconfig, kFontconfig);
#undef QF_LOAD_FROM
#define QF_FT(f) from_freetype(libs.f, #f);
#define QF_FC(f) from_fontconfig(libs.f, #f);
  QF_FREETYPE_FUNCTIONS(QF_FT)
  QF_FONTCONFIG_FUNCTIONS(QF_FC)
#undef QF_FT
#undef QF_FC
  if (!missing.empty()) throw std::runtime_error("cannot load the fonts' library: " + missing);
  return libs;
}

}  // namespace

const FontLibs& Fonts() {
  static const FontLibs libs = Load();
  return libs;
}

}  // namespace pf::raster
