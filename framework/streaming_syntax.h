#pragma once
// The two syntaxes of a form description, reduced to one stream of items that the reader's
// semantics (streaming_reader.cpp) and the converter consume, and written back from that stream.
//
// The text syntax is described in streaming.h. The binary syntax carries the same items:
//
//   description := signature object                       (nothing after it)
//   signature   := 89 'Q' 'F' 'B'
//   object      := 01 name:str class-name name:str object-name item* 00
//   item        := object | 02 str property-name value
//   value       := 10 str identifier | 11 varint zigzag-integer | 12 u32le $-pattern
//                | 13 str string | 14 str bytes | 15 varint count str*count set
//   str         := varint length, then that many bytes;  varint := unsigned LEB128
//
// What the executables embed is packed: 89 'Q' 'F' 'Z', the size of the binary description as a
// varint, then that description deflated (a zlib stream). Offsets in the errors of a packed
// description are those of the unpacked one (what `qf_formconv --to-binary` gives).
//
// Both syntaxes are read without the class registry, so converting is purely syntactic:
// text the writer wrote gives the same text back after a trip through the binary form.
//
// Only the text syntax has file references (`Picture.Data = file "art/background.jpg"`): the
// binary one has no record for them, so a description an executable embeds holds every byte. The
// converter replaces them by the files' bytes (ResolveFiles); the reader refuses them.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/sysutils.h"

namespace fw::streaming_detail {

// A property's value as written.
struct SyntaxValue {
  enum class Kind { Ident, Integer, String, Bytes, Set, File };
  Kind kind = Kind::Integer;
  bool hex = false;          // an integer written as a `$` pattern
  long long number = 0;      // integers; `$` patterns sign-extended from 32 bits
  String text;               // identifier, string contents, the bytes of a block or a file's path
  std::vector<String> names; // the names of a set
  long long pos = 0;         // where the value is (see Where)
};

struct SyntaxItem {
  enum class Kind { Object, Property, EndObject, End };
  Kind kind = Kind::End;
  String class_name;  // objects
  String name;        // the object's (possibly empty) or the property's name
  long long pos = 0;
};

// One syntax's reader. It checks the structure (nesting, the end of the data) and raises
// EReadError prefixed with Where(position) for what is broken.
class SyntaxSource {
 public:
  virtual ~SyntaxSource() = default;
  // The next object, property, end of object, or (once the top object is closed) the end.
  virtual SyntaxItem Next() = 0;
  // The value of the property that Next() has just given.
  virtual SyntaxValue NextValue(const String& property) = 0;
  // "Line 3" or "Offset 1047": how messages name a position of this syntax.
  virtual String Where(long long pos) const = 0;
};

// The binary syntax (packed or not) when `data` starts as its signatures do, else the text syntax.
std::unique_ptr<SyntaxSource> OpenSyntax(std::string_view data);
bool IsBinaryDescription(std::string_view data);

// Raises EReadError "<where>: what".
[[noreturn]] void FailAt(const SyntaxSource& source, long long pos, const String& what);

// How an error message names a value: 'Left', the number 5, a string, a byte block, a set.
String Describe(const SyntaxValue& value);

// One syntax's writer; the items come in the order the reader gives them.
class SyntaxSink {
 public:
  virtual ~SyntaxSink() = default;
  virtual void BeginObject(const String& class_name, const String& name) = 0;
  virtual void Property(const String& name, const SyntaxValue& value) = 0;
  virtual void EndObject() = 0;
  virtual std::string Take() = 0;
};

std::unique_ptr<SyntaxSink> NewTextSink();
std::unique_ptr<SyntaxSink> NewBinarySink();
std::unique_ptr<SyntaxSource> NewTextSource(std::string_view text);
std::unique_ptr<SyntaxSource> NewBinarySource(std::string_view data);

// Reads every item of `source` into `sink`.
void CopyItems(SyntaxSource& source, SyntaxSink& sink);

// `source` with every file reference read (relative to `folder`, the current one when empty)
// into the byte block its property stores: streaming_files.cpp. A path that is absolute, has a
// `..` folder or a backslash, a file that cannot be read, and a content the property cannot
// hold raise EReadError at the reference's position.
std::unique_ptr<SyntaxSource> ResolveFiles(std::unique_ptr<SyntaxSource> source, std::string folder);
// Why a file reference's path is refused (absolute, a `..` folder, a backslash, empty), or null:
// a reference stays below the description's folder and reads the same on every system.
const char* FilePathProblem(std::string_view path);
// The folder a description's references start from (empty: the current one), and a path in it.
std::string FolderOf(const std::string& description_path);
std::string PathIn(const std::string& folder, const std::string& relative);
// The byte block a `.Data` property holds for a file's content (a JPEG, BMP or ICO file): a
// Picture.Data names its graphic's class, then the graphic's length-prefixed file; a bitmap's is
// the length-prefixed file; an icon's is the file itself. Raises Exception "is ..." otherwise.
std::string WrapFile(const String& property, std::string_view content);

// The packed form of binary records (in streaming_convert.cpp with the converter, so that a
// program that only reads never links the deflate code).
inline constexpr std::string_view kPackedSignature = "\x89QFZ";
std::string Pack(std::string_view records);
void AppendVarint(std::string& out, std::uint64_t u);

// Identifiers; and what the text syntax reads as one name, which may be dotted (Font.Style).
bool IsIdentifierText(std::string_view text);
bool IsNameText(std::string_view text);

}  // namespace fw::streaming_detail
