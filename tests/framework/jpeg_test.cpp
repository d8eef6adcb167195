#include <gtest/gtest.h>

#include <cstdlib>

#include "fakes.h"
#include "framework/controls/image.h"
#include "framework/graphics/jpeg.h"
#include "jpeg_maker.h"

namespace fw {
namespace {

std::string FlatJpeg(int width, int height, std::uint32_t rgb, int components = 3) {
  return qf_test::MakeJpeg(width, height, components, [rgb](int, int) { return rgb; }, 100);
}

// Each channel of `actual` (0x00BBGGRR) within `tolerance` of `expected`.
bool Near(pf::ColorRef actual, pf::ColorRef expected, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = static_cast<int>((actual >> shift) & 0xFF);
    const int e = static_cast<int>((expected >> shift) & 0xFF);
    if (std::abs(a - e) > tolerance) return false;
  }
  return (actual >> 24) == 0;
}

// The message libjpeg gave, after checking that loading or decoding raised EJPEG.
template <typename Action>
std::string JpegError(Action action) {
  try {
    action();
  } catch (const EJPEG& e) {
    return e.what();
  }
  return "(no EJPEG raised)";
}

std::string WithoutSegment(const std::string& jpeg, unsigned char marker) {
  for (std::size_t i = 2; i + 4 <= jpeg.size();) {
    const auto length = static_cast<std::size_t>((static_cast<unsigned char>(jpeg[i + 2]) << 8) |
                                                 static_cast<unsigned char>(jpeg[i + 3]));
    if (static_cast<unsigned char>(jpeg[i + 1]) == marker) return jpeg.substr(0, i) + jpeg.substr(i + 2 + length);
    i += 2 + length;
  }
  ADD_FAILURE() << "no segment " << static_cast<int>(marker);
  return jpeg;
}

TEST(TJPEGImage, LoadingReadsOnlyTheHeader) {
  const std::string jpeg = FlatJpeg(37, 21, 0x336699);
  TJPEGImage image;
  image.LoadFromBytes(jpeg);
  EXPECT_EQ(image.Width(), 37);
  EXPECT_EQ(image.Height(), 21);
  EXPECT_EQ(image.Components(), 3);
  EXPECT_FALSE(image.IsDecoded());
  EXPECT_EQ(image.SaveToBytes(), jpeg);

  // A file cut just after the start of its picture data still has a whole header.
  const auto scan = jpeg.find("\xFF\xDA");
  ASSERT_NE(scan, std::string::npos);
  TJPEGImage cut;
  EXPECT_NO_THROW(cut.LoadFromBytes(jpeg.substr(0, scan + 16)));
  EXPECT_EQ(cut.Width(), 37);
}

TEST(TJPEGImage, FirstDrawDecodesAndKeepsThePicture) {
  TJPEGImage image;
  image.LoadFromBytes(FlatJpeg(16, 8, 0x336699));
  qf_test::RecordingDevice device;
  image.Draw(device, {4, 5});
  ASSERT_TRUE(image.IsDecoded());
  const pf::ImageView first = image.Decoded().View();
  image.Draw(device, {0, 0});
  ASSERT_EQ(device.calls.size(), 2u);
  EXPECT_EQ(device.calls[0].kind, "DrawImage");
  EXPECT_EQ(device.calls[0].at, (pf::Point{4, 5}));
  EXPECT_EQ(device.calls[0].image.width, 16);
  EXPECT_EQ(device.calls[0].image.height, 8);
  EXPECT_EQ(device.calls[1].image.pixels, first.pixels);  // decoded once
  TJPEGImage().Draw(device, {0, 0});
  EXPECT_EQ(device.calls.size(), 2u);
}

// The picture is ready before anything is shown; a damaged one still fails only where it is
// drawn, with libjpeg's message, as it would without the early decode.
TEST(TJPEGImage, AnImageDecodesItsJpegWhenItGetsIt) {
  TImage holder(nullptr);
  auto good = std::make_unique<TJPEGImage>();
  good->LoadFromBytes(FlatJpeg(16, 8, 0x336699));
  const TJPEGImage* held = good.get();
  holder.Picture()->SetGraphic(std::move(good));
  EXPECT_TRUE(held->IsDecoded());

  const std::string jpeg = qf_test::MakeJpeg(
      64, 64, 3, [](int x, int y) { return static_cast<std::uint32_t>(x * 4 + y * 1024); });
  auto cut = std::make_unique<TJPEGImage>();
  cut->LoadFromBytes(jpeg.substr(0, jpeg.size() / 2));
  held = cut.get();
  EXPECT_NO_THROW(holder.Picture()->SetGraphic(std::move(cut)));
  EXPECT_FALSE(held->IsDecoded());
  qf_test::RecordingDevice device;
  EXPECT_EQ(JpegError([&] { held->Draw(device, {0, 0}); }), "Premature end of JPEG file");
  EXPECT_TRUE(device.calls.empty());
}

TEST(TJPEGImage, DecodesFlatColourWithinJpegTolerance) {
  TJPEGImage image;
  image.LoadFromBytes(FlatJpeg(24, 17, 0xC86432));  // red 200, green 100, blue 50
  const TBitmap& b = image.Decoded();
  ASSERT_EQ(b.Width(), 24);
  ASSERT_EQ(b.Height(), 17);
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 24; ++x) ASSERT_TRUE(Near(b.Pixel(x, y), 0x3264C8, 2)) << x << "," << y << " " << std::hex << b.Pixel(x, y);
}

TEST(TJPEGImage, DecodesGreyAndPositions) {
  // Grey: left half dark, right half light, in whole 8-pixel blocks so the edge stays sharp.
  const std::string jpeg = qf_test::MakeJpeg(16, 8, 1, [](int x, int) { return x < 8 ? 0x202020u : 0xE0E0E0u; }, 100);
  TJPEGImage image;
  image.LoadFromBytes(jpeg);
  EXPECT_EQ(image.Components(), 1);
  const TBitmap& b = image.Decoded();
  EXPECT_TRUE(Near(b.Pixel(0, 0), 0x202020, 3));
  EXPECT_TRUE(Near(b.Pixel(7, 7), 0x202020, 3));
  EXPECT_TRUE(Near(b.Pixel(8, 0), 0xE0E0E0, 3));
  EXPECT_TRUE(Near(b.Pixel(15, 7), 0xE0E0E0, 3));
  const pf::ColorRef p = b.Pixel(3, 3);
  EXPECT_EQ(p & 0xFF, (p >> 8) & 0xFF);
  EXPECT_EQ(p & 0xFF, (p >> 16) & 0xFF);
}

TEST(TJPEGImage, BadDataRaisesLibjpegsMessageAndKeepsThePicture) {
  const std::string good = FlatJpeg(8, 8, 0x808080);
  TJPEGImage image;
  image.LoadFromBytes(good);
  EXPECT_EQ(JpegError([&] { image.LoadFromBytes("not a picture"); }),
            "Not a JPEG file: starts with 0x6e 0x6f");
  EXPECT_EQ(JpegError([&] { image.LoadFromBytes(""); }), "Empty input file");
  EXPECT_EQ(JpegError([&] { image.LoadFromBytes(good.substr(0, 2)); }),
            "JPEG datastream contains no image");
  std::string twelve_bit = good;
  const auto sof = twelve_bit.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  twelve_bit[sof + 4] = 12;  // sample precision
  EXPECT_EQ(JpegError([&] { image.LoadFromBytes(twelve_bit); }), "Unsupported JPEG data precision 12");
  EXPECT_EQ(image.SaveToBytes(), good);
  EXPECT_EQ(image.Width(), 8);
}

TEST(TJPEGImage, CutFileFailsWhenDecoded) {
  const std::string jpeg = qf_test::MakeJpeg(64, 64, 3, [](int x, int y) { return static_cast<std::uint32_t>(x * 4 + y * 1024); });
  TJPEGImage image;
  image.LoadFromBytes(jpeg.substr(0, jpeg.size() / 2));
  EXPECT_EQ(JpegError([&] { image.Decoded(); }), "Premature end of JPEG file");
  EXPECT_FALSE(image.IsDecoded());
  qf_test::RecordingDevice device;
  EXPECT_THROW(image.Draw(device, {0, 0}), EJPEG);
  EXPECT_TRUE(device.calls.empty());
}

TEST(TJPEGImage, ErrorDuringDecodeRaisesLibjpegsMessage) {
  // Without its quantisation table the header still reads; decoding stops.
  TJPEGImage image;
  image.LoadFromBytes(WithoutSegment(FlatJpeg(8, 8, 0x808080), 0xDB));
  EXPECT_EQ(JpegError([&] { image.Decoded(); }), "Quantization table 0x00 was not defined");
}

TEST(TJPEGImage, FourComponentsLoadButDoNotDecode) {
  TJPEGImage image;
  image.LoadFromBytes(qf_test::MakeJpeg(8, 8, 4, [](int, int) { return 0x10203040u; }));
  EXPECT_EQ(image.Components(), 4);
  EXPECT_EQ(JpegError([&] { image.Decoded(); }), "JPEG images with 4 colour components are not supported");
}

TEST(TJPEGImage, CloneAndEqualsFollowTheStoredBytes) {
  const std::string a = FlatJpeg(8, 8, 0x102030);
  const std::string b = FlatJpeg(8, 8, 0x102090);
  TJPEGImage first, second, third;
  first.LoadFromBytes(a);
  second.LoadFromBytes(a);
  third.LoadFromBytes(b);
  EXPECT_TRUE(first.Equals(second));
  EXPECT_FALSE(first.Equals(third));
  EXPECT_FALSE(first.Equals(TBitmap(8, 8)));
  first.Decoded();
  auto clone = first.Clone();
  EXPECT_TRUE(clone->Equals(first));
  auto* jpeg_clone = dynamic_cast<TJPEGImage*>(clone.get());
  ASSERT_NE(jpeg_clone, nullptr);
  EXPECT_TRUE(jpeg_clone->IsDecoded());
  EXPECT_TRUE(jpeg_clone->Decoded().SharesPixelsWith(first.Decoded()));
}

}  // namespace
}  // namespace fw
