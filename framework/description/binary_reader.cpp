// The binary syntax read as items (layout in binary_format.h), with a byte offset in every error;
// a packed description is unpacked first.
#include "framework/description/binary_reader.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "framework/description/binary_format.h"

namespace fw::syntax {
namespace {

// Deflate makes at most about 1032 bytes of one: a larger size is a lie, not a reason to allocate.
constexpr std::uint64_t kMostUnpackedPerPackedByte = 1040;
constexpr std::uint64_t kMostUnpacked = std::uint64_t{1} << 30;

// For Format's %llu, which every C runtime (unlike %zu) understands.
unsigned long long N(std::uint64_t n) { return n; }

struct Open {
  String class_name;
  String name;
  std::size_t pos;
};

class BinarySource : public SyntaxSource {
 public:
  explicit BinarySource(std::string_view data) : data_(data) {
    if (!data.starts_with(kBinarySignature))
      FailAt(*this, 0, "not a form description: bad signature");
    pos_ = kBinarySignature.size();
  }

  // The records of a packed description: its signature, their size and their deflated bytes.
  static std::string Unpack(std::string_view packed) {
    BinarySource header(packed, kPackedSignature.size());
    const std::uint64_t size = header.Varint("unpacked size");
    const std::string_view deflated = packed.substr(header.pos_);
    if (size >
        std::min<std::uint64_t>(deflated.size() * kMostUnpackedPerPackedByte, kMostUnpacked)) {
      header.Fail(kPackedSignature.size(),
                  Format("%llu bytes cannot unpack from %llu", N(size), N(deflated.size())));
    }
    std::string out(size, '\0');
    uLongf made = static_cast<uLongf>(size);
    uLong used = static_cast<uLong>(deflated.size());
    int rc = uncompress2(reinterpret_cast<Bytef*>(out.data()), &made,
                         reinterpret_cast<const Bytef*>(deflated.data()), &used);
    if (rc != Z_OK)
      header.Fail(header.pos_, Format("the packed data does not unpack (zlib error %d)", rc));
    if (made != size) {
      header.Fail(header.pos_,
                  Format("the packed data unpacks to %llu bytes, not %llu", N(made), N(size)));
    }
    if (used != deflated.size()) {
      header.Fail(header.pos_ + used,
                  Format("%llu bytes after the packed data", N(deflated.size() - used)));
    }
    return out;
  }

  SyntaxItem Next() override {
    const std::size_t at = pos_;
    const bool top = at == kBinarySignature.size();
    if (open_.empty() && !top) {
      if (at < data_.size()) {
        Fail(at,
             Format("%llu bytes of data after the end of the description", N(data_.size() - at)));
      }
      return SyntaxItem{SyntaxItem::Kind::End, {}, {}, static_cast<long long>(at)};
    }
    if (at == data_.size()) {
      if (top) Fail(at, "the data ends before the top object");
      const Open& o = open_.back();
      Fail(at, Format("the data ends before %s %s of offset %llu is closed", o.class_name.c_str(),
                      o.name.c_str(), N(o.pos)));
    }
    unsigned char tag = Byte();
    if (top && tag != kObject) Fail(at, Format("the top object expected, found tag $%02X", tag));
    switch (tag) {
      case kEndObject:
        open_.pop_back();
        return SyntaxItem{SyntaxItem::Kind::EndObject, {}, {}, static_cast<long long>(at)};
      case kObject: {
        Open o{Name("class name"), {}, at};
        o.name = Name("object name", true);
        open_.push_back(o);
        return SyntaxItem{SyntaxItem::Kind::Object, o.class_name, o.name,
                          static_cast<long long>(at)};
      }
      case kProperty:
        return SyntaxItem{
            SyntaxItem::Kind::Property, {}, Name("property name"), static_cast<long long>(at)};
      default:
        Fail(at,
             Format("unknown tag $%02X where an object, a property or the end of an object belongs",
                    tag));
    }
  }

  SyntaxValue NextValue(const String& property) override {
    SyntaxValue v;
    v.pos = static_cast<long long>(pos_);
    if (pos_ == data_.size()) Fail(pos_, "the data ends before the value of " + property);
    unsigned char tag = Byte();
    switch (tag) {
      case kIdent:
        v.kind = SyntaxValue::Kind::Ident;
        v.text = Name("name");
        break;
      case kInteger: v.number = Zigzag(Varint("integer")); break;
      case kPattern:
        v.hex = true;
        v.number = Pattern();
        break;
      case kString:
        v.kind = SyntaxValue::Kind::String;
        v.text = Str("string");
        break;
      case kBytes:
        v.kind = SyntaxValue::Kind::Bytes;
        v.text = Str("byte block");
        break;
      case kSet: {
        v.kind = SyntaxValue::Kind::Set;
        std::uint64_t count = Varint("set size");
        // Each name takes at least one byte: a larger count cannot be right.
        if (count > data_.size() - pos_) {
          Fail(v.pos, Format("a set of %llu names runs past the end of the data", N(count)));
        }
        for (std::uint64_t i = 0; i < count; ++i) v.names.push_back(Name("name in set"));
        break;
      }
      default: Fail(v.pos, Format("unknown tag $%02X for the value of %s", tag, property.c_str()));
    }
    return v;
  }

  String Where(long long pos) const override { return Format("Offset %lld", pos); }

 private:
  BinarySource(std::string_view data, std::size_t pos) : data_(data), pos_(pos) {}

  [[noreturn]] void Fail(std::size_t at, const String& what) const {
    FailAt(*this, static_cast<long long>(at), what);
  }

  unsigned char Byte() { return static_cast<unsigned char>(data_[pos_++]); }

  std::uint64_t Varint(const char* what) {
    const std::size_t at = pos_;
    std::uint64_t value = 0;
    for (int shift = 0;; shift += 7) {
      if (pos_ == data_.size()) Fail(at, Format("the data ends inside the %s", what));
      unsigned char b = Byte();
      if (shift == 63 && b > 1) Fail(at, Format("the %s does not fit in 64 bits", what));
      value |= static_cast<std::uint64_t>(b & 0x7F) << shift;
      if (!(b & 0x80)) return value;
    }
  }

  static long long Zigzag(std::uint64_t u) {
    return static_cast<long long>(u >> 1) ^ -static_cast<long long>(u & 1);
  }

  long long Pattern() {
    if (data_.size() - pos_ < 4) Fail(pos_, "the data ends inside a 32-bit pattern");
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(Byte()) << (8 * i);
    return static_cast<std::int32_t>(u);
  }

  String Str(const char* what) {
    const std::size_t at = pos_;
    std::uint64_t length = Varint(what);
    if (length > data_.size() - pos_) {
      Fail(at, Format("a %s of %llu bytes runs past the end of the data (%llu bytes left)", what,
                      N(length), N(data_.size() - pos_)));
    }
    String s(data_.substr(pos_, length));
    pos_ += length;
    return s;
  }

  // A name as the text syntax would have read it, so that every description converts to text.
  String Name(const char* what, bool may_be_empty = false) {
    const std::size_t at = pos_;
    String s = Str(what);
    if (!IsNameText(s) && !(may_be_empty && s.empty()))
      Fail(at, Format("the %s is not a name", what));
    return s;
  }

  std::string_view data_;
  std::size_t pos_ = 0;
  std::vector<Open> open_;
};

// A packed description: the records unpacked, kept for the source reading them.
struct UnpackedRecords {
  std::string records;
};

class PackedSource : private UnpackedRecords, public BinarySource {
 public:
  explicit PackedSource(std::string_view packed)
      : UnpackedRecords{Unpack(packed)}, BinarySource(records) {}
};

}  // namespace

bool IsBinaryDescription(std::string_view data) {
  return !data.empty() && data[0] == kBinarySignature[0];
}

std::unique_ptr<SyntaxSource> NewBinarySource(std::string_view data) {
  if (data.starts_with(kPackedSignature)) return std::make_unique<PackedSource>(data);
  return std::make_unique<BinarySource>(data);
}

}  // namespace fw::syntax
