// Cuts the plain button pictures out of the decoded background, so that a button at rest matches
// the background behind it pixel for pixel. The places come from the form description itself:
// each object whose Bitmap.Data names a file gets the piece of the background under its Left,
// Top, Width and Height, written to that file. The background is the picture that the one
// Picture.Data reference names, placed at its own object's Left and Top; the buttons are taken
// to share its parent.
//
//   qf_cut_button_pictures <form description>
//
// Run through resources/regenerate.sh; the pictures are committed.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "framework/description_tools/file_references.h"
#include "framework/description_tools/text_parser.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/jpeg.h"
#include "framework/graphics/picture.h"

namespace {

using fw::syntax::SyntaxItem;
using fw::syntax::SyntaxValue;

// What the description says of one object.
struct Placed {
  std::string name;
  std::optional<int> left, top, width, height;
  std::string bitmap_file;   // its Bitmap.Data reference
  std::string picture_file;  // its Picture.Data reference
};

struct Layout {
  std::vector<Placed> buttons;
  std::optional<Placed> background;
};

[[noreturn]] void Fail(const std::string& what) { throw fw::Exception(what); }

void Note(Placed& object, const std::string& property, const SyntaxValue& v) {
  std::optional<int>* bound = property == "Left"    ? &object.left
                              : property == "Top"   ? &object.top
                              : property == "Width" ? &object.width
                              : property == "Height" ? &object.height
                                                     : nullptr;
  if (bound && v.kind == SyntaxValue::Kind::Integer) {
    // The reader's own limits for a control's bounds.
    if (v.number < -32768 || v.number > 32767) Fail(object.name + ": " + property + " is out of range");
    *bound = static_cast<int>(v.number);
  }
  if (v.kind != SyntaxValue::Kind::File) return;
  if (const char* problem = fw::syntax::FilePathProblem(v.text)) {
    Fail(object.name + ": the path " + v.text + " " + problem);
  }
  if (property == "Bitmap.Data") object.bitmap_file = v.text;
  if (property == "Picture.Data") object.picture_file = v.text;
}

void Finish(const Placed& object, Layout& layout) {
  if (!object.picture_file.empty()) {
    if (layout.background) Fail("two backgrounds: " + layout.background->name + " and " + object.name);
    layout.background = object;
  }
  if (object.bitmap_file.empty()) return;
  if (!object.left || !object.top || !object.width || !object.height) {
    Fail(object.name + " names its picture's file but not all of Left, Top, Width and Height");
  }
  layout.buttons.push_back(object);
}

Layout ReadLayout(std::string_view text) {
  auto source = fw::syntax::NewTextSource(text);
  Layout layout;
  std::vector<Placed> open;
  for (;;) {
    const SyntaxItem item = source->Next();
    switch (item.kind) {
      case SyntaxItem::Kind::Object: open.emplace_back().name = item.name; break;
      case SyntaxItem::Kind::Property: Note(open.back(), item.name, source->NextValue(item.name)); break;
      case SyntaxItem::Kind::EndObject:
        Finish(open.back(), layout);
        open.pop_back();
        break;
      case SyntaxItem::Kind::End:
        if (!layout.background) Fail("no Picture.Data names the background's file");
        return layout;
    }
  }
}

std::string Read(const std::string& path) {
  std::optional<std::string> bytes = fw::ReadFileBytes(path);
  if (!bytes) Fail("cannot read " + path);
  return *bytes;
}

fw::TBitmap Decoded(const std::string& path) {
  fw::TPicture picture;
  picture.LoadFromData(fw::syntax::WrapFile("Picture.Data", Read(path)));
  if (const auto* jpeg = dynamic_cast<const fw::TJPEGImage*>(picture.Graphic())) return jpeg->Decoded();
  return *static_cast<const fw::TBitmap*>(picture.Graphic());
}

fw::TBitmap Cut(const fw::TBitmap& from, int left, int top, const Placed& b) {
  if (*b.width <= 0 || *b.height <= 0) Fail(b.name + " has no area to cut");
  if (left < 0 || top < 0 || left + *b.width > from.Width() || top + *b.height > from.Height()) {
    Fail(b.name + " does not lie on the background");
  }
  fw::TBitmap piece(*b.width, *b.height);
  for (int y = 0; y < *b.height; ++y) {
    for (int x = 0; x < *b.width; ++x) piece.SetPixel(x, y, from.Pixel(left + x, top + y));
  }
  return piece;
}

void CutPictures(const std::string& form_path) {
  const Layout layout = ReadLayout(Read(form_path));
  const std::string folder = fw::syntax::FolderOf(form_path);
  const Placed& image = *layout.background;
  const fw::TBitmap background = Decoded(fw::syntax::PathIn(folder, image.picture_file));
  // All of them first: a button off the background leaves every picture as it was.
  std::vector<fw::TBitmap> pieces;
  for (const Placed& b : layout.buttons) {
    pieces.push_back(Cut(background, *b.left - image.left.value_or(0), *b.top - image.top.value_or(0), b));
  }
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const Placed& b = layout.buttons[i];
    pieces[i].SaveToFile(fw::syntax::PathIn(folder, b.bitmap_file));
    std::printf("%s: %s\n", b.name.c_str(), b.bitmap_file.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qf_cut_button_pictures <form description>\n");
    return 2;
  }
  try {
    CutPictures(argv[1]);
  } catch (const fw::Exception& e) {
    std::fprintf(stderr, "qf_cut_button_pictures: %s: %s\n", argv[1], e.Message().c_str());
    return 1;
  }
  return 0;
}
