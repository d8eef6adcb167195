#pragma once
// File references in the text syntax (`Picture.Data = file "art/background.jpg"`), read in by the
// converter: the binary syntax has no record for them.
#include <memory>
#include <string>
#include <string_view>

#include "framework/description/syntax.h"

namespace fw::syntax {

// `source` with every file reference read (relative to `folder`, the current one when empty)
// into the byte block its property stores. A path that is absolute, has a `..` folder or a
// backslash, a file that cannot be read, and a content the property cannot hold raise EReadError
// at the reference's position.
std::unique_ptr<SyntaxSource> ResolveFiles(std::unique_ptr<SyntaxSource> source,
                                           std::string folder);
// A file reference of `property` (a value of kind File; any other stays as it is) made the byte
// block it stands for, the file read relative to `folder` as ResolveFiles reads it. Raises
// EReadError with ResolveFiles' words, naming no position, and leaves `value` as it was.
void ReadFileReference(const String& property, SyntaxValue& value, const std::string& folder);
// Why a file reference's path is refused (absolute, a `..` folder, a backslash, empty), or null:
// a reference stays below the description's folder and reads the same on every system.
const char* FilePathProblem(std::string_view path);
// The folder a description's references start from (empty: the current one), and a path in it.
std::string FolderOf(const std::string& description_path);
std::string PathIn(const std::string& folder, const std::string& relative);
// The byte block a `.Data` property holds for a file's content (a JPEG, BMP or ICO file), laid
// out as picture_data.h says: a Picture.Data holds a JPEG or a BMP, another property a BMP or an
// ICO. Raises Exception "is ..." otherwise.
std::string WrapFile(const String& property, std::string_view content);

}  // namespace fw::syntax
