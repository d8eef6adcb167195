#pragma once
// A form description in the text syntax kept as its bytes, for a designer that edits it in place:
// each change replaces only the bytes it concerns, so the comments, blank lines, order and layout
// of everything else stay as written, and a text opened and taken back unchanged is the same
// bytes. A value: copies are snapshots (an undo keeps them).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/description_tools/text_parser.h"

namespace fw {

struct TextProperty {
  String name;
  std::size_t name_begin = 0;  // its line holds nothing before the name but blanks
  syntax::TextSpan value;      // as written; a set or a byte block may run over lines
};

struct TextObject {
  String class_name;
  String name;  // empty for an object without one
  std::optional<std::size_t> parent;
  std::vector<std::size_t> children;
  std::vector<TextProperty> properties;  // in the order written
  syntax::TextSpan header;               // from the class name to '{'; first on its line
  syntax::TextSpan close;                // its '}'
};

class TextDocument {
 public:
  // Raises EReadError "Line N: ..." with the text reader's words: for a broken text, a property
  // given twice, and a name that two nested objects have.
  explicit TextDocument(std::string text);

  const std::string& Text() const { return text_; }

  // The objects in the order of their headers, the top one first. An object's index here is its
  // handle until the next change. The reader creates components in this order, so the object at
  // index n > 0 is the root's Components(n - 1) after a read, named or not.
  const std::vector<TextObject>& Objects() const { return objects_; }
  // The first object of that name in that order; nothing for none.
  std::optional<std::size_t> Find(const String& name) const;

  // What new lines end with: "\r\n" when the first line ends so, else "\n".
  const String& LineBreak() const { return line_break_; }
  // The indentation of an object's property lines (and of new ones): that of its present
  // properties, else of its children's headers, else its header's and two spaces.
  String PropertyIndent(std::size_t object) const;

  // A property's value as written; nothing when the object has none.
  std::optional<std::string> ValueText(std::size_t object, const String& property) const;
  // Sets a property's value, written as after its '=' (`393`, `file "art/x.bmp"`, a byte block
  // laid out for PropertyIndent); the blanks and a comment around it are left off, line breaks
  // made the text's. A present value's bytes are replaced and nothing else. A new property gets a
  // line where the text writer would put it given `order`, the class's property names in
  // declared order: after the present one that comes last before it in that order, else before
  // the first that comes after it, else right after the header (a property not in the order
  // after the last present one). Raises EReadError for a value that does not parse.
  void SetValueText(std::size_t object, const String& property, std::string_view value,
                    const std::vector<String>& order);
  // Removes a property's line(s); false when the object has none.
  bool RemoveProperty(std::size_t object, const String& property);

  // Inserts a description whose top object is the new one (as the writer writes it, say; its
  // comments come along) as the last child of `parent`, or before the object `sibling`,
  // re-indented to its place; gives the new object's index. Raises EReadError for a text that
  // does not read, EInvalidOperation for a name another object has.
  std::size_t InsertObject(std::string_view description, std::size_t parent);
  std::size_t InsertObjectBefore(std::string_view description, std::size_t sibling);
  // Removes an object's lines, from its header's to its '}', with all nested in it. The top
  // object cannot be removed.
  void RemoveObject(std::size_t object);
  // Changes the name in an object's header. Raises EInvalidOperation for a name that is not an
  // identifier or that another object has.
  void Rename(std::size_t object, const String& name);
  // An object's lines, from its header's to its '}', less the header's indentation: the
  // description of that object alone (what a copied control puts on the clipboard).
  std::string ObjectText(std::size_t object) const;

 private:
  void Parse();
  void AddObject(const syntax::TextItemSource& source, const syntax::SyntaxItem& item,
                 std::vector<std::size_t>& open);
  void AddProperty(syntax::TextItemSource& source, const syntax::SyntaxItem& item,
                   TextObject& object);

  const TextObject& At(std::size_t object) const;
  const TextProperty* FindProperty(std::size_t object, const String& property) const;
  void CheckNamesFree(const TextDocument& added) const;
  String IndentAt(std::size_t begin) const;
  String HeaderIndent(std::size_t object) const { return IndentAt(At(object).header.begin); }

  // Each edit makes the new text and reads it again: the document is left as it was when that
  // raises, and always knows where its items are.
  void Replace(std::size_t begin, std::size_t end, std::string_view with);
  void InsertLinesBefore(std::size_t item, const std::string& lines, const String& item_indent);
  void InsertLinesAfter(std::size_t end, const std::string& lines, std::size_t object);
  void InsertProperty(std::size_t object, const String& property, const std::string& line,
                      const std::vector<String>& order);
  void RemoveLines(std::size_t begin, std::size_t end, std::size_t owner);
  std::size_t InsertBlock(std::string_view description, std::size_t before, const String& indent,
                          const String& before_indent);

  std::string text_;
  String line_break_;
  std::vector<TextObject> objects_;
};

}  // namespace fw
