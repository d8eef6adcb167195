#pragma once
// What a control asks of the form it lies on: the form implements it, and a control reaches it
// through its parents, so that controls know nothing of forms or of the application above them.
#include <memory>

#include "platform/device.h"
#include "platform/geometry.h"

namespace fw {

class TControl;
class TCustomForm;

class TControlHost {
 public:
  // The form itself, for those who want it by name.
  virtual TCustomForm& HostForm() = 0;

  // Invalidation: the area (form client coordinates) needs painting; paint what is invalid now.
  virtual void InvalidateArea(const pf::Rect& area) = 0;
  virtual void PaintInvalid() = 0;
  // Where the form's client area begins on the screen.
  virtual pf::Point ClientOrigin() const = 0;

  // The canvas's surface: the device of the paint under way and its clip (form client
  // coordinates), or null outside the paint cycle; outside it, a device on the form's window for
  // drawing in `area` (form client coordinates).
  virtual pf::Device* PaintDevice() const = 0;
  virtual const pf::Rect& PaintClip() const = 0;
  virtual std::unique_ptr<pf::Device> DrawingDevice(const pf::Rect& area) = 0;

  // The pointer's controls: the one the enter and leave notifications last named, and the
  // topmost one under the pointer now (disabled ones included); null for none.
  virtual TControl* HoveredControl() const = 0;
  virtual TControl* ControlUnderPointer() const = 0;
  // Capture: a control (or a container of it) leaves the form: whatever names it forgets it.
  virtual void ControlLeaving(TControl& control) = 0;
  // What lies under a point of the form may have changed: a control moved or was resized, shown
  // or hidden, came or left. A hit test made before no longer holds.
  virtual void HitAreasChanged() = 0;

 protected:
  ~TControlHost() = default;
};

}  // namespace fw
