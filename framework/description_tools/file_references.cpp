// Byte blocks that name a file (`Picture.Data = file "art/background.jpg"`): the converter reads
// the file and stores its bytes as the property's own data would hold them (picture_data.h), so
// that the binary form equals what the writer writes for the same picture.
#include "framework/description_tools/file_references.h"

#include "framework/description/picture_data.h"

namespace fw::syntax {
namespace {

using picture_data::FileKind;

bool IsPictureProperty(std::string_view property) {
  return property == "Picture.Data" || property.ends_with(".Picture.Data");
}

class ResolvingSource : public SyntaxSource {
 public:
  ResolvingSource(std::unique_ptr<SyntaxSource> source, std::string folder)
      : source_(std::move(source)), folder_(std::move(folder)) {}

  SyntaxItem Next() override { return source_->Next(); }

  SyntaxValue NextValue(const String& property) override {
    SyntaxValue v = source_->NextValue(property);
    try {
      ReadFileReference(property, v, folder_);
    } catch (const EReadError& e) {
      FailAt(*this, v.pos, e.Message());
    }
    return v;
  }

  String Where(long long pos) const override { return source_->Where(pos); }

 private:
  std::unique_ptr<SyntaxSource> source_;
  std::string folder_;
};

}  // namespace

const char* FilePathProblem(std::string_view path) {
  if (path.empty()) return "is empty";
  if (path.find('\\') != std::string_view::npos)
    return "has a backslash: separate folders with '/'";
  if (path[0] == '/' || path.find(':') != std::string_view::npos) {
    return "is absolute: name the file relative to the description's folder";
  }
  for (std::size_t start = 0;;) {
    const std::size_t slash = path.find('/', start);
    if (path.substr(start, slash - start) == "..") return "leaves the description's folder ('..')";
    if (slash == std::string_view::npos) return nullptr;
    start = slash + 1;
  }
}

// A path as Windows writes it (D:\forms\main.form) has its folder before the last backslash.
std::string FolderOf(const std::string& description_path) {
  const std::size_t slash = description_path.find_last_of("/\\");
  if (slash == std::string::npos) return {};
  return description_path.substr(0, slash == 0 ? 1 : slash);
}

std::string PathIn(const std::string& folder, const std::string& relative) {
  return folder.empty() ? relative : folder + "/" + relative;
}

std::string WrapFile(const String& property, std::string_view content) {
  const FileKind kind = picture_data::KindOf(content);
  if (kind == FileKind::Unknown) throw Exception("is not a JPEG, BMP or ICO file");
  if (IsPictureProperty(property)) {
    if (kind == FileKind::Ico)
      throw Exception("is an icon, which a picture cannot hold (a JPEG or BMP can)");
    const char* graphic =
        kind == FileKind::Jpeg ? picture_data::kJpegClass : picture_data::kBitmapClass;
    return picture_data::PictureData(graphic, content);
  }
  if (kind == FileKind::Jpeg) throw Exception("is a JPEG, which only a Picture.Data can hold");
  return kind == FileKind::Bmp ? picture_data::LengthPrefixed(content) : std::string(content);
}

void ReadFileReference(const String& property, SyntaxValue& value, const std::string& folder) {
  if (value.kind != SyntaxValue::Kind::File) return;
  if (!property.ends_with(".Data"))
    throw EReadError(property + " cannot name a file: only a picture's .Data property can");
  const String named = property + " names the file " + value.text + ", which ";
  if (const char* problem = FilePathProblem(value.text)) throw EReadError(named + problem);
  const std::string path = PathIn(folder, value.text);
  const std::optional<std::string> content = ReadFileBytes(path);
  if (!content) throw EReadError(named + "cannot be read (looked for " + path + ")");
  try {
    value.text = WrapFile(property, *content);
  } catch (const Exception& e) {
    throw EReadError(named + e.Message());
  }
  value.kind = SyntaxValue::Kind::Bytes;
}

std::unique_ptr<SyntaxSource> ResolveFiles(std::unique_ptr<SyntaxSource> source,
                                           std::string folder) {
  return std::make_unique<ResolvingSource>(std::move(source), std::move(folder));
}

}  // namespace fw::syntax
