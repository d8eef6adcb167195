#include "platform/win32/device_gdi.h"

#include <vector>

#include "platform/win32/dib.h"

namespace pf::win32 {
namespace {

// D | (P & S): where a monochrome source is white (mapped to the DC's white background colour)
// the brush goes in; black source bits leave the destination alone.
constexpr DWORD kRopOrBrushWhereSourceWhite = 0x00EA02E9;

int TextLength(std::string_view text) { return static_cast<int>(text.size()); }

}  // namespace

// Applies the device's origin and clip for one call and gives the DC back untouched afterwards.
class GdiDevice::Operation {
 public:
  explicit Operation(const GdiDevice& device) : saved_(device.dc_) {
    ::SetViewportOrgEx(device.dc_, device.origin_.x, device.origin_.y, nullptr);
    if (device.clip_) {
      Region clip(::CreateRectRgn(device.clip_->left, device.clip_->top, device.clip_->right,
                                  device.clip_->bottom));
      ::SelectClipRgn(device.dc_, clip.get());  // the DC keeps its own copy
    }
  }

 private:
  SavedDcState saved_;
};

void GdiDevice::FillRect(const Rect& r, ColorRef color) {
  Brush brush(::CreateSolidBrush(color));
  Operation op(*this);
  RECT rc = ToRECT(r);
  ::FillRect(dc_, &rc, brush.get());
}

void GdiDevice::FrameRect(const Rect& r, ColorRef color) {
  Brush brush(::CreateSolidBrush(color));
  Operation op(*this);
  RECT rc = ToRECT(r);
  ::FrameRect(dc_, &rc, brush.get());
}

void GdiDevice::DrawFocusRect(const Rect& r) {
  if (r.IsEmpty()) return;
  Operation op(*this);
  RECT rc = ToRECT(r);
  ::DrawFocusRect(dc_, &rc);
}

void GdiDevice::Polyline(const Point* points, int count, ColorRef color) {
  if (points == nullptr || count < 2) return;
  std::vector<POINT> pts(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) pts[i] = POINT{points[i].x, points[i].y};
  Pen pen(::CreatePen(PS_SOLID, 1, color));
  Operation op(*this);
  Selection use_pen(dc_, pen.get());
  ::Polyline(dc_, pts.data(), count);
}

void GdiDevice::SelectFont(const FontSpec& font) {
  if (font_ && font == font_spec_) return;
  font_spec_ = font;
  font_.reset();
}

HFONT GdiDevice::CurrentFont() {
  if (!font_) {
    const FontSpec& f = font_spec_;
    font_.reset(::CreateFontA(f.height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, f.italic,
                              f.underline, f.strike_out, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                              f.face.c_str()));
  }
  return font_.get();
}

Size GdiDevice::TextExtent(std::string_view text) {
  HFONT font = CurrentFont();
  Operation op(*this);
  Selection use_font(dc_, font);
  SIZE size{};
  ::GetTextExtentPoint32A(dc_, text.data(), TextLength(text), &size);
  return Size{size.cx, size.cy};
}

void GdiDevice::TextOutOpaque(Point at, std::string_view text, ColorRef fore, ColorRef back) {
  HFONT font = CurrentFont();
  Operation op(*this);
  Selection use_font(dc_, font);
  SIZE size{};
  ::GetTextExtentPoint32A(dc_, text.data(), TextLength(text), &size);
  RECT cell{at.x, at.y, at.x + size.cx, at.y + size.cy};
  ::SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  ::SetTextColor(dc_, fore);
  ::SetBkColor(dc_, back);
  ::SetBkMode(dc_, OPAQUE);
  ::ExtTextOutA(dc_, at.x, at.y, ETO_OPAQUE, &cell, text.data(), TextLength(text), nullptr);
}

void GdiDevice::TextOutTransparent(Point at, std::string_view text, ColorRef fore) {
  HFONT font = CurrentFont();
  Operation op(*this);
  Selection use_font(dc_, font);
  ::SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  ::SetTextColor(dc_, fore);
  ::SetBkMode(dc_, TRANSPARENT);
  ::ExtTextOutA(dc_, at.x, at.y, 0, nullptr, text.data(), TextLength(text), nullptr);
}

void GdiDevice::DrawImage(Point at, const ImageView& image) {
  if (image.pixels == nullptr || image.width <= 0 || image.height <= 0) return;
  Operation op(*this);
  DibHeader dib(image.stride, image.height);
  ::StretchDIBits(dc_, at.x, at.y, image.width, image.height, 0, 0, image.width, image.height,
                  image.pixels, dib.info(), DIB_RGB_COLORS, SRCCOPY);
}

void GdiDevice::DrawImageTransparent(Point at, const ImageView& image, ColorRef transparent) {
  if (image.pixels == nullptr || image.width <= 0 || image.height <= 0) return;
  Bitmap mask = KeyMask(image, transparent);
  Bitmap picture = ImageWithKeyBlack(image, transparent);
  MemoryDc mask_dc(::CreateCompatibleDC(dc_));
  MemoryDc picture_dc(::CreateCompatibleDC(dc_));
  if (!mask || !picture || !mask_dc || !picture_dc) return;
  Selection use_mask(mask_dc.get(), mask.get());
  Selection use_picture(picture_dc.get(), picture.get());
  Operation op(*this);
  // Mask bits 1 (transparent) become white and keep the destination; 0 bits clear it to black,
  // then the picture (black where transparent) is OR-ed in.
  ::SetTextColor(dc_, RGB(0, 0, 0));
  ::SetBkColor(dc_, RGB(255, 255, 255));
  ::BitBlt(dc_, at.x, at.y, image.width, image.height, mask_dc.get(), 0, 0, SRCAND);
  ::BitBlt(dc_, at.x, at.y, image.width, image.height, picture_dc.get(), 0, 0, SRCPAINT);
}

void GdiDevice::StretchKeyed(const Rect& dst, const ImageView& image, const Rect& src_rect,
                             ColorRef key, ColorRef brush_color) {
  if (image.pixels == nullptr || image.width <= 0 || image.height <= 0) return;
  Bitmap mask = KeyMask(image, key);
  Bitmap picture = ImageWithKeyBlack(image, key);
  MemoryDc mask_dc(::CreateCompatibleDC(dc_));
  MemoryDc picture_dc(::CreateCompatibleDC(dc_));
  Brush brush(::CreateSolidBrush(brush_color));
  if (!mask || !picture || !mask_dc || !picture_dc) return;
  Selection use_mask(mask_dc.get(), mask.get());
  Selection use_picture(picture_dc.get(), picture.get());
  Operation op(*this);
  Selection use_brush(dc_, brush.get());
  ::SetStretchBltMode(dc_, COLORONCOLOR);
  ::SetTextColor(dc_, RGB(0, 0, 0));
  ::SetBkColor(dc_, RGB(255, 255, 255));
  const int dw = dst.right - dst.left, dh = dst.bottom - dst.top;
  const int sw = src_rect.right - src_rect.left, sh = src_rect.bottom - src_rect.top;
  // The picture with its key pixels black, then the brush OR-ed into exactly those pixels: both
  // stretches use the same rectangles, so they pick the same source pixels.
  ::StretchBlt(dc_, dst.left, dst.top, dw, dh, picture_dc.get(), src_rect.left, src_rect.top, sw,
               sh, SRCCOPY);
  ::StretchBlt(dc_, dst.left, dst.top, dw, dh, mask_dc.get(), src_rect.left, src_rect.top, sw, sh,
               kRopOrBrushWhereSourceWhite);
}

ColorRef GdiDevice::GetPixel(Point p) {
  // Wine's GetPixel reads through the clip region; Windows answers CLR_INVALID outside it.
  if (clip_ && !clip_->Contains(Point{p.x + origin_.x, p.y + origin_.y})) return kInvalidColor;
  Operation op(*this);
  COLORREF c = ::GetPixel(dc_, p.x, p.y);
  return c == CLR_INVALID ? kInvalidColor : static_cast<ColorRef>(c);
}

namespace {

// Base first, so the DC exists before the device that draws on it.
struct WindowDcHolder {
  explicit WindowDcHolder(HWND hwnd) : window_dc(hwnd) {}
  WindowDc window_dc;
};

class WindowDevice : private WindowDcHolder, public GdiDevice {
 public:
  explicit WindowDevice(HWND hwnd) : WindowDcHolder(hwnd), GdiDevice(window_dc.get()) {}
};

}  // namespace

std::unique_ptr<Device> NewWindowDevice(HWND hwnd) { return std::make_unique<WindowDevice>(hwnd); }

}  // namespace pf::win32
