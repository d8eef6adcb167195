// A text description edited in place. The syntax puts each property and header first on its line
// and lets a '}' follow a value or a '{' on theirs; edits keep every item first on its line, and
// move such a '}' to a line of its own when lines must go before it.
#include "framework/description_tools/text_document.h"

#include <algorithm>

namespace fw {
namespace {

using syntax::SyntaxItem;
constexpr std::size_t kNone = std::string::npos;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::size_t LineStart(std::string_view text, std::size_t pos) {
  const std::size_t lf = pos == 0 ? kNone : text.rfind('\n', pos - 1);
  return lf == kNone ? 0 : lf + 1;
}

// Just after the line break that ends pos's line; the end of the text on a last line without one.
std::size_t NextLineStart(std::string_view text, std::size_t pos) {
  const std::size_t lf = text.find('\n', pos);
  return lf == kNone ? text.size() : lf + 1;
}

// Where a token follows `pos` on its line; kNone when only blanks and a comment do.
std::size_t TokenAfterOnLine(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  if (pos == text.size() || text[pos] == '\n' || text[pos] == '#') return kNone;
  return pos;
}

// Every line of `text` with its indentation `from` made `to` (an empty line stays empty) and
// ended by `line_break`.
std::string Reindented(std::string_view text, std::string_view from, std::string_view to,
                       std::string_view line_break) {
  std::string out;
  for (std::size_t begin = 0; begin < text.size();) {
    const std::size_t end = NextLineStart(text, begin);
    std::string_view line = text.substr(begin, end - begin);
    begin = end;
    if (line.ends_with('\n')) line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.starts_with(from)) line.remove_prefix(from.size());
    if (!line.empty()) out.append(to).append(line);
    out.append(line_break);
  }
  return out;
}

}  // namespace

TextDocument::TextDocument(std::string text) : text_(std::move(text)) {
  const std::size_t lf = text_.find('\n');
  line_break_ = lf != kNone && lf > 0 && text_[lf - 1] == '\r' ? "\r\n" : "\n";
  Parse();
}

void TextDocument::Parse() {
  const std::unique_ptr<syntax::TextItemSource> source = syntax::NewTextItemSource(text_);
  std::vector<std::size_t> open;
  for (;;) {
    const SyntaxItem item = source->Next();
    switch (item.kind) {
      case SyntaxItem::Kind::Object: AddObject(*source, item, open); break;
      case SyntaxItem::Kind::Property: AddProperty(*source, item, objects_[open.back()]); break;
      case SyntaxItem::Kind::EndObject:
        objects_[open.back()].close = source->Taken();
        open.pop_back();
        break;
      case SyntaxItem::Kind::End: return;
    }
  }
}

// Nested objects are components of the top one, whose names the reader keeps apart.
void TextDocument::AddObject(const syntax::TextItemSource& source, const SyntaxItem& item,
                             std::vector<std::size_t>& open) {
  TextObject o;
  o.class_name = item.class_name;
  o.name = item.name;
  o.header = source.Taken();
  if (!open.empty()) {
    const bool taken = std::any_of(objects_.begin() + 1, objects_.end(),
                                   [&](const TextObject& other) { return other.name == o.name; });
    if (!o.name.empty() && taken)
      syntax::FailAt(source, item.pos, "A component named " + o.name + " already exists");
    o.parent = open.back();
    objects_[open.back()].children.push_back(objects_.size());
  }
  open.push_back(objects_.size());
  objects_.push_back(std::move(o));
}

void TextDocument::AddProperty(syntax::TextItemSource& source, const SyntaxItem& item,
                               TextObject& object) {
  for (const TextProperty& p : object.properties) {
    if (p.name == item.name) {
      syntax::FailAt(source, item.pos,
                     "property " + p.name + " of " + object.class_name + " given twice");
    }
  }
  TextProperty p;
  p.name = item.name;
  p.name_begin = source.Taken().begin;
  source.NextValue(item.name);
  p.value = source.Taken();
  object.properties.push_back(std::move(p));
}

std::optional<std::size_t> TextDocument::Find(const String& name) const {
  for (std::size_t i = 0; i < objects_.size() && !name.empty(); ++i) {
    if (objects_[i].name == name) return i;
  }
  return std::nullopt;
}

const TextObject& TextDocument::At(std::size_t object) const {
  if (object >= objects_.size())
    throw EInvalidOperation("no object " + std::to_string(object) + " in the description");
  return objects_[object];
}

const TextProperty* TextDocument::FindProperty(std::size_t object, const String& property) const {
  for (const TextProperty& p : At(object).properties) {
    if (p.name == property) return &p;
  }
  return nullptr;
}

String TextDocument::IndentAt(std::size_t begin) const {
  const std::size_t line = LineStart(text_, begin);
  return text_.substr(line, begin - line);
}

String TextDocument::PropertyIndent(std::size_t object) const {
  const TextObject& o = At(object);
  if (!o.properties.empty()) return IndentAt(o.properties.front().name_begin);
  if (!o.children.empty()) return IndentAt(objects_[o.children.front()].header.begin);
  return IndentAt(o.header.begin) + "  ";
}

std::optional<std::string> TextDocument::ValueText(std::size_t object,
                                                   const String& property) const {
  const TextProperty* p = FindProperty(object, property);
  if (!p) return std::nullopt;
  return text_.substr(p->value.begin, p->value.end - p->value.begin);
}

void TextDocument::SetValueText(std::size_t object, const String& property, std::string_view value,
                                const std::vector<String>& order) {
  At(object);
  if (!syntax::IsNameText(property))
    throw EInvalidOperation("'" + property + "' is not a property name");
  const syntax::TextSpan span = syntax::ParseValueText(value, property).span;
  std::string written =
      Reindented(value.substr(span.begin, span.end - span.begin), {}, {}, line_break_);
  written.resize(written.size() - line_break_.size());
  if (const TextProperty* p = FindProperty(object, property))
    return Replace(p->value.begin, p->value.end, written);
  const std::string line = PropertyIndent(object) + property + " = " + written + line_break_;
  InsertProperty(object, property, line, order);
}

// Where the text writer, which writes properties in `order`, would have written it.
void TextDocument::InsertProperty(std::size_t object, const String& property,
                                  const std::string& line, const std::vector<String>& order) {
  const auto rank = [&](const String& name) {
    return static_cast<std::size_t>(std::find(order.begin(), order.end(), name) - order.begin());
  };
  const std::size_t mine = rank(property);
  const std::vector<TextProperty>& present = objects_[object].properties;
  const TextProperty* after = nullptr;
  const TextProperty* before = nullptr;
  for (const TextProperty& p : present) {
    const std::size_t r = rank(p.name);
    if (r < mine && (!after || r > rank(after->name))) after = &p;
    if (r > mine && (!before || r < rank(before->name))) before = &p;
  }
  if (mine == order.size() && !present.empty()) after = &present.back();
  if (after) return InsertLinesAfter(after->value.end, line, object);
  if (before) return InsertLinesBefore(before->name_begin, line, {});
  InsertLinesAfter(objects_[object].header.end, line, object);
}

bool TextDocument::RemoveProperty(std::size_t object, const String& property) {
  const TextProperty* p = FindProperty(object, property);
  if (!p) return false;
  RemoveLines(p->name_begin, p->value.end, object);
  return true;
}

std::size_t TextDocument::InsertObject(std::string_view description, std::size_t parent) {
  return InsertBlock(description, At(parent).close.begin, PropertyIndent(parent),
                     HeaderIndent(parent));
}

std::size_t TextDocument::InsertObjectBefore(std::string_view description, std::size_t sibling) {
  if (!At(sibling).parent) throw EInvalidOperation("nothing comes before the top object");
  const String indent = HeaderIndent(sibling);
  return InsertBlock(description, objects_[sibling].header.begin, indent, indent);
}

// The new object's header comes right after those before `before`: its index is their number.
std::size_t TextDocument::InsertBlock(std::string_view description, std::size_t before,
                                      const String& indent, const String& before_indent) {
  const TextDocument added{std::string(description)};
  CheckNamesFree(added);
  const auto index = static_cast<std::size_t>(
      std::count_if(objects_.begin(), objects_.end(),
                    [&](const TextObject& o) { return o.header.begin < before; }));
  InsertLinesBefore(before, Reindented(added.text_, added.HeaderIndent(0), indent, line_break_),
                    before_indent);
  return index;
}

void TextDocument::CheckNamesFree(const TextDocument& added) const {
  for (const TextObject& o : added.objects_) {
    if (Find(o.name)) throw EInvalidOperation("A component named " + o.name + " already exists");
  }
}

void TextDocument::RemoveObject(std::size_t object) {
  const TextObject& o = At(object);
  if (!o.parent) throw EInvalidOperation("the top object of a description cannot be removed");
  RemoveLines(o.header.begin, o.close.end, *o.parent);
}

void TextDocument::Rename(std::size_t object, const String& name) {
  const TextObject& o = At(object);
  if (name == o.name) return;
  if (!syntax::IsIdentifierText(name))
    throw EInvalidOperation("'" + name + "' is not a valid component name");
  if (Find(name)) throw EInvalidOperation("A component named " + name + " already exists");
  std::size_t at = o.header.begin + o.class_name.size();
  if (o.name.empty()) return Replace(at, at, " " + name);
  while (IsBlank(text_[at])) ++at;  // only blanks part the class from the name
  Replace(at, at + o.name.size(), name);
}

std::string TextDocument::ObjectText(std::size_t object) const {
  const TextObject& o = At(object);
  const std::size_t begin = LineStart(text_, o.header.begin);
  const bool alone = TokenAfterOnLine(text_, o.close.end) == kNone;
  const std::size_t end = alone ? NextLineStart(text_, o.close.end) : o.close.end;
  return Reindented(std::string_view(text_).substr(begin, end - begin), IndentAt(o.header.begin),
                    {}, line_break_);
}

void TextDocument::Replace(std::size_t begin, std::size_t end, std::string_view with) {
  std::string text = text_.substr(0, begin);
  text.append(with).append(text_, end);
  *this = TextDocument(std::move(text));
}

// `item` is first on its line, or a '}' after a value or a '{', which then moves to a line of
// its own after the new ones, at `item_indent`.
void TextDocument::InsertLinesBefore(std::size_t item, const std::string& lines,
                                     const String& item_indent) {
  const std::size_t line = LineStart(text_, item);
  std::size_t cut = item;
  while (cut > line && IsBlank(text_[cut - 1])) --cut;
  if (cut == line) return Replace(line, line, lines);
  Replace(cut, item, line_break_ + lines + item_indent);
}

// After a value or a header's '{' of `object` comes a line break, or that object's '}'.
void TextDocument::InsertLinesAfter(std::size_t end, const std::string& lines, std::size_t object) {
  const std::size_t next = TokenAfterOnLine(text_, end);
  if (next != kNone) return InsertLinesBefore(next, lines, HeaderIndent(object));
  const std::size_t at = NextLineStart(text_, end);
  Replace(at, at, lines);
}

// The lines from `begin`'s to `end`'s; a '}' of `owner` after `end` stays, at the owner's indent.
void TextDocument::RemoveLines(std::size_t begin, std::size_t end, std::size_t owner) {
  const std::size_t line = LineStart(text_, begin);
  const std::size_t next = TokenAfterOnLine(text_, end);
  if (next == kNone) return Replace(line, NextLineStart(text_, end), {});
  Replace(line, next, HeaderIndent(owner));
}

}  // namespace fw
