#pragma once
// The text syntax of form descriptions, read as items (syntax.h):
//
//   TMainForm MainForm {
//     Left = 407
//     Caption = "Main \"window\"\x85"
//     Color = clBtnFace
//     Font.Style = [fsBold, fsItalic]
//     OnDestroy = FormDestroy
//     Bitmap.Data = <
//       36000000424D...
//     >
//     TImage Image1 {
//       Left = -4
//     }
//   }
//
// An object is its class, its name (optional) and `{` on one line, then one property or nested
// object per line, then `}`. Values: decimal integers; `$` and up to eight hexadecimal digits
// for a 32-bit pattern; double-quoted strings with the escapes \" \\ \n \r \t and \xHH; an
// identifier (enumerations, True/False, colour and cursor names, method names of events); a
// set `[a, b]`; a byte block `< hex digits >` over any number of lines, or `file "art/x.bmp"`
// for a picture's byte block that the converter reads from that file (a JPEG, BMP or ICO file,
// relative to the description's folder), so that a person can edit the text. `#` starts a
// comment that runs to the end of the line. Errors name the line.
#include <memory>
#include <string_view>

#include "framework/description/syntax.h"

namespace fw::syntax {

std::unique_ptr<SyntaxSource> NewTextSource(std::string_view text);

// Bytes [begin, end) of a text.
struct TextSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// The text source telling where each item lies in the text, for tools that edit a description
// in place (text_document.h).
class TextItemSource : public SyntaxSource {
 public:
  // The bytes of what Next() or NextValue() gave last, from its first token to its last: an
  // object's header (class, name, '{'), a property's name and '=', an object's '}', a value
  // (`file "x"`, a set, a byte block over its lines).
  virtual TextSpan Taken() const = 0;
};
std::unique_ptr<TextItemSource> NewTextItemSource(std::string_view text);

// A value written alone, as after a property's '=' (`393`, `[fsBold]`, `file "art/x.bmp"`), and
// the span of its tokens in `text` (without the blanks and a comment around them). Raises
// EReadError with the text reader's words, naming no line.
struct TextValue {
  SyntaxValue value;
  TextSpan span;
};
TextValue ParseValueText(std::string_view text, const String& property);

}  // namespace fw::syntax

namespace fw {

// Lets this program read descriptions in the text syntax too, wherever it reads them
// (ReadComponent, a form's ReadDescription): a choice of the program that wants it, made once
// before it reads. The tests, the gallery and the fuzz target make it (the
// converter reads text on its own); the launcher, which embeds only binary descriptions, does
// not, and links no text front end.
void AcceptTextDescriptions();

}  // namespace fw
