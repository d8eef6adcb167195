#pragma once
// The tools a canvas draws with: fonts, brushes and pens.
#include <cstdint>
#include <functional>
#include <initializer_list>

#include "framework/graphics/colors.h"
#include "framework/objects/sysutils.h"
#include "platform/device.h"

namespace fw {

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
  static std::uint8_t Bit(TFontStyle s) {
    return static_cast<std::uint8_t>(1u << static_cast<int>(s));
  }
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
  // Sets a field to `value` and tells the owner, when that is a change.
  template <class T>
  void Change(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Changed();
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

}  // namespace fw
