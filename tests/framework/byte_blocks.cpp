#include "tests/framework/byte_blocks.h"

#include <vector>

#include "framework/description/syntax.h"

namespace qft {

std::map<std::string, std::string> ByteBlocks(std::string_view description) {
  using fw::syntax::SyntaxItem;
  using fw::syntax::SyntaxValue;
  auto source = fw::syntax::OpenSyntax(description);
  std::map<std::string, std::string> blocks;
  std::vector<std::string> path;
  for (SyntaxItem item = source->Next(); item.kind != SyntaxItem::Kind::End; item = source->Next()) {
    if (item.kind == SyntaxItem::Kind::Object) {
      path.push_back((path.empty() ? "" : path.back() + "/") + item.name);
    } else if (item.kind == SyntaxItem::Kind::EndObject) {
      path.pop_back();
    } else if (SyntaxValue v = source->NextValue(item.name); v.kind == SyntaxValue::Kind::Bytes) {
      blocks[path.back() + ":" + item.name] = v.text;
    }
  }
  return blocks;
}

}  // namespace qft
