#include "platform/raster/raster_font.h"

#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>

#include "platform/shared/cp1252.h"
#include "platform/raster/font_source.h"

namespace pf::raster {
namespace {

// One lock for all fonts: FreeType faces are not thread-safe, and fonts are few and small.
std::mutex& FontMutex() {
  static std::mutex mutex;
  return mutex;
}

int RoundedPixels(FT_Pos value_26_6) { return static_cast<int>((value_26_6 + 32) >> 6); }

// The hinted advance of the default load: with the pinned interpreter, GDI's width.
int LoadAdvance(FT_Face face, FT_UInt index) {
  if (Fonts().FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) return 0;
  return RoundedPixels(face->glyph->advance.x);
}

const std::uint8_t* BitmapRow(const FT_Bitmap& bitmap, int y) {
  const int pitch = std::abs(bitmap.pitch);
  const int row = bitmap.pitch >= 0 ? y : static_cast<int>(bitmap.rows) - 1 - y;
  return bitmap.buffer + static_cast<std::ptrdiff_t>(row) * pitch;
}

void CopyMonoBitmap(const FT_GlyphSlot slot, Glyph& glyph) {
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || bitmap.buffer == nullptr) return;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.rows = static_cast<int>(bitmap.rows);
  glyph.ink.resize(static_cast<std::size_t>(glyph.width) * glyph.rows);
  for (int y = 0; y < glyph.rows; ++y) {
    const std::uint8_t* row = BitmapRow(bitmap, y);
    for (int x = 0; x < glyph.width; ++x) {
      glyph.ink[static_cast<std::size_t>(y) * glyph.width + x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
    }
  }
}

// Monochrome hinting gives the crisper one-bit shapes.
void RenderBitmap(FT_Face face, FT_UInt index, Glyph& glyph) {
  if (Fonts().FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0) return;
  if (Fonts().FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0) return;
  CopyMonoBitmap(face->glyph, glyph);
}

using FontKey = std::tuple<std::string, int, bool, bool>;

std::shared_ptr<const RasterFont> LoadFont(const FontSpec& wanted) {
  std::optional<OpenedFace> opened = OpenFace(wanted);
  std::unique_ptr<OpenedFace> face;
  if (opened) face = std::make_unique<OpenedFace>(std::move(*opened));
  return std::make_shared<const RasterFont>(std::move(face), wanted.height);
}

}  // namespace

RasterFont::RasterFont(std::unique_ptr<OpenedFace> face, int lf_height) : face_(std::move(face)) {
  const FaceMetrics m = face_ ? face_->metrics : FallbackMetrics(lf_height);
  ascent_ = m.ascent;
  descent_ = m.descent;
  underline_row_ = m.underline_row;
  strike_row_ = m.strike_row;
}

RasterFont::~RasterFont() = default;

Glyph RasterFont::Render(char c) const {
  Glyph glyph;
  if (!face_) return glyph;
  FT_Face face = face_->face.get();
  const FT_UInt index =
      Fonts().FT_Get_Char_Index(face, text::Cp1252ToUnicode(static_cast<std::uint8_t>(c)));
  glyph.advance = LoadAdvance(face, index);
  RenderBitmap(face, index, glyph);
  return glyph;
}

const Glyph& RasterFont::GlyphFor(char c) const {
  std::lock_guard lock(FontMutex());
  auto& slot = glyphs_[static_cast<std::uint8_t>(c)];
  if (!slot) slot = std::make_unique<const Glyph>(Render(c));
  return *slot;
}

Size RasterFont::Extent(std::string_view text) const {
  Size size{0, Height()};
  for (char c : text) size.cx += GlyphFor(c).advance;
  return size;
}

std::shared_ptr<const RasterFont> FindFont(const FontSpec& wanted) {
  static std::map<FontKey, std::shared_ptr<const RasterFont>> cache;
  const FontKey key{wanted.face, wanted.height, wanted.bold, wanted.italic};
  std::lock_guard lock(FontMutex());
  auto [entry, inserted] = cache.try_emplace(key, nullptr);
  if (!inserted) return entry->second;
  std::shared_ptr<const RasterFont> font = LoadFont(wanted);
  // A program uses a few fonts, but descriptions may name any face and size: past a bound, the
  // fonts that only the cache still holds go.
  if (cache.size() > kMostCachedFonts) {
    std::erase_if(cache, [](const auto& cached) { return cached.second.use_count() == 1; });
  }
  entry->second = font;
  return font;
}

}  // namespace pf::raster
