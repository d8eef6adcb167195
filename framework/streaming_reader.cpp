// Reads form descriptions; the format is described in streaming.h.
#include <climits>
#include <memory>
#include <set>

#include "framework/controls_cursor.h"
#include "framework/graphics.h"
#include "framework/streaming.h"
#include "framework/streaming_lexer.h"

namespace fw {
namespace {

using namespace streaming_detail;

struct Header {
  String class_name;
  String name;
  int line = 0;
};

// A property's value as written: one token, or the names of a set.
struct Value {
  const Token* token = nullptr;  // null for a set
  IdentSet set;
  int line = 0;
};

// Runs a framework call made for the line, prefixing what it raises with the line.
template <class F>
void AtLine(int line, F&& call) {
  try {
    call();
  } catch (const EClassNotFound& e) {
    throw EClassNotFound(Format("Line %d: %s", line, e.Message().c_str()));
  } catch (const Exception& e) {
    Fail(line, e.Message());
  }
}

void MarkLoading(TComponent& c, bool on) {
  c.SetState(ComponentState::Loading, on);
  c.SetState(ComponentState::Reading, on);
}

String PropertyOf(const PropInfo& p, const TComponent& obj) { return p.name + " of " + obj.ClassName(); }

class Reader {
 public:
  explicit Reader(std::string_view text) : tokens_(Tokenize(text)) {}

  Header ReadHeader() {
    const Token& cls = Take();
    if (cls.kind != TokenKind::Ident) Fail(cls.line, "class name expected, found " + Describe(cls));
    Header h{cls.text, {}, cls.line};
    if (Peek().kind == TokenKind::Ident && Peek().line == h.line) h.name = Take().text;
    const Token& brace = Take();
    if (brace.kind != TokenKind::LBrace || brace.line != h.line) {
      Fail(h.line, "'{' expected at the end of the line that begins " + h.class_name);
    }
    last_line_ = h.line;
    return h;
  }

  // Reads the rest of the description into `root`; on failure destroys what it created.
  void ReadRoot(TComponent& root, const Header& header) {
    root_ = &root;
    MarkLoading(root, true);
    read_.push_back({&root, header.line});
    try {
      if (!header.name.empty()) AtLine(header.line, [&] { root.SetName(header.name); });
      ReadBody(root, header);
      const Token& rest = Peek();
      if (rest.kind != TokenKind::End) Fail(rest.line, "unexpected " + Describe(rest) + " after the end of the description");
      Finish(header);
    } catch (...) {
      Abandon();
      throw;
    }
  }

 private:
  const Token& Peek(std::size_t ahead = 0) const {
    return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)];
  }
  const Token& Take() {
    const Token& t = Peek();
    if (pos_ + 1 < tokens_.size()) ++pos_;
    return t;
  }

  void ReadBody(TComponent& obj, const Header& header) {
    std::set<String> seen;
    for (;;) {
      const Token& t = Peek();
      if (t.kind == TokenKind::RBrace) {
        last_line_ = Take().line;
        return;
      }
      if (t.kind == TokenKind::End) {
        Fail(t.line, Format("'}' missing: %s %s of line %d is not closed", header.class_name.c_str(),
                            header.name.c_str(), header.line));
      }
      if (t.line == last_line_) Fail(t.line, "unexpected " + Describe(t) + ": one property or object per line");
      if (t.kind != TokenKind::Ident) Fail(t.line, "property or object expected, found " + Describe(t));
      TokenKind after = Peek(1).kind;
      if (after == TokenKind::Equals) {
        ReadProperty(obj, seen);
      } else if (after == TokenKind::Ident || after == TokenKind::LBrace) {
        ReadChild(obj);
      } else {
        Fail(t.line, "'=' or '{' expected after " + Describe(t) + ", found " + Describe(Peek(1)));
      }
    }
  }

  void ReadChild(TComponent& parent) {
    Header h = ReadHeader();
    const ClassInfo* cls = nullptr;
    AtLine(h.line, [&] { cls = &GetClass(h.class_name); });
    if (!cls->create) Fail(h.line, "objects of class " + h.class_name + " cannot be created");
    TComponent* child = nullptr;
    AtLine(h.line, [&] { child = cls->create(root_); });
    created_.push_back(child);
    read_.push_back({child, h.line});
    MarkLoading(*child, true);
    if (!h.name.empty()) AtLine(h.line, [&] { child->SetName(h.name); });
    AtLine(h.line, [&] { child->SetParentComponent(&parent); });
    ReadBody(*child, h);
  }

  void ReadProperty(TComponent& obj, std::set<String>& seen) {
    const Token& name = Take();
    const Token& equals = Take();
    const PropInfo* p = name.text == "Name" ? nullptr : obj.Class().FindProperty(name.text);
    if (!p) Fail(name.line, "unknown property '" + name.text + "' of " + obj.ClassName());
    if (!seen.insert(p->name).second) Fail(name.line, "property " + PropertyOf(*p, obj) + " given twice");
    Value v = ReadValue(equals, *p);
    last_line_ = v.token ? v.token->end_line : v.line;
    if (p->type == PropType::Event) {
      String method = IdentifierOf(v, *p, obj);
      if (!p->bind) Fail(name.line, "event " + PropertyOf(*p, obj) + " cannot be set");
      AtLine(v.line, [&] { p->bind(obj, *root_, method); });
      return;
    }
    PropValue value = Convert(v, *p, obj);
    if (!p->set) Fail(name.line, "property " + PropertyOf(*p, obj) + " cannot be set");
    AtLine(v.line, [&] { p->set(obj, value); });
  }

  Value ReadValue(const Token& equals, const PropInfo& p) {
    const Token& first = Take();
    if (first.line != equals.line || first.kind == TokenKind::End) {
      Fail(equals.line, "value of " + p.name + " expected after '='");
    }
    Value v;
    v.line = first.line;
    if (first.kind != TokenKind::LBracket) {
      if (first.kind != TokenKind::Integer && first.kind != TokenKind::String &&
          first.kind != TokenKind::Ident && first.kind != TokenKind::Bytes) {
        Fail(first.line, "value of " + p.name + " expected, found " + Describe(first));
      }
      v.token = &first;
      return v;
    }
    ReadSet(v);
    return v;
  }

  void ReadSet(Value& v) {
    if (Peek().kind == TokenKind::RBracket) {
      v.line = Take().line;
      return;
    }
    for (;;) {
      const Token& element = Take();
      if (element.kind != TokenKind::Ident) Fail(element.line, "name expected in set, found " + Describe(element));
      v.set.names.push_back(element.text);
      const Token& next = Take();
      v.line = next.line;
      if (next.kind == TokenKind::RBracket) return;
      if (next.kind != TokenKind::Comma) Fail(next.line, "',' or ']' expected in set, found " + Describe(next));
    }
  }

  [[noreturn]] void WrongType(const Value& v, const PropInfo& p, const TComponent& obj, const char* wanted) {
    String found = v.token ? Describe(*v.token) : String("a set");
    Fail(v.line, PropertyOf(p, obj) + " needs " + wanted + ", not " + found);
  }

  const String& IdentifierOf(const Value& v, const PropInfo& p, const TComponent& obj) {
    if (!v.token || v.token->kind != TokenKind::Ident) WrongType(v, p, obj, "a name");
    return v.token->text;
  }

  long long Int32Of(const Value& v, const PropInfo& p, const TComponent& obj) {
    long long n = v.token->number;
    if (n < INT_MIN || n > INT_MAX) Fail(v.line, Format("%lld is out of range for ", n) + PropertyOf(p, obj));
    return n;
  }

  bool IsKind(const Value& v, TokenKind kind) const { return v.token && v.token->kind == kind; }

  PropValue Convert(const Value& v, const PropInfo& p, const TComponent& obj) {
    switch (p.type) {
      case PropType::Integer:
        if (!IsKind(v, TokenKind::Integer)) WrongType(v, p, obj, "an integer");
        return Int32Of(v, p, obj);
      case PropType::Boolean: {
        const String& name = IdentifierOf(v, p, obj);
        if (name != "True" && name != "False") WrongType(v, p, obj, "True or False");
        return name == "True";
      }
      case PropType::String:
        if (!IsKind(v, TokenKind::String)) WrongType(v, p, obj, "a string");
        return v.token->text;
      case PropType::Bytes:
        if (!IsKind(v, TokenKind::Bytes)) WrongType(v, p, obj, "a byte block");
        return Bytes{v.token->text};
      case PropType::Set:
        return SetOf(v, p, obj);
      case PropType::Color:
      case PropType::Cursor:
        if (IsKind(v, TokenKind::Integer)) return Int32Of(v, p, obj);
        return NamedValue(v, p, obj);
      default:
        return NamedValue(v, p, obj);
    }
  }

  bool KnownName(const PropInfo& p, const String& name) const {
    TColor color = 0;
    switch (p.type) {
      case PropType::Color: return name.starts_with("cl") && StringToColor(name, &color);
      case PropType::Cursor: return CursorFromName(name).has_value();
      default: return !p.names || p.names->ValueOf(name).has_value();
    }
  }

  PropValue NamedValue(const Value& v, const PropInfo& p, const TComponent& obj) {
    const String& name = IdentifierOf(v, p, obj);
    if (!KnownName(p, name)) Fail(v.line, "unknown value '" + name + "' for " + PropertyOf(p, obj));
    return Ident{name};
  }

  PropValue SetOf(const Value& v, const PropInfo& p, const TComponent& obj) {
    if (v.token) WrongType(v, p, obj, "a set");
    std::set<String> seen;
    for (const String& name : v.set.names) {
      if (!KnownName(p, name)) Fail(v.line, "unknown value '" + name + "' for " + PropertyOf(p, obj));
      if (!seen.insert(name).second) Fail(v.line, "'" + name + "' twice in the set for " + PropertyOf(p, obj));
    }
    return v.set;
  }

  void Finish(const Header& header) {
    for (auto& [c, line] : read_) c->SetState(ComponentState::Reading, false);
    for (auto& [c, line] : read_) AtLine(line, [c = c] { c->Loaded(); });
    for (auto& [c, line] : read_) c->SetState(ComponentState::Loading, false);
    AtLine(header.line, [&] { root_->BindFields(); });
  }

  // Destroys what the read created, children before the objects they are nested in.
  void Abandon() {
    root_->UnbindFields();
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) delete *it;
    MarkLoading(*root_, false);
  }

  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
  int last_line_ = 0;  // the line the previous item ended on
  TComponent* root_ = nullptr;
  std::vector<TComponent*> created_;
  std::vector<std::pair<TComponent*, int>> read_;  // with the lines of their headers, root first
};

bool ClassIsOrDerivesFrom(const ClassInfo& cls, const String& name) {
  for (const ClassInfo* c = &cls; c; c = c->parent) {
    if (c->name == name) return true;
  }
  return false;
}

}  // namespace

void ReadComponent(std::string_view text, TComponent& root) {
  Reader reader(text);
  Header header = reader.ReadHeader();
  if (!ClassIsOrDerivesFrom(root.Class(), header.class_name)) {
    Fail(header.line, "a " + root.ClassName() + " cannot be read from a description of " + header.class_name);
  }
  reader.ReadRoot(root, header);
}

TComponent* ReadNewComponent(std::string_view text, TComponent* owner) {
  Reader reader(text);
  Header header = reader.ReadHeader();
  const ClassInfo* cls = nullptr;
  AtLine(header.line, [&] { cls = &GetClass(header.class_name); });
  if (!cls->create) Fail(header.line, "objects of class " + header.class_name + " cannot be created");
  std::unique_ptr<TComponent> root;
  AtLine(header.line, [&] { root.reset(cls->create(owner)); });
  reader.ReadRoot(*root, header);
  return root.release();
}

}  // namespace fw
