#include "framework/streaming_syntax.h"

namespace fw::streaming_detail {

std::unique_ptr<SyntaxSource> OpenSyntax(std::string_view data) {
  return IsBinaryDescription(data) ? NewBinarySource(data) : NewTextSource(data);
}

void FailAt(const SyntaxSource& source, long long pos, const String& what) {
  throw EReadError(source.Where(pos) + ": " + what);
}

String Describe(const SyntaxValue& value) {
  switch (value.kind) {
    case SyntaxValue::Kind::Ident: return "'" + value.text + "'";
    case SyntaxValue::Kind::Integer: return Format("the number %lld", value.number);
    case SyntaxValue::Kind::String: return "a string";
    case SyntaxValue::Kind::Bytes: return "a byte block";
    case SyntaxValue::Kind::File: return "a file reference";
    case SyntaxValue::Kind::Set: break;
  }
  return "a set";
}

namespace {

// What the sink cannot write is named at the value's position.
void CopyProperty(SyntaxSource& source, const String& name, SyntaxSink& sink) {
  const SyntaxValue value = source.NextValue(name);
  try {
    sink.Property(name, value);
  } catch (const EWriteError& e) {
    FailAt(source, value.pos, e.Message());
  }
}

}  // namespace

void CopyItems(SyntaxSource& source, SyntaxSink& sink) {
  for (;;) {
    SyntaxItem item = source.Next();
    switch (item.kind) {
      case SyntaxItem::Kind::Object: sink.BeginObject(item.class_name, item.name); break;
      case SyntaxItem::Kind::Property: CopyProperty(source, item.name, sink); break;
      case SyntaxItem::Kind::EndObject: sink.EndObject(); break;
      case SyntaxItem::Kind::End: return;
    }
  }
}

}  // namespace fw::streaming_detail
