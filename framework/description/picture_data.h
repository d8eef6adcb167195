#pragma once
// How a picture property keeps its bytes in a form description; the one place that says so.
//
//   a bitmap (Glyph.Data, Bitmap.Data ...)  u32le length, then a Windows bitmap file
//   a picture (Picture.Data)                u8 length, the graphic's class name ("TBitmap",
//                                           "TJPEGImage"), u32le length, then the graphic's file
//   an icon (Icon.Data)                     the icon file itself
//
// An empty picture keeps no bytes. The converter wraps the files a text description names in the
// same way (file_references.h), so that the binary form equals what the writer writes.
#include <string>
#include <string_view>

namespace fw::picture_data {

inline constexpr char kBitmapClass[] = "TBitmap";
inline constexpr char kJpegClass[] = "TJPEGImage";

// A picture file's kind, by its signature.
enum class FileKind { Unknown, Jpeg, Bmp, Ico };
FileKind KindOf(std::string_view file);

// A file after its 4-byte little-endian length. Raises Exception "is too large for a byte block"
// for a file that does not fit.
std::string LengthPrefixed(std::string_view file);
// The file that follows the length; raises EInvalidGraphic with `invalid_message` unless the
// length agrees with what follows.
std::string_view WithoutLength(std::string_view data, const char* invalid_message);

// A picture's bytes for a graphic of that class holding `file`.
std::string PictureData(std::string_view class_name, std::string_view file);
// A picture's bytes taken apart: the graphic's class name, then its length-prefixed file. Raises
// EInvalidGraphic "Picture data is not valid" when the name runs past the end.
struct PictureParts {
  std::string_view class_name;
  std::string_view graphic_data;
};
PictureParts SplitPictureData(std::string_view data);

}  // namespace fw::picture_data
