// Converting descriptions between their syntaxes, and packing the binary one: what the build's
// converter needs and a program that only reads descriptions does not.
#include <zlib.h>

#include "framework/streaming.h"
#include "framework/streaming_syntax.h"

namespace fw {
namespace streaming_detail {

std::string Pack(std::string_view records) {
  std::string out(kPackedSignature);
  AppendVarint(out, records.size());
  uLongf size = compressBound(static_cast<uLong>(records.size()));
  std::string deflated(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(deflated.data()), &size, reinterpret_cast<const Bytef*>(records.data()),
                static_cast<uLong>(records.size()), Z_BEST_COMPRESSION) != Z_OK) {
    throw EOutOfResources("cannot pack the description");
  }
  return out.append(deflated, 0, size);
}

}  // namespace streaming_detail

std::string ConvertDescription(std::string_view data, DescriptionSyntax to,
                               const std::optional<std::string>& files_folder) {
  using namespace streaming_detail;
  const bool text = to == DescriptionSyntax::Text;
  auto sink = text ? NewTextSink() : NewBinarySink();
  auto source = OpenSyntax(data);
  if (!text && files_folder) source = ResolveFiles(std::move(source), *files_folder);
  CopyItems(*source, *sink);
  return to == DescriptionSyntax::Packed ? Pack(sink->Take()) : sink->Take();
}

}  // namespace fw
