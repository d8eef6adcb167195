#include "put_recorder.h"

#include <X11/Xproto.h>

#include <cstring>
#include <stdexcept>

namespace qf_bench {
namespace {

std::uint32_t U32(const unsigned char* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

std::uint16_t U16(const unsigned char* p) {
  std::uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

}  // namespace

PutRecorder::PutRecorder(const Picture& artwork) : artwork_(artwork) {
  control_ = XOpenDisplay(nullptr);
  data_ = XOpenDisplay(nullptr);
  int major = 0, minor = 0;
  if (control_ == nullptr || data_ == nullptr || !XRecordQueryVersion(control_, &major, &minor)) {
    throw std::runtime_error("the X server has no RECORD extension");
  }
  XRecordRange* range = XRecordAllocRange();
  range->core_requests.first = X_PutImage;
  range->core_requests.last = X_PutImage;
  XRecordClientSpec clients = XRecordFutureClients;
  context_ = XRecordCreateContext(control_, 0, &clients, 1, &range, 1);
  XFree(range);
  XSync(control_, False);
  if (context_ == 0 || !XRecordEnableContextAsync(data_, context_, &PutRecorder::Intercept,
                                                  reinterpret_cast<XPointer>(this))) {
    throw std::runtime_error("cannot record the X server's requests");
  }
}

PutRecorder::~PutRecorder() {
  if (context_ != 0) {
    XRecordDisableContext(control_, context_);
    XRecordFreeContext(control_, context_);
    XSync(control_, False);
  }
  if (data_ != nullptr) XCloseDisplay(data_);
  if (control_ != nullptr) XCloseDisplay(control_);
}

int PutRecorder::fd() const { return ConnectionNumber(data_); }

void PutRecorder::Poll() { XRecordProcessReplies(data_); }

void PutRecorder::Intercept(XPointer self, XRecordInterceptData* data) {
  if (data->category == XRecordFromClient && !data->client_swapped) {
    reinterpret_cast<PutRecorder*>(self)->OnRequest(data->data, 4u * data->data_len);
  }
  XRecordFreeData(data);
}

// A PutImage as the wire has it; with BIG-REQUESTS the 16-bit length is 0 and a 32-bit one
// follows, pushing the rest 4 bytes on.
void PutRecorder::OnRequest(const unsigned char* r, std::size_t length) {
  if (length < 24 || r[0] != X_PutImage) return;
  ++puts;
  bytes += length;
  const std::size_t shift = U16(r + 2) == 0 ? 4 : 0;
  if (length < 24 + shift) return;
  if (!checking_) return;
  const int width = U16(r + 12 + shift), height = U16(r + 14 + shift);
  const int dst_x = static_cast<std::int16_t>(U16(r + 16 + shift));
  const int dst_y = static_cast<std::int16_t>(U16(r + 18 + shift));
  const unsigned char* pixels = r + 24 + shift;
  if (r[1] != ZPixmap || length < 24 + shift + 4ull * width * height) {
    ++foreign_puts;
    return;
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int ax = dst_x + x, ay = dst_y + y;
      if (ax < 0 || ay < 0 || ax >= artwork_.width || ay >= artwork_.height) continue;
      const std::uint32_t sent =
          U32(pixels + 4 * (static_cast<std::size_t>(y) * width + x)) & 0xFFFFFFu;
      if (sent != artwork_.pixels[static_cast<std::size_t>(ay) * artwork_.width + ax]) {
        ++foreign_puts;
        return;
      }
    }
  }
}

}  // namespace qf_bench
