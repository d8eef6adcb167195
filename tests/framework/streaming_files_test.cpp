// Byte blocks that name a file: text keeps the reference, the converter reads the file into the
// block as the framework itself stores that kind of picture, and whatever cannot be resolved is
// refused at its line; no reference reaches the binary syntax or the reader.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "framework/controls/forms.h"
#include "framework/description/reader.h"
#include "framework/description_tools/binary_writer.h"
#include "framework/description_tools/converter.h"
#include "framework/description_tools/text_parser.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/jpeg.h"
#include "framework/graphics/picture.h"
#include "tests/framework/byte_blocks.h"
#include "tests/framework/jpeg_maker.h"
#include "tests/framework/streaming_components.h"

namespace qft {
namespace {
using namespace fw;
namespace fs = std::filesystem;

// `Property = file "path"` on line 3.
String Naming(const String& property, const String& path) {
  return "TTestForm F {\n  TWidget W {\n    " + property + " = file \"" + path + "\"\n  }\n}\n";
}

std::string TinyBmp() {
  TBitmap b(2, 1);
  b.SetPixel(0, 0, 0x00112233);
  return b.SaveToBytes();
}

std::string TinyJpeg() {
  return qf_test::MakeJpeg(3, 2, 3, [](int x, int y) { return static_cast<std::uint32_t>(x * 0x400000 + y * 0x80); });
}

// A 1 x 1 icon file: the bitmap's header and pixels at twice its height, then the mask.
std::string TinyIco() {
  TBitmap b(1, 1);
  std::string dib = b.SaveToBytes().substr(14);
  dib[8] = 2;
  dib += std::string(4, '\0');
  std::string file("\0\0\1\0\1\0" "\1\1\0\0\1\0\x18\0", 14);
  for (std::uint32_t v : {static_cast<std::uint32_t>(dib.size()), 22u}) {
    for (int i = 0; i < 4; ++i) file += static_cast<char>(v >> (8 * i));
  }
  return file + dib;
}

class FileReferences : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / (String("qf_files_") + test->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "art");
    for (const auto& [name, bytes] : {std::pair<const char*, std::string>{"p.bmp", TinyBmp()},
                                      {"p.jpg", TinyJpeg()},
                                      {"p.ico", TinyIco()},
                                      {"p.txt", "hello"},
                                      {"empty", ""}}) {
      ASSERT_TRUE(WriteFileBytes((dir_ / "art" / name).string(), bytes));
    }
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Folder() const { return dir_.string(); }
  std::string Art(const char* name) const { return *ReadFileBytes((dir_ / "art" / name).string()); }
  // The byte block that the converter makes of `property = file "art/name"`.
  std::string Converted(const String& property, const char* name) const {
    const String text = Naming(property, String("art/") + name);
    const std::string binary = ConvertDescription(text, DescriptionSyntax::Binary, Folder());
    return ByteBlocks(binary).at("F/W:" + property);
  }

  fs::path dir_;
};

TEST_F(FileReferences, TextKeepsThemAndTheWordFileAloneStaysAName) {
  const String text = Naming("Picture.Data", "art/no such \\\"file\\\".jpg");
  for (const std::optional<std::string>& folder : {std::optional<std::string>(), std::optional(Folder())}) {
    EXPECT_EQ(ConvertDescription(text, DescriptionSyntax::Text, folder), text);
  }
  auto source = syntax::NewTextSource(text);
  source->Next();
  source->Next();
  ASSERT_EQ(source->Next().name, "Picture.Data");
  const syntax::SyntaxValue v = source->NextValue("Picture.Data");
  EXPECT_EQ(v.kind, syntax::SyntaxValue::Kind::File);
  EXPECT_EQ(v.text, "art/no such \"file\".jpg");
  EXPECT_EQ(v.pos, 3);

  const String name = "TTestForm F {\n  OnCreate = file\n}\n";
  EXPECT_EQ(ConvertDescription(ConvertDescription(name, DescriptionSyntax::Binary), DescriptionSyntax::Text), name);
  EXPECT_THROW(ConvertDescription("TTestForm F {\n  Caption = file\n  \"x\"\n}\n", DescriptionSyntax::Text), EReadError);
}

TEST_F(FileReferences, NeitherTheBinarySyntaxNorTheReaderTakesThem) {
  const String text = Naming("Picture.Data", "art/p.jpg");
  try {
    ConvertDescription(text, DescriptionSyntax::Packed);
    ADD_FAILURE() << "a file reference was packed without a folder to read it from";
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Line 3: Picture.Data names the file art/p.jpg, which the binary syntax cannot refer to: "
                           "convert with the files' folder to read it in");
  }
  syntax::SyntaxValue file;
  file.kind = syntax::SyntaxValue::Kind::File;
  EXPECT_THROW(syntax::NewBinarySink()->Property("Picture.Data", file), EWriteError);

  const int live = g_live;
  {
    TTestForm form(nullptr);
    try {
      ReadComponent(text, form);
      ADD_FAILURE() << "the reader took a file reference";
    } catch (const EReadError& e) {
      EXPECT_STREQ(e.what(), "Line 3: Picture.Data names the file art/p.jpg; a description with file references "
                             "must be converted (qf_formconv) before it is read");
    }
    EXPECT_EQ(form.ComponentCount(), 0);
  }
  EXPECT_EQ(g_live, live);
}

TEST_F(FileReferences, EachKindIsStoredAsTheFrameworkStoresThatPicture) {
  TPicture jpeg;
  jpeg.SetGraphic(std::make_unique<TJPEGImage>());
  jpeg.Graphic()->LoadFromBytes(Art("p.jpg"));
  EXPECT_EQ(Converted("Picture.Data", "p.jpg"), jpeg.SaveToData());

  TBitmap bitmap;
  bitmap.LoadFromBytes(Art("p.bmp"));
  TPicture picture;
  picture.SetGraphic(bitmap.Clone());
  EXPECT_EQ(Converted("Picture.Data", "p.bmp"), picture.SaveToData());
  EXPECT_EQ(Converted("Bitmap.Data", "p.bmp"), BitmapToData(bitmap));

  EXPECT_EQ(Converted("Icon.Data", "p.ico"), Art("p.ico"));
  TIcon icon;
  icon.LoadFromBytes(Converted("Icon.Data", "p.ico"));
  EXPECT_EQ(icon.Width(), 1);

  // What the reader then makes of it is the picture itself.
  TPicture read;
  read.LoadFromData(Converted("Picture.Data", "p.jpg"));
  EXPECT_TRUE(read.Graphic()->Equals(*jpeg.Graphic()));
}

struct Unresolvable {
  const char* property;
  const char* path;
  const char* says;
};

void PrintTo(const Unresolvable& u, std::ostream* os) { *os << u.property << " = file " << u.path; }

const Unresolvable kUnresolvable[] = {
    {"Picture.Data", "/etc/p.jpg", "which is absolute"},
    {"Picture.Data", "C:/art/p.jpg", "which is absolute"},
    {"Picture.Data", "art/../art/p.jpg", "which leaves the description's folder ('..')"},
    {"Picture.Data", "..", "which leaves the description's folder ('..')"},
    {"Picture.Data", "art\\\\p.jpg", "which has a backslash"},
    {"Picture.Data", "", "which is empty"},
    {"Picture.Data", "art/none.jpg", "which cannot be read (looked for "},
    {"Picture.Data", "art", "which cannot be read"},
    {"Picture.Data", "art/p.txt", "which is not a JPEG, BMP or ICO file"},
    {"Bitmap.Data", "art/empty", "which is not a JPEG, BMP or ICO file"},
    {"Bitmap.Data", "art/p.jpg", "which is a JPEG, which only a Picture.Data can hold"},
    {"Picture.Data", "art/p.ico", "which is an icon, which a picture cannot hold"},
    {"Caption", "art/p.bmp", "Caption cannot name a file: only a picture's .Data property can"},
};

class UnresolvableReference : public FileReferences, public ::testing::WithParamInterface<Unresolvable> {};

TEST_P(UnresolvableReference, IsRefusedAtItsLine) {
  const Unresolvable& u = GetParam();
  try {
    ConvertDescription(Naming(u.property, u.path), DescriptionSyntax::Packed, Folder());
    ADD_FAILURE() << "converted";
  } catch (const EReadError& e) {
    const String message = e.what();
    EXPECT_TRUE(message.starts_with("Line 3: ")) << message;
    EXPECT_NE(message.find(u.says), String::npos) << message;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, UnresolvableReference, ::testing::ValuesIn(kUnresolvable));

}  // namespace
}  // namespace qft
