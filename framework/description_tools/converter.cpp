// Converting descriptions between their syntaxes, and packing the binary one: what the build's
// converter needs and a program that only reads descriptions does not.
#include "framework/description_tools/converter.h"

#include <set>

#include "framework/description/binary_reader.h"
#include "framework/description_tools/binary_writer.h"
#include "framework/description_tools/file_references.h"
#include "framework/description_tools/text_parser.h"
#include "framework/description_tools/text_writer.h"

namespace fw {
namespace {

using namespace syntax;

std::unique_ptr<SyntaxSource> OpenEitherSyntax(std::string_view data) {
  return IsBinaryDescription(data) ? NewBinarySource(data) : NewTextSource(data);
}

// What the sink cannot write is named at the value's position.
void CopyProperty(SyntaxSource& source, const String& name, SyntaxSink& sink) {
  const SyntaxValue value = source.NextValue(name);
  try {
    sink.Property(name, value);
  } catch (const EWriteError& e) {
    FailAt(source, value.pos, e.Message());
  }
}

// Reads every item of `source` into `sink`.
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

}  // namespace

std::string ConvertDescription(std::string_view data, DescriptionSyntax to,
                               const std::optional<std::string>& files_folder) {
  const bool text = to == DescriptionSyntax::Text;
  auto sink = text ? NewTextSink() : NewBinarySink();
  auto source = OpenEitherSyntax(data);
  if (!text && files_folder) source = ResolveFiles(std::move(source), *files_folder);
  CopyItems(*source, *sink);
  return to == DescriptionSyntax::Packed ? Pack(sink->Take()) : sink->Take();
}

std::vector<std::string> DescriptionClasses(std::string_view data) {
  auto source = OpenEitherSyntax(data);
  std::set<std::string> classes;
  for (SyntaxItem item = source->Next(); item.kind != SyntaxItem::Kind::End;
       item = source->Next()) {
    if (item.kind == SyntaxItem::Kind::Object) classes.insert(item.class_name);
    if (item.kind == SyntaxItem::Kind::Property) source->NextValue(item.name);
  }
  return {classes.begin(), classes.end()};
}

}  // namespace fw
