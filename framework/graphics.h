#pragma once
// Colours, fonts, brushes, pens and pictures.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/props.h"
#include "framework/sysutils.h"
#include "platform/device.h"

namespace fw {

// 0x00BBGGRR, or 0x80000000 + n for system colour n, looked up when drawn.
using TColor = std::int32_t;

inline constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;

// Resolves system colours through the platform in force.
pf::ColorRef ColorToRGB(TColor color);
// "clBtnFace" and the other names above, else a hexadecimal literal "$00A56934".
String ColorToString(TColor color);
// Accepts a name above, "$hex" or a decimal number; false when the text is none of these.
bool StringToColor(std::string_view text, TColor* color);

// The names above as a colour property is written with them.
extern const NamedIntegers kNamedColors;
namespace props_detail {
TColor AsColor(const PropValue& v, const String& prop);
}  // namespace props_detail

template <class T, class G, class S>
PropInfo ColorProp(String name, G get, S set, std::optional<TColor> def = std::nullopt) {
  return NamedIntegerProp<T, TColor>(std::move(name), PropType::Color, kNamedColors, get, set,
                                     props_detail::AsColor, def);
}

enum class TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

class TFontStyles {
 public:
  TFontStyles() = default;
  TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (auto s : styles) Include(s);
  }
  bool Contains(TFontStyle s) const { return (bits_ & Bit(s)) != 0; }
  void Include(TFontStyle s) { bits_ |= Bit(s); }
  void Exclude(TFontStyle s) { bits_ &= static_cast<std::uint8_t>(~Bit(s)); }
  bool Empty() const { return bits_ == 0; }
  std::uint8_t Bits() const { return bits_; }
  friend bool operator==(const TFontStyles&, const TFontStyles&) = default;

 private:
  static std::uint8_t Bit(TFontStyle s) { return static_cast<std::uint8_t>(1u << static_cast<int>(s)); }
  std::uint8_t bits_ = 0;
};

// Fonts, brushes and pens tell their owner about every change.
class TGraphicsObject {
 public:
  virtual ~TGraphicsObject() = default;
  std::function<void()> OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange();
  }
};

class TFont : public TGraphicsObject {
 public:
  TFont();
  const String& Name() const { return name_; }
  void SetName(const String& name);
  int Size() const { return size_; }  // points
  void SetSize(int points);
  // In pixels at PixelsPerInch, negative as LOGFONT's em height.
  int Height() const;
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  int PixelsPerInch() const { return pixels_per_inch_; }
  // Takes name, size, style and colour; one change notification.
  void Assign(const TFont& source);
  bool SameAs(const TFont& other) const;
  pf::FontSpec Logical() const;

 private:
  String name_ = "Arial";
  int size_ = 8;
  TColor color_ = clWindowText;
  TFontStyles style_;
  int pixels_per_inch_ = 96;
};

class TBrush : public TGraphicsObject {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);

 private:
  TColor color_ = clWhite;
};

class TPen : public TGraphicsObject {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);

 private:
  TColor color_ = clBlack;
  int width_ = 1;
};

// A picture of some format that can be drawn at a point and stored as bytes.
class TGraphic {
 public:
  virtual ~TGraphic() = default;
  virtual const char* ClassName() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;
  // Unscaled, top-left corner at `at`.
  virtual void Draw(pf::Device& device, pf::Point at) const = 0;
  virtual void LoadFromBytes(std::string_view bytes) = 0;
  virtual std::string SaveToBytes() const = 0;
  virtual std::unique_ptr<TGraphic> Clone() const = 0;
  virtual bool Equals(const TGraphic& other) const = 0;
  // Gets ready to be drawn (a compressed picture decodes), so that the first draw finds its
  // pixels; what cannot be made ready is reported when drawn. Nothing for most graphics.
  virtual void Prepare() const {}
};

enum class TTransparentMode : std::uint8_t { tmAuto, tmFixed };

// A device-independent bitmap. Copies share their pixels until one of them changes.
class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(int width, int height);  // filled with white
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  ~TBitmap() override;

  const char* ClassName() const override { return "TBitmap"; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return width_ <= 0 || height_ <= 0; }
  void SetSize(int width, int height);  // keeps what fits, new pixels white
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }

  // Copies picture and transparency settings; null empties this bitmap.
  void Assign(const TBitmap* source);

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  TTransparentMode TransparentMode() const { return transparent_mode_; }
  void SetTransparentMode(TTransparentMode mode);
  // tmAuto: the bottom-left pixel's colour; tmFixed: the colour set.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);  // switches to tmFixed

  // 0x00BBGGRR; kInvalidColor outside the picture.
  pf::ColorRef Pixel(int x, int y) const;
  void SetPixel(int x, int y, pf::ColorRef color);
  // Takes `pixels` (top-down rows of 0x00RRGGBB, width x height of them) as the whole picture:
  // one change notification, however many pixels.
  void SetPixels(int width, int height, std::vector<std::uint32_t> pixels);
  pf::ImageView View() const;
  bool SharesPixelsWith(const TBitmap& other) const;

  void Draw(pf::Device& device, pf::Point at) const override;
  // A Windows bitmap file. Raises EInvalidGraphic "Bitmap image is not valid" unless it begins
  // with "BM" and its headers describe pixels that are really there.
  void LoadFromBytes(std::string_view bytes) override;
  // A Windows bitmap file, 24-bit unless the picture was read from a 32-bit file.
  std::string SaveToBytes() const override;
  std::unique_ptr<TGraphic> Clone() const override;
  bool Equals(const TGraphic& other) const override;

  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;

  std::function<void()> OnChange;

 private:
  struct Pixels;
  void TakePixels(int width, int height, std::vector<std::uint32_t>&& pixels);
  void Unshare();
  void NotifyChange();

  int width_ = 0;
  int height_ = 0;
  int bits_per_pixel_ = 24;
  std::shared_ptr<Pixels> pixels_;
  bool transparent_ = false;
  TTransparentMode transparent_mode_ = TTransparentMode::tmAuto;
  TColor transparent_color_ = clDefault;
};

// A JPEG picture: the header is read when it is loaded, the pixels decoded the first time they
// are needed (Decoded, Draw), or ahead of that through Prepare. libjpeg's errors raise EJPEG with
// libjpeg's own message.
class TJPEGImage : public TGraphic {
 public:
  TJPEGImage();
  ~TJPEGImage() override;
  const char* ClassName() const override { return "TJPEGImage"; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return data_.empty(); }
  void Draw(pf::Device& device, pf::Point at) const override;
  void LoadFromBytes(std::string_view bytes) override;
  std::string SaveToBytes() const override { return data_; }
  std::unique_ptr<TGraphic> Clone() const override;
  bool Equals(const TGraphic& other) const override;

  int Components() const { return components_; }
  bool IsDecoded() const { return decoded_ != nullptr; }
  // Decodes now if not done yet; the bitmap stays with the picture.
  const TBitmap& Decoded() const;
  // Decodes ahead of the first draw. A picture that cannot be decoded stays undecoded: drawing it
  // raises the error then, as it would have without this.
  void Prepare() const override;

 private:
  std::string data_;
  int width_ = 0;
  int height_ = 0;
  int components_ = 0;
  mutable std::unique_ptr<TBitmap> decoded_;
};

// Holds one graphic of any registered format.
class TPicture {
 public:
  TPicture();
  ~TPicture();
  TGraphic* Graphic() const { return graphic_.get(); }
  void SetGraphic(std::unique_ptr<TGraphic> graphic);
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }
  bool Empty() const { return !graphic_ || graphic_->Empty(); }
  void Assign(const TPicture* source);

  // The stored form: one byte of class-name length, the class name ("TBitmap", "TJPEGImage"),
  // then the graphic's bytes. An empty picture stores nothing.
  void LoadFromData(std::string_view data);
  std::string SaveToData() const;

  std::function<void()> OnChange;

 private:
  std::unique_ptr<TGraphic> graphic_;
};

// The byte-block form of a bitmap property: 4-byte little-endian length, then the file.
std::string BitmapToData(const TBitmap& bitmap);
void BitmapFromData(TBitmap& bitmap, std::string_view data);

}  // namespace fw
