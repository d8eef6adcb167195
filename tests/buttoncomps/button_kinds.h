#pragma once
// The three buttons with a hover look, each set up so that one pixel tells its looks apart and
// the caption's ink tells the font colour from the hover caption colour.
#include "buttoncomps/encarta_button.h"
#include "buttoncomps/sel_button.h"
#include "buttoncomps/square_button.h"
#include "tests/buttoncomps/button_fixture.h"

namespace qf::test {

enum class Look { Normal, Hover, Pressed, Other };

inline constexpr fw::TColor kNormalMark = 0x00C0C0C0;
inline constexpr fw::TColor kHoverMark = 0x0000FFFF;
inline constexpr fw::TColor kPressedMark = 0x00FFFF00;
inline constexpr fw::TColor kFontInk = 0x00800000;
inline constexpr fw::TColor kHoverInk = 0x00000080;

inline Look LookOfMark(std::uint32_t pixel) {
  if (pixel == Px(kNormalMark)) return Look::Normal;
  if (pixel == Px(kHoverMark)) return Look::Hover;
  if (pixel == Px(kPressedMark)) return Look::Pressed;
  return Look::Other;
}

// Looks differ in their fill.
template <class B>
struct FillKind {
  using Button = B;
  static void Distinguish(B& b) {
    b.SetCol(kNormalMark);
    b.ColorOver = kHoverMark;
    b.ColorDown = kPressedMark;
    b.ColorOverCaption = kHoverInk;
    b.Font()->SetColor(kFontInk);
  }
  static pf::Point MarkPixel(const B&) { return {2, 2}; }
};

struct EncartaKind : FillKind<bc::TEncartaButton> {};
struct SelKind : FillKind<bc::TSelButton> {};

// Looks differ in their border strips.
struct SquareKind {
  using Button = bc::TSquareButton;
  static void Distinguish(Button& b) {
    b.SetBorder(kNormalMark);
    b.ColorOverBorder = kHoverMark;
    b.DownBorderColor = kPressedMark;
    b.ColorOverCaption = kHoverInk;
    b.Font()->SetColor(kFontInk);
  }
  static pf::Point MarkPixel(const Button& b) { return {b.Width() - 1, b.Height() - 1}; }
};

}  // namespace qf::test
