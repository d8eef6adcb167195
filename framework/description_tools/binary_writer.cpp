// The binary syntax written from items (layout in binary_format.h), and packed.
#include "framework/description_tools/binary_writer.h"

#include <zlib.h>

#include <cstdint>

#include "framework/description/binary_format.h"

namespace fw::syntax {
namespace {

void AppendVarint(std::string& out, std::uint64_t u) {
  for (; u >= 0x80; u >>= 7) out += static_cast<char>(u | 0x80);
  out += static_cast<char>(u);
}

class BinarySink : public SyntaxSink {
 public:
  BinarySink() : out_(kBinarySignature) {}

  void BeginObject(const String& class_name, const String& name) override {
    out_ += static_cast<char>(kObject);
    Str(class_name);
    Str(name);
  }
  void Property(const String& name, const SyntaxValue& v) override {
    out_ += static_cast<char>(kProperty);
    Str(name);
    switch (v.kind) {
      case SyntaxValue::Kind::Ident: return Tagged(kIdent, v.text);
      case SyntaxValue::Kind::String: return Tagged(kString, v.text);
      case SyntaxValue::Kind::Bytes: return Tagged(kBytes, v.text);
      case SyntaxValue::Kind::Integer: return Integer(v);
      case SyntaxValue::Kind::File:
        // An executable must never embed a reference to a file it does not carry.
        throw EWriteError(name + " names the file " + v.text +
                          ", which the binary syntax cannot refer to: convert with the files' "
                          "folder to read it in");
      case SyntaxValue::Kind::Set:
        out_ += static_cast<char>(kSet);
        Varint(v.names.size());
        for (const String& n : v.names) Str(n);
        return;
    }
  }
  void EndObject() override { out_ += static_cast<char>(kEndObject); }
  std::string Take() override { return std::move(out_); }

 private:
  void Varint(std::uint64_t u) { AppendVarint(out_, u); }
  void Str(const String& s) {
    Varint(s.size());
    out_ += s;
  }
  void Tagged(BinaryTag tag, const String& s) {
    out_ += static_cast<char>(tag);
    Str(s);
  }
  void Integer(const SyntaxValue& v) {
    if (!v.hex) {
      out_ += static_cast<char>(kInteger);
      auto u = static_cast<std::uint64_t>(v.number);
      return Varint(u << 1 ^ (v.number < 0 ? ~std::uint64_t{0} : 0));
    }
    out_ += static_cast<char>(kPattern);
    auto u = static_cast<std::uint32_t>(v.number);
    for (int i = 0; i < 4; ++i) out_ += static_cast<char>(u >> (8 * i));
  }

  std::string out_;
};

}  // namespace

std::unique_ptr<SyntaxSink> NewBinarySink() { return std::make_unique<BinarySink>(); }

std::string Pack(std::string_view records) {
  std::string out(kPackedSignature);
  AppendVarint(out, records.size());
  uLongf size = compressBound(static_cast<uLong>(records.size()));
  std::string deflated(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(deflated.data()), &size,
                reinterpret_cast<const Bytef*>(records.data()), static_cast<uLong>(records.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    throw EOutOfResources("cannot pack the description");
  }
  return out.append(deflated, 0, size);
}

}  // namespace fw::syntax
