#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/jpeg.h"
#include "framework/graphics/picture.h"
#include "jpeg_maker.h"

namespace fw {
namespace {

std::unique_ptr<TBitmap> Checker(int width, int height) {
  auto b = std::make_unique<TBitmap>(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if ((x + y) % 2) b->SetPixel(x, y, 0x00224466);
  return b;
}

std::string Jpeg() {
  return qf_test::MakeJpeg(9, 7, 3, [](int x, int y) { return static_cast<std::uint32_t>(x * 20 + y * 0x1500); });
}

TEST(TPicture, StoresABitmapAsNameThenBitmapData) {
  TPicture picture;
  picture.SetGraphic(Checker(184, 25));
  const std::string data = picture.SaveToData();
  ASSERT_EQ(data.size(), 1u + 7 + 13858);
  EXPECT_EQ(data.substr(0, 8), "\x07TBitmap");
  EXPECT_EQ(data.substr(8), BitmapToData(*Checker(184, 25)));

  TPicture back;
  back.LoadFromData(data);
  ASSERT_NE(dynamic_cast<TBitmap*>(back.Graphic()), nullptr);
  EXPECT_TRUE(back.Graphic()->Equals(*picture.Graphic()));
  EXPECT_EQ(back.SaveToData(), data);
}

TEST(TPicture, StoresAJpegAsNameLengthAndFile) {
  const std::string jpeg = Jpeg();
  auto image = std::make_unique<TJPEGImage>();
  image->LoadFromBytes(jpeg);
  TPicture picture;
  picture.SetGraphic(std::move(image));
  const std::string data = picture.SaveToData();
  EXPECT_EQ(data.substr(0, 11), "\x0ATJPEGImage");
  EXPECT_EQ(qf_test::GetU32(data, 11), jpeg.size());
  EXPECT_EQ(data.substr(15), jpeg);

  TPicture back;
  back.LoadFromData(data);
  auto* loaded = dynamic_cast<TJPEGImage*>(back.Graphic());
  ASSERT_NE(loaded, nullptr);
  EXPECT_FALSE(loaded->IsDecoded());
  EXPECT_EQ(back.Width(), 9);
  EXPECT_EQ(back.Height(), 7);
  EXPECT_TRUE(loaded->Equals(*picture.Graphic()));
}

TEST(TPicture, EmptyPictureStoresNothing) {
  TPicture picture;
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.SaveToData(), "");
  picture.SetGraphic(std::make_unique<TBitmap>());
  EXPECT_EQ(picture.SaveToData(), "");
  picture.SetGraphic(Checker(2, 2));
  picture.LoadFromData("");
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.Graphic(), nullptr);
}

template <typename Action>
std::string GraphicError(Action action) {
  try {
    action();
  } catch (const EInvalidGraphic& e) {
    return e.what();
  }
  return "(no EInvalidGraphic raised)";
}

TEST(TPicture, BadDataIsRefusedAndTheOldPictureStays) {
  TPicture picture;
  picture.SetGraphic(Checker(3, 3));
  const std::string bitmap_data = picture.SaveToData();
  EXPECT_EQ(GraphicError([&] { picture.LoadFromData("\x09TGIFImage\x01\0\0\0x"); }),
            "Unknown picture format TGIFImage");
  EXPECT_EQ(GraphicError([&] { picture.LoadFromData("\x09TBitm"); }), "Picture data is not valid");
  EXPECT_EQ(GraphicError([&] { picture.LoadFromData(bitmap_data.substr(0, bitmap_data.size() - 1)); }),
            "Bitmap image is not valid");
  EXPECT_EQ(GraphicError([&] { picture.LoadFromData(std::string("\x0ATJPEGImage\x05\0\0\0abc", 18)); }),
            "Picture data is not valid");
  EXPECT_THROW(picture.LoadFromData(std::string("\x0ATJPEGImage\x03\0\0\0abc", 18)), EJPEG);
  EXPECT_EQ(picture.SaveToData(), bitmap_data);
}

TEST(TPicture, AssignMakesAnIndependentCopy) {
  TPicture source;
  source.SetGraphic(Checker(4, 4));
  TPicture target;
  int changes = 0;
  target.OnChange = [&] { ++changes; };
  target.Assign(&source);
  EXPECT_EQ(changes, 1);
  ASSERT_NE(target.Graphic(), source.Graphic());
  EXPECT_TRUE(target.Graphic()->Equals(*source.Graphic()));
  static_cast<TBitmap*>(source.Graphic())->SetPixel(0, 0, 0x00FF0000);
  EXPECT_FALSE(target.Graphic()->Equals(*source.Graphic()));
  target.Assign(nullptr);
  EXPECT_TRUE(target.Empty());
  EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace fw
