// What the GDI device does beyond the shared device rules: it leaves the DC as it found it,
// several devices share one memory DC, and its mask tricks give the same pixels as plain copies.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/device.h"
#include "platform/win32/device_gdi.h"
#include "platform/win32/dib.h"

namespace pf::win32 {
namespace {

constexpr ColorRef kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;
constexpr ColorRef kKey = 0xFF00FF, kBrush = 0x336699;

HDC DcOf(Device& device) { return dynamic_cast<GdiDevice&>(device).dc(); }

std::uint32_t PixelAt(const Surface& s, int x, int y) { return s.Pixels().At(x, y) & 0xFFFFFF; }

// A picture with a pattern that shows any wrong sampling: every pixel distinct, some keyed.
struct TestImage {
  TestImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool keyed = (x + 2 * y) % 5 == 0;
        const std::uint32_t distinct = (0x102030u + 0x0A0B0Cu * (y * w + x)) & 0xFFFFFFu;
        pixels[y * w + x] = keyed ? ColorRefToPixel(kKey) : distinct;
      }
    }
    pixels[1] = 0;  // black that is not the key
  }
  ImageView View() const { return ImageView{width, height, pixels.data(), width}; }
  int width, height;
  std::vector<std::uint32_t> pixels;
};

struct DcState {
  POINT origin{};
  int clip_kind = 0;
  HGDIOBJ font = nullptr, pen = nullptr, brush = nullptr;
  COLORREF text = 0, back = 0;
  int bk_mode = 0, stretch_mode = 0;
  explicit DcState(HDC dc) {
    ::GetViewportOrgEx(dc, &origin);
    HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
    clip_kind = ::GetClipRgn(dc, probe);  // 0: no clip region selected
    ::DeleteObject(probe);
    font = ::GetCurrentObject(dc, OBJ_FONT);
    pen = ::GetCurrentObject(dc, OBJ_PEN);
    brush = ::GetCurrentObject(dc, OBJ_BRUSH);
    text = ::GetTextColor(dc);
    back = ::GetBkColor(dc);
    bk_mode = ::GetBkMode(dc);
    stretch_mode = ::GetStretchBltMode(dc);
  }
};

void ExpectSameState(const DcState& a, const DcState& b) {
  EXPECT_EQ(a.origin.x, b.origin.x);
  EXPECT_EQ(a.origin.y, b.origin.y);
  EXPECT_EQ(a.clip_kind, b.clip_kind);
  EXPECT_EQ(a.font, b.font);
  EXPECT_EQ(a.pen, b.pen);
  EXPECT_EQ(a.brush, b.brush);
  EXPECT_EQ(a.text, b.text);
  EXPECT_EQ(a.back, b.back);
  EXPECT_EQ(a.bk_mode, b.bk_mode);
  EXPECT_EQ(a.stretch_mode, b.stretch_mode);
}

TEST(GdiDevice, EveryOperationLeavesTheDcAsItFoundIt) {
  auto surface = CreateSurface(40, 30);
  auto device = surface->NewDevice();
  const HDC dc = DcOf(*device);
  const DcState before(dc);
  TestImage image(6, 4);
  const Point line[] = {{1, 1}, {20, 5}, {3, 9}};

  device->SetOrigin({5, 3});
  device->SetClip({2, 2, 30, 25});
  device->FillRect({0, 0, 4, 4}, kRed);
  device->FrameRect({1, 1, 9, 9}, kGreen);
  device->Polyline(line, 3, kBlue);
  device->SelectFont(FontSpec{"Arial", -11, true});
  device->TextExtent("Exit");
  device->TextOutOpaque({2, 2}, "Exit", kWhite, kBlue);
  device->DrawImage({0, 10}, image.View());
  device->DrawImageTransparent({8, 10}, image.View(), kKey);
  device->StretchKeyed({0, 0, 12, 8}, image.View(), {0, 0, 6, 4}, kKey, kBrush);
  device->GetPixel({1, 1});

  ExpectSameState(before, DcState(dc));
  const int level = ::SaveDC(dc);
  ::RestoreDC(dc, -1);
  EXPECT_EQ(level, 1) << "no saved state left behind";
}

TEST(GdiDevice, TwoDevicesOnOneSurfaceKeepTheirOwnOriginClipAndFont) {
  auto surface = CreateSurface(20, 10);
  auto a = surface->NewDevice();
  auto b = surface->NewDevice();
  a->SetOrigin({10, 0});
  a->SetClip({10, 0, 20, 5});
  a->SelectFont(FontSpec{"Arial", -20, true});
  const Size b_extent = b->TextExtent("Exit");

  a->FillRect({0, 0, 10, 10}, kRed);   // device 10..20 x 0..10, clipped to rows 0..4
  b->FillRect({0, 0, 10, 10}, kBlue);  // device 0..10 x 0..10, unclipped
  EXPECT_EQ(PixelAt(*surface, 15, 4), ColorRefToPixel(kRed));
  EXPECT_EQ(PixelAt(*surface, 15, 5), 0xFFFFFFu) << "a's clip held";
  EXPECT_EQ(PixelAt(*surface, 0, 9), ColorRefToPixel(kBlue)) << "b saw no origin or clip of a";
  EXPECT_EQ(b->TextExtent("Exit"), b_extent) << "b's font is its own";
  EXPECT_GT(a->TextExtent("Exit").cy, b_extent.cy);
}

// The masked copies against a plain GDI copy of a picture whose key pixels were replaced first.
void ExpectKeyedStretchMatchesPlainStretch(const Rect& dst, const Rect& src) {
  SCOPED_TRACE(testing::Message() << "dst " << dst.Width() << "x" << dst.Height() << " src "
                                  << src.left << "," << src.top << " " << src.Width() << "x"
                                  << src.Height());
  TestImage image(7, 5);
  auto keyed = CreateSurface(40, 30);
  keyed->NewDevice()->FillRect({0, 0, 40, 30}, kWhite);
  keyed->NewDevice()->StretchKeyed(dst, image.View(), src, kKey, kBrush);

  auto recoloured = CreateSurface(image.width, image.height);
  std::vector<std::uint32_t> replaced = image.pixels;
  for (auto& p : replaced) {
    if (p == ColorRefToPixel(kKey)) p = ColorRefToPixel(kBrush);
  }
  auto source = recoloured->NewDevice();
  source->DrawImage({0, 0}, ImageView{image.width, image.height, replaced.data(), image.width});
  auto plain = CreateSurface(40, 30);
  auto device = plain->NewDevice();
  device->FillRect({0, 0, 40, 30}, kWhite);
  const HDC dc = DcOf(*device);
  ::SetStretchBltMode(dc, COLORONCOLOR);
  ::StretchBlt(dc, dst.left, dst.top, dst.Width(), dst.Height(), DcOf(*source), src.left,
               src.top, src.Width(), src.Height(), SRCCOPY);
  ::GdiFlush();
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      ASSERT_EQ(PixelAt(*keyed, x, y), PixelAt(*plain, x, y)) << "at " << x << "," << y;
    }
  }
}

TEST(GdiDevice, KeyedStretchGivesThePixelsOfAPlainStretchOfTheRecolouredPicture) {
  ExpectKeyedStretchMatchesPlainStretch({0, 0, 7, 5}, {0, 0, 7, 5});
  ExpectKeyedStretchMatchesPlainStretch({3, 2, 24, 17}, {0, 0, 7, 5});
  ExpectKeyedStretchMatchesPlainStretch({1, 1, 4, 3}, {0, 0, 7, 5});
  ExpectKeyedStretchMatchesPlainStretch({5, 5, 30, 22}, {2, 1, 6, 4});
}

TEST(GdiDevice, TransparentDrawKeepsTheBackgroundOnlyUnderKeyPixels) {
  TestImage image(7, 5);
  auto surface = CreateSurface(10, 8);
  auto device = surface->NewDevice();
  device->FillRect({0, 0, 10, 8}, kGreen);
  device->DrawImageTransparent({2, 1}, image.View(), kKey);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 2 && x < 9 && y >= 1 && y < 6;
      std::uint32_t want = ColorRefToPixel(kGreen);
      if (inside && image.View().At(x - 2, y - 1) != ColorRefToPixel(kKey)) {
        want = image.View().At(x - 2, y - 1);
      }
      ASSERT_EQ(PixelAt(*surface, x, y), want) << "at " << x << "," << y;
    }
  }
}

TEST(GdiDevice, BlackAsTheKeyColourStaysTransparent) {
  const std::uint32_t pixels[] = {0x000000, 0xFFFFFF, 0x000000, 0x123456};
  auto surface = CreateSurface(4, 1);
  auto device = surface->NewDevice();
  device->FillRect({0, 0, 4, 1}, kRed);
  device->DrawImageTransparent({0, 0}, ImageView{4, 1, pixels, 4}, 0x000000);
  EXPECT_EQ(PixelAt(*surface, 0, 0), ColorRefToPixel(kRed));
  EXPECT_EQ(PixelAt(*surface, 1, 0), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(*surface, 2, 0), ColorRefToPixel(kRed));
  EXPECT_EQ(PixelAt(*surface, 3, 0), 0x123456u);
}

TEST(GdiDevice, ImagesWithRowPaddingAreReadByTheirStride) {
  // 3 x 2 pixels in rows of 5; the padding must never show.
  const std::uint32_t pixels[] = {0x010101, 0x020202, 0x030303, 0xEEEEEE, 0xEEEEEE,
                                  0x040404, 0x050505, 0x060606, 0xEEEEEE, 0xEEEEEE};
  auto surface = CreateSurface(3, 2);
  surface->NewDevice()->DrawImage({0, 0}, ImageView{3, 2, pixels, 5});
  EXPECT_EQ(PixelAt(*surface, 0, 0), 0x010101u);
  EXPECT_EQ(PixelAt(*surface, 2, 0), 0x030303u);
  EXPECT_EQ(PixelAt(*surface, 0, 1), 0x040404u);
  EXPECT_EQ(PixelAt(*surface, 2, 1), 0x060606u);
}

TEST(GdiDevice, PixelsOutsideTheClipReadAsInvalid) {
  auto surface = CreateSurface(10, 10);
  auto device = surface->NewDevice();
  device->FillRect({0, 0, 10, 10}, kGreen);
  device->SetOrigin({2, 2});
  device->SetClip({2, 2, 6, 6});
  EXPECT_EQ(device->GetPixel({0, 0}), kGreen);
  EXPECT_EQ(device->GetPixel({3, 3}), kGreen);
  EXPECT_EQ(device->GetPixel({4, 3}), kInvalidColor);
  EXPECT_EQ(device->GetPixel({-1, 0}), kInvalidColor);
}

TEST(GdiDevice, SurfacesStartWhiteAndRefuseNegativeSizes) {
  auto surface = CreateSurface(3, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(surface->Pixels().At(x, y), 0x00FFFFFFu);
  }
  EXPECT_THROW(CreateSurface(-1, 2), std::invalid_argument);
}

TEST(GdiDevice, EmptySurfaceHasNoPixelsAndIgnoresDrawing) {
  auto surface = CreateSurface(0, 5);
  EXPECT_EQ(surface->Width(), 0);
  EXPECT_EQ(surface->Pixels().pixels, nullptr);
  auto device = surface->NewDevice();
  device->FillRect({0, 0, 5, 5}, kRed);
  EXPECT_EQ(device->GetPixel({0, 0}), kInvalidColor);
}

}  // namespace
}  // namespace pf::win32
