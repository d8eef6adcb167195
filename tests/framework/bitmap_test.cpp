#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "bmp_builder.h"
#include "fakes.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/jpeg.h"

namespace fw {
namespace {

// A picture whose every pixel differs: blue = x, green = y, red = 0x40.
TBitmap Gradient(int width, int height) {
  TBitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.SetPixel(x, y, 0x40u | (static_cast<unsigned>(y) << 8) | (static_cast<unsigned>(x) << 16));
  return b;
}

TEST(TBitmap, NewBitmapIsWhiteAndPixelsUseColorRefOrder) {
  TBitmap b(3, 2);
  EXPECT_FALSE(b.Empty());
  EXPECT_EQ(b.Pixel(2, 1), 0x00FFFFFFu);
  b.SetPixel(1, 0, 0x00332211);  // red 0x11, green 0x22, blue 0x33
  EXPECT_EQ(b.Pixel(1, 0), 0x00332211u);
  const pf::ImageView view = b.View();
  EXPECT_EQ(view.width, 3);
  EXPECT_EQ(view.height, 2);
  EXPECT_EQ(view.At(1, 0), 0x00112233u);
  EXPECT_EQ(b.Pixel(3, 0), pf::kInvalidColor);
  EXPECT_EQ(b.Pixel(0, -1), pf::kInvalidColor);
  EXPECT_TRUE(TBitmap().Empty());
  EXPECT_EQ(TBitmap().View().pixels, nullptr);
}

TEST(TBitmap, SetSizeKeepsWhatFitsAndFillsTheRestWhite) {
  TBitmap b = Gradient(4, 3);
  b.SetSize(6, 2);
  EXPECT_EQ(b.Width(), 6);
  EXPECT_EQ(b.Height(), 2);
  EXPECT_EQ(b.Pixel(3, 1), 0x00030140u);
  EXPECT_EQ(b.Pixel(4, 0), 0x00FFFFFFu);
  EXPECT_EQ(b.Pixel(0, 2), pf::kInvalidColor);
  b.SetWidth(0);
  EXPECT_TRUE(b.Empty());
  b.SetSize(-5, 4);
  EXPECT_EQ(b.Width(), 0);
}

TEST(TBitmap, CopiesSharePixelsUntilOneChanges) {
  TBitmap original = Gradient(5, 4);
  TBitmap copy(original);
  EXPECT_TRUE(copy.SharesPixelsWith(original));
  copy.SetPixel(0, 0, 0x000000FF);
  EXPECT_FALSE(copy.SharesPixelsWith(original));
  EXPECT_EQ(original.Pixel(0, 0), 0x00000040u);
  EXPECT_EQ(copy.Pixel(0, 0), 0x000000FFu);

  TBitmap assigned;
  assigned.Assign(&original);
  EXPECT_TRUE(assigned.SharesPixelsWith(original));
  original.SetSize(5, 5);  // the changed one leaves; the other keeps the old pixels
  EXPECT_FALSE(assigned.SharesPixelsWith(original));
  EXPECT_EQ(assigned.Height(), 4);
  EXPECT_EQ(assigned.Pixel(4, 3), 0x00040340u);
}

TEST(TBitmap, SetPixelsTakesAWholePictureWithOneNotificationAndLeavesCopiesAlone) {
  TBitmap original = Gradient(2, 2);
  TBitmap copy(original);
  int changes = 0;
  copy.OnChange = [&] { ++changes; };
  copy.SetPixels(3, 1, {0x00112233u, 0x00445566u, 0x00778899u});
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.Height(), 1);
  EXPECT_EQ(copy.View().At(2, 0), 0x00778899u);
  EXPECT_EQ(copy.Pixel(0, 0), 0x00332211u);  // the store is 0x00RRGGBB, Pixel answers 0x00BBGGRR
  EXPECT_FALSE(copy.SharesPixelsWith(original));
  EXPECT_EQ(original.Width(), 2);
  EXPECT_EQ(original.Pixel(1, 1), 0x00010140u);

  // A count that does not make the size is refused and changes nothing.
  EXPECT_THROW(copy.SetPixels(2, 2, {1, 2, 3}), EInvalidOperation);
  EXPECT_THROW(copy.SetPixels(-1, -3, {1, 2, 3}), EInvalidOperation);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.View().At(0, 0), 0x00112233u);

  copy.SetPixels(0, 0, {});
  EXPECT_TRUE(copy.Empty());
  EXPECT_EQ(changes, 2);
}

TEST(TBitmap, AssignNullEmptiesAndNotifies) {
  TBitmap b = Gradient(2, 2);
  int changes = 0;
  b.OnChange = [&] { ++changes; };
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(changes, 1);
}

TEST(TBitmap, CopiesTakeTheTransparencySettings) {
  TBitmap source = Gradient(3, 3);
  source.SetTransparent(true);
  source.SetTransparentColor(clFuchsia);
  TBitmap assigned;
  assigned.Assign(&source);
  TBitmap constructed(source);
  auto cloned = source.Clone();
  const TBitmap* copies[] = {&assigned, &constructed, static_cast<const TBitmap*>(cloned.get())};
  for (const TBitmap* b : copies) {
    EXPECT_TRUE(b->Transparent());
    EXPECT_EQ(b->TransparentMode(), TTransparentMode::tmFixed);
    EXPECT_EQ(b->TransparentColor(), clFuchsia);
  }
  source.SetTransparent(false);
  EXPECT_TRUE(assigned.Transparent());  // a copy, not a link
}

TEST(TBitmap, AutoTransparentColourIsTheBottomLeftPixel) {
  TBitmap b = Gradient(3, 4);
  EXPECT_EQ(b.TransparentMode(), TTransparentMode::tmAuto);
  EXPECT_EQ(b.TransparentColor(), 0x00000340);
  b.SetTransparentColor(clLime);
  EXPECT_EQ(b.TransparentMode(), TTransparentMode::tmFixed);
  EXPECT_EQ(b.TransparentColor(), clLime);
  b.SetTransparentMode(TTransparentMode::tmAuto);
  EXPECT_EQ(b.TransparentColor(), 0x00000340);
}

TEST(TBitmap, DrawsThroughTheDevice) {
  qf_test::InstalledSysColorPlatform platform;
  TBitmap b = Gradient(4, 2);
  qf_test::RecordingDevice device;
  b.Draw(device, {7, 9});
  b.SetTransparent(true);
  b.Draw(device, {1, 2});
  b.SetTransparentColor(clBtnFace);
  b.Draw(device, {0, 0});
  TBitmap().Draw(device, {0, 0});
  ASSERT_EQ(device.calls.size(), 3u);
  EXPECT_EQ(device.calls[0].kind, "DrawImage");
  EXPECT_EQ(device.calls[0].at, (pf::Point{7, 9}));
  EXPECT_EQ(device.calls[0].image.pixels, b.View().pixels);
  EXPECT_EQ(device.calls[0].image.width, 4);
  EXPECT_EQ(device.calls[0].image.height, 2);
  EXPECT_EQ(device.calls[1].kind, "DrawImageTransparent");
  EXPECT_EQ(device.calls[1].at, (pf::Point{1, 2}));
  EXPECT_EQ(device.calls[1].transparent, 0x00000140u);  // bottom-left pixel
  EXPECT_EQ(device.calls[2].transparent, qf_test::FakeSysColor(15));
}

TEST(TBitmap, EqualsComparesSizeAndPixels) {
  TBitmap a = Gradient(3, 3);
  TBitmap b = Gradient(3, 3);
  EXPECT_FALSE(a.SharesPixelsWith(b));
  EXPECT_TRUE(a.Equals(b));
  b.SetPixel(2, 2, 0);
  EXPECT_FALSE(a.Equals(b));
  EXPECT_FALSE(a.Equals(Gradient(3, 2)));
  EXPECT_TRUE(TBitmap().Equals(TBitmap()));
  EXPECT_FALSE(a.Equals(TJPEGImage()));
}

TEST(TBitmap, WritesA24BitBottomUpFile) {
  const TBitmap b = Gradient(184, 25);
  const std::string file = b.SaveToBytes();
  ASSERT_EQ(file.size(), 13854u);
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(qf_test::GetU32(file, 2), 13854u);
  EXPECT_EQ(qf_test::GetU32(file, 10), 54u);
  EXPECT_EQ(qf_test::GetU32(file, 14), 40u);
  EXPECT_EQ(qf_test::GetU32(file, 18), 184u);
  EXPECT_EQ(qf_test::GetU32(file, 22), 25u);
  EXPECT_EQ(qf_test::GetU32(file, 26), 1u | (24u << 16));  // planes, bits
  // The first stored row is the bottom one: pixel (1, 24) is blue 1, green 24, red 0x40.
  EXPECT_EQ(file.substr(54 + 3, 3), std::string("\x01\x18\x40", 3));
  TBitmap back;
  back.LoadFromBytes(file);
  EXPECT_TRUE(back.Equals(b));
}

TEST(TBitmap, RowsArePaddedToFourBytes) {
  const TBitmap b = Gradient(5, 3);  // 15 bytes a row, stored as 16
  const std::string file = b.SaveToBytes();
  EXPECT_EQ(file.size(), 54u + 16 * 3);
  EXPECT_EQ(file[54 + 15], '\0');
  TBitmap back;
  back.LoadFromBytes(file);
  EXPECT_TRUE(back.Equals(b));
}

TEST(TBitmap, PictureReadFrom32BitFileIsWrittenAs32Bit) {
  qf_test::BmpParts parts;
  parts.width = 2;
  parts.height = 1;
  parts.bits = 32;
  parts.rows = {{1, 2, 3, 0, 4, 5, 6, 0}};
  TBitmap b;
  b.LoadFromBytes(qf_test::BuildBmp(parts));
  const std::string file = b.SaveToBytes();
  EXPECT_EQ(file.size(), 54u + 8);
  EXPECT_EQ(qf_test::GetU32(file, 26), 1u | (32u << 16));
  TBitmap back;
  back.LoadFromBytes(file);
  EXPECT_TRUE(back.Equals(b));
  TBitmap copy;
  copy.Assign(&b);
  EXPECT_EQ(copy.SaveToBytes(), file);
}

TEST(TBitmap, EmptyBitmapRoundTrips) {
  TBitmap back = Gradient(2, 2);
  back.LoadFromBytes(TBitmap().SaveToBytes());
  EXPECT_TRUE(back.Empty());
}

TEST(BitmapData, IsTheFileAfterItsLength) {
  const TBitmap b = Gradient(184, 25);
  const std::string data = BitmapToData(b);
  ASSERT_EQ(data.size(), 13858u);
  EXPECT_EQ(qf_test::GetU32(data, 0), 13854u);
  EXPECT_EQ(data.substr(4), b.SaveToBytes());
  TBitmap back;
  BitmapFromData(back, data);
  EXPECT_TRUE(back.Equals(b));
}

TEST(BitmapData, LengthMustAgreeWithTheData) {
  const std::string data = BitmapToData(Gradient(3, 2));
  const std::string cases[] = {"", data.substr(0, 3), data.substr(0, data.size() - 1), data + "x",
                               std::string("\0\0\0\0", 4)};
  for (const auto& bad : cases) {
    TBitmap b = Gradient(1, 1);
    try {
      BitmapFromData(b, bad);
      ADD_FAILURE() << "accepted " << bad.size() << " bytes";
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
    EXPECT_EQ(b.Width(), 1);  // the old picture stays
  }
}

TEST(TBitmap, SavesAndLoadsFiles) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("qf_bitmap_" + std::to_string(std::random_device()()) + ".bmp");
  const TBitmap b = Gradient(7, 5);
  b.SaveToFile(path.string());
  TBitmap back;
  back.LoadFromFile(path.string());
  std::filesystem::remove(path);
  EXPECT_TRUE(back.Equals(b));
  EXPECT_THROW(back.LoadFromFile(path.string()), Exception);
  EXPECT_TRUE(back.Equals(b));
}

}  // namespace
}  // namespace fw
