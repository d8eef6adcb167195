#pragma once
// Plain geometry shared by the seam and the framework. Rectangles exclude their right column and
// bottom row, as Windows rectangles do.
#include <algorithm>
#include <cstdint>
#include <limits>

namespace pf {

// Coordinate sums and differences saturate at the ends of int instead of overflowing: values set
// in code may be anything, and a rectangle far outside every window must stay far outside it.
constexpr int ClampToInt(long long v) {
  return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}
constexpr int AddSat(int a, int b) { return ClampToInt(static_cast<long long>(a) + b); }
constexpr int SubSat(int a, int b) { return ClampToInt(static_cast<long long>(a) - b); }

// An int whose sums and differences with an int saturate, for drawing arithmetic on sizes that
// code may set to anything: `w - 1` with `SatInt w = Width()`.
struct SatInt {
  int value;
  constexpr SatInt(int v) : value(v) {}  // NOLINT: converts both ways on purpose
  constexpr operator int() const { return value; }
  friend constexpr SatInt operator+(SatInt a, int b) { return AddSat(a.value, b); }
  friend constexpr SatInt operator-(SatInt a, int b) { return SubSat(a.value, b); }
};

// A colour as GDI takes it: 0x00BBGGRR, red in the low byte.
using ColorRef = std::uint32_t;
inline constexpr ColorRef kInvalidColor = 0xFFFFFFFFu;  // GDI's CLR_INVALID

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return SubSat(right, left); }
  int Height() const { return SubSat(bottom, top); }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  Rect Offset(int dx, int dy) const {
    return {AddSat(left, dx), AddSat(top, dy), AddSat(right, dx), AddSat(bottom, dy)};
  }
  Rect Intersect(const Rect& o) const {
    Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
           std::min(bottom, o.bottom)};
    if (r.IsEmpty()) return {};
    return r;
  }
  Rect Union(const Rect& o) const {
    if (IsEmpty()) return o;
    if (o.IsEmpty()) return *this;
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
            std::max(bottom, o.bottom)};
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// 0x00BBGGRR <-> the 0x00RRGGBB pixel layout of 32-bit top-down buffers (a 32-bit DIB's bytes).
constexpr std::uint32_t ColorRefToPixel(ColorRef c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr ColorRef PixelToColorRef(std::uint32_t p) {
  return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}

}  // namespace pf
