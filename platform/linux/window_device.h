#pragma once
// The device GetDevice hands out: it draws on the window's buffer like any raster device and puts
// what it may have changed on screen when it is destroyed.
#include <functional>
#include <memory>

#include "platform/device.h"

namespace pf::linux_x {

// `on_done` runs once, when the device goes.
std::unique_ptr<Device> NewFlushingDevice(std::unique_ptr<Device> inner,
                                          std::function<void()> on_done);

}  // namespace pf::linux_x
