#pragma once
// What the programs send to the X server, read from the server's own request stream (the RECORD
// extension): every PutImage of clients that connect after the recorder starts, its size in
// bytes as it crossed the wire, and whether its pixels were the artwork's.
#include <X11/Xlib.h>
#include <X11/extensions/record.h>

#include <cstdint>

#include "jpeg_pixels.h"

namespace qf_bench {

class PutRecorder {
 public:
  // `artwork` must outlive the recorder. Throws std::runtime_error without RECORD.
  explicit PutRecorder(const Picture& artwork);
  ~PutRecorder();
  PutRecorder(const PutRecorder&) = delete;
  PutRecorder& operator=(const PutRecorder&) = delete;

  // Takes in what the server has recorded so far; never blocks.
  void Poll();
  int fd() const;

  // While on, every put's pixels are checked against the artwork.
  void Check(bool on) { checking_ = on; }
  std::uint64_t bytes = 0;  // every PutImage request, header included
  int puts = 0;
  int foreign_puts = 0;  // checked puts with pixels that are not the artwork's

 private:
  static void Intercept(XPointer self, XRecordInterceptData* data);
  void OnRequest(const unsigned char* request, std::size_t length);

  const Picture& artwork_;
  Display* control_ = nullptr;
  Display* data_ = nullptr;
  XRecordContext context_ = 0;
  bool checking_ = false;
};

}  // namespace qf_bench
