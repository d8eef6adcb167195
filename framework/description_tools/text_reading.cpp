#include "framework/description_tools/text_reading.h"

#include "framework/description/reader.h"
#include "framework/description_tools/file_references.h"
#include "framework/description_tools/text_parser.h"

namespace fw {

void ReadTextComponent(std::string_view text, const std::string& folder, TComponent& root) {
  ReadComponent(*syntax::ResolveFiles(syntax::NewTextSource(text), folder), root);
}

void SetPropertyText(TComponent& obj, TComponent& root, const String& property,
                     std::string_view text, const std::string& folder) {
  syntax::SyntaxValue value = syntax::ParseValueText(text, property).value;
  syntax::ReadFileReference(property, value, folder);
  ReadProperty(obj, root, property, std::move(value));
}

}  // namespace fw
