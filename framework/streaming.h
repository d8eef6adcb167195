#pragma once
// Form descriptions: the readable text a form and its components are built from.
//
//   TMainForm MainForm {
//     Left = 407
//     Caption = "Main \"window\"\x85"
//     Color = clBtnFace
//     Font.Style = [fsBold, fsItalic]
//     OnDestroy = FormDestroy
//     Bitmap.Data = <
//       36000000424D...
//     >
//     TImage Image1 {
//       Left = -4
//     }
//   }
//
// An object is its class, its name (optional) and `{` on one line, then one property or nested
// object per line, then `}`. Values: decimal integers; `$` and up to eight hexadecimal digits
// for a 32-bit pattern; double-quoted strings with the escapes \" \\ \n \r \t and \xHH; an
// identifier (enumerations, True/False, colour and cursor names, method names of events); a
// set `[a, b]`; a byte block `< hex digits >` over any number of lines, or `file "art/x.bmp"`
// for a picture's byte block that the converter reads from that file (a JPEG, BMP or ICO file,
// relative to the description's folder), so that a person can edit the text. `#` starts a
// comment that runs to the end of the line.
//
// The executables carry the same description in a compact binary syntax (streaming_syntax.h),
// made from the text at build time. The reader takes either, told apart by the binary
// signature, with the same rules; its errors name a line in text and a byte offset in binary.
#include <optional>
#include <string>
#include <string_view>

#include "framework/classes.h"

namespace fw {

// The root's stored properties in declared order, then the components it owns, each nested in
// its parent component (GetParentComponent(), null meaning the root), in creation order.
// Raises EWriteError for what could not be read back.
String WriteComponent(const TComponent& root);

// The same in the binary syntax.
std::string WriteComponentBinary(const TComponent& root);

// Reads a description, text or binary, into `root`, whose class must be the header's class or
// derive from it. Nested objects are created with `root` as their owner. Raises EReadError
// "Line N: ..." ("Offset N: ..." in binary) for a broken description; the objects it created
// are then destroyed again.
void ReadComponent(std::string_view data, TComponent& root);

// Creates the top object through the class registry, owned by `owner`, and reads it.
TComponent* ReadNewComponent(std::string_view data, TComponent* owner);

// Converts a description, text or binary, to the given syntax without knowing its classes: text
// comes out as the writer writes it. Raises EReadError for a broken syntax.
// Packed is the binary syntax deflated, as the executables embed it.
// File references stay as they are in text. The binary syntax takes the files' bytes instead,
// read relative to `files_folder`; without a folder a file reference is an error.
enum class DescriptionSyntax { Text, Binary, Packed };
std::string ConvertDescription(std::string_view data, DescriptionSyntax to,
                               const std::optional<std::string>& files_folder = std::nullopt);

}  // namespace fw
