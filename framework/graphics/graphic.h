#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "platform/device.h"

namespace fw {

// A picture of some format that can be drawn at a point and stored as bytes.
class TGraphic {
 public:
  virtual ~TGraphic() = default;
  virtual const char* ClassName() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;
  // Unscaled, top-left corner at `at`.
  virtual void Draw(pf::Device& device, pf::Point at) const = 0;
  virtual void LoadFromBytes(std::string_view bytes) = 0;
  virtual std::string SaveToBytes() const = 0;
  virtual std::unique_ptr<TGraphic> Clone() const = 0;
  virtual bool Equals(const TGraphic& other) const = 0;
  // Gets ready to be drawn (a compressed picture decodes), so that the first draw finds its
  // pixels; what cannot be made ready is reported when drawn. Nothing for most graphics.
  virtual void Prepare() const {}
};

}  // namespace fw
