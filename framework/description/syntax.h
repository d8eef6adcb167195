#pragma once
// A form description as one stream of items, whichever syntax it comes in: what the reader's
// semantics (reader.h) and the converter (converter.h) consume, and what the writers write from.
//
// The text syntax (text_parser.h) is the one people read and edit; the binary syntax
// (binary_format.h), made from the text at build time, is what the executables carry. Both are
// read without the class registry, so converting is purely syntactic: text the writer wrote gives
// the same text back after a trip through the binary form.
//
// Only the text syntax has file references (`Picture.Data = file "art/background.jpg"`): the
// binary one has no record for them, so a description an executable embeds holds every byte. The
// converter replaces them by the files' bytes (file_references.h); the reader refuses them.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/objects/sysutils.h"

namespace fw::syntax {

// A property's value as written.
struct SyntaxValue {
  enum class Kind { Ident, Integer, String, Bytes, Set, File };
  Kind kind = Kind::Integer;
  bool hex = false;           // an integer written as a `$` pattern
  long long number = 0;       // integers; `$` patterns sign-extended from 32 bits
  String text;                // identifier, string contents, the bytes of a block or a file's path
  std::vector<String> names;  // the names of a set
  long long pos = 0;          // where the value is (see Where)
};

struct SyntaxItem {
  enum class Kind { Object, Property, EndObject, End };
  Kind kind = Kind::End;
  String class_name;  // objects
  String name;        // the object's (possibly empty) or the property's name
  long long pos = 0;
};

// One syntax's reader. It checks the structure (nesting, the end of the data) and raises
// EReadError prefixed with Where(position) for what is broken.
class SyntaxSource {
 public:
  virtual ~SyntaxSource() = default;
  // The next object, property, end of object, or (once the top object is closed) the end.
  virtual SyntaxItem Next() = 0;
  // The value of the property that Next() has just given.
  virtual SyntaxValue NextValue(const String& property) = 0;
  // "Line 3" or "Offset 1047": how messages name a position of this syntax.
  virtual String Where(long long pos) const = 0;
};

// One syntax's writer; the items come in the order a source gives them.
class SyntaxSink {
 public:
  virtual ~SyntaxSink() = default;
  virtual void BeginObject(const String& class_name, const String& name) = 0;
  virtual void Property(const String& name, const SyntaxValue& value) = 0;
  virtual void EndObject() = 0;
  virtual std::string Take() = 0;
};

// The source of a description in the syntaxes this program reads: the binary syntax (packed or
// not) when `data` starts as its signatures do; anything else is text, read through the text
// front end when the program has one (fw::AcceptTextDescriptions, text_parser.h), else refused
// with EReadError "Offset 0: not a binary form description, ...". The launcher embeds only binary
// descriptions and carries no text front end.
std::unique_ptr<SyntaxSource> OpenSyntax(std::string_view data);

// What OpenSyntax reads text with; null, the start, for none.
using TextFrontEnd = std::unique_ptr<SyntaxSource> (*)(std::string_view text);
void SetTextFrontEnd(TextFrontEnd front_end);

// Raises EReadError "<where>: what".
[[noreturn]] void FailAt(const SyntaxSource& source, long long pos, const String& what);

// How an error message names a value: 'Left', the number 5, a string, a byte block, a set.
String Describe(const SyntaxValue& value);

// The characters of an identifier: a letter or '_' first, then letters, digits and '_'.
bool IsIdentifierStart(char c);
bool IsIdentifierChar(char c);
// Identifiers; and what the text syntax reads as one name, which may be dotted (Font.Style).
bool IsIdentifierText(std::string_view text);
bool IsNameText(std::string_view text);

}  // namespace fw::syntax
