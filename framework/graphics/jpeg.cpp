// JPEG pictures through libjpeg's decompressor.
//
// libjpeg reports a fatal error through error_exit, which must not return; ours formats the
// message and leaves by longjmp, so the functions that call setjmp hold no C++ objects with
// destructors. A file cut short or damaged is only a warning to libjpeg ("Premature end of JPEG
// file", "Corrupt JPEG data: ..."); here any such warning fails the load or the decode with
// libjpeg's message, so a damaged picture is reported instead of drawn half grey.
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

#include "framework/graphics/jpeg.h"

namespace fw {
namespace {

// 256 MB of decoded pixels at most, whatever the header claims.
constexpr unsigned long long kMaxPixels = 1ULL << 26;

struct JpegError {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  char first_warning[JMSG_LENGTH_MAX];
};

void LeaveOnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<JpegError*>(cinfo->err);
  cinfo->err->format_message(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// Trace messages (level 0 and up) are dropped; warnings are counted and the first one kept.
void KeepFirstWarning(j_common_ptr cinfo, int msg_level) {
  if (msg_level >= 0) return;
  auto* err = reinterpret_cast<JpegError*>(cinfo->err);
  if (err->pub.num_warnings++ == 0) cinfo->err->format_message(cinfo, err->first_warning);
}

void InitError(JpegError* err) {
  jpeg_std_error(&err->pub);
  err->pub.error_exit = LeaveOnError;
  err->pub.emit_message = KeepFirstWarning;
  err->message[0] = '\0';
  err->first_warning[0] = '\0';
}

// After a run without error: fails with the first warning, if there was one.
bool CheckWarnings(JpegError* err) {
  if (err->pub.num_warnings == 0) return true;
  std::memcpy(err->message, err->first_warning, sizeof err->message);
  return false;
}

struct HeaderInfo {
  int width;
  int height;
  int components;
};

// Runs `after_header(cinfo, err)` on a decompressor that has read the header of `data`, and true
// when neither libjpeg nor `after_header` failed and libjpeg gave no warning; else err->message
// says why. libjpeg's errors leave through longjmp to here, so `after_header`, like this function,
// must hold no C++ objects with destructors.
template <class AfterHeader>
bool Decompress(std::string_view data, JpegError* err, AfterHeader after_header) {
  jpeg_decompress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  cinfo.err = &err->pub;
  if (setjmp(err->jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.data()), data.size());
  jpeg_read_header(&cinfo, TRUE);
  const bool done = after_header(cinfo, err);
  jpeg_destroy_decompress(&cinfo);
  return done && CheckWarnings(err);
}

// The same, raising EJPEG with libjpeg's message when it fails.
template <class AfterHeader>
void DecompressOrRaise(std::string_view data, AfterHeader after_header) {
  JpegError err;
  InitError(&err);
  if (!Decompress(data, &err, after_header)) throw EJPEG(err.message);
}

// One decoded row of samples (grey, or red, green, blue) as 0x00RRGGBB pixels.
void SamplesToPixels(const unsigned char* samples, int width, int components, std::uint32_t* out) {
  if (components == 3) {
    for (int x = 0; x < width; ++x, samples += 3)
      out[x] = (std::uint32_t{samples[0]} << 16) | (std::uint32_t{samples[1]} << 8) | samples[2];
  } else {
    for (int x = 0; x < width; ++x) out[x] = std::uint32_t{samples[x]} * 0x010101u;
  }
}

// Decodes into `out`, height rows of width pixels, one row of samples at a time through `row`
// (width x components bytes).
bool DecodeRows(jpeg_decompress_struct& cinfo, const HeaderInfo& expected, std::uint32_t* out,
                unsigned char* row, JpegError* err) {
  cinfo.out_color_space = expected.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  if (static_cast<int>(cinfo.output_width) != expected.width ||
      static_cast<int>(cinfo.output_height) != expected.height ||
      cinfo.output_components != expected.components) {
    std::snprintf(err->message, sizeof err->message, "JPEG image changed its size while decoding");
    return false;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    const std::size_t y = cinfo.output_scanline;
    JSAMPROW rows[1] = {row};
    if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) break;
    SamplesToPixels(row, expected.width, expected.components,
                    out + y * static_cast<std::size_t>(expected.width));
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

// The whole picture as pixels, straight into the bitmap's store: no copy of the samples.
std::unique_ptr<TBitmap> DecodeToBitmap(const std::string& data, const HeaderInfo& info) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.width) * info.height);
  std::vector<unsigned char> row(static_cast<std::size_t>(info.width) * info.components);
  std::uint32_t* out = pixels.data();
  unsigned char* samples = row.data();
  DecompressOrRaise(data, [&](jpeg_decompress_struct& cinfo, JpegError* err) {
    return DecodeRows(cinfo, info, out, samples, err);
  });
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixels(info.width, info.height, std::move(pixels));
  return bitmap;
}

}  // namespace

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::LoadFromBytes(std::string_view bytes) {
  HeaderInfo info{};
  DecompressOrRaise(bytes, [&info](jpeg_decompress_struct& cinfo, JpegError*) {
    info = {static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height),
            cinfo.num_components};
    return true;
  });
  data_.assign(bytes);
  width_ = info.width;
  height_ = info.height;
  components_ = info.components;
  decoded_.reset();
}

const TBitmap& TJPEGImage::Decoded() const {
  if (decoded_) return *decoded_;
  if (Empty()) {
    decoded_ = std::make_unique<TBitmap>();
    return *decoded_;
  }
  if (components_ != 1 && components_ != 3)
    throw EJPEG(Format("JPEG images with %d colour components are not supported", components_));
  if (static_cast<unsigned long long>(width_) * static_cast<unsigned long long>(height_) >
      kMaxPixels)
    throw EJPEG(Format("JPEG image is too large (%d x %d)", width_, height_));
  const HeaderInfo info{width_, height_, components_};
  decoded_ = DecodeToBitmap(data_, info);
  return *decoded_;
}

void TJPEGImage::Prepare() const {
  try {
    Decoded();
  } catch (const EJPEG&) {
    // Reported when the picture is drawn.
  }
}

void TJPEGImage::Draw(pf::Device& device, pf::Point at) const {
  if (Empty()) return;
  Decoded().Draw(device, at);
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
  auto copy = std::make_unique<TJPEGImage>();
  copy->data_ = data_;
  copy->width_ = width_;
  copy->height_ = height_;
  copy->components_ = components_;
  if (decoded_) copy->decoded_ = std::make_unique<TBitmap>(*decoded_);
  return copy;
}

bool TJPEGImage::Equals(const TGraphic& other) const {
  const auto* jpeg = dynamic_cast<const TJPEGImage*>(&other);
  return jpeg != nullptr && jpeg->data_ == data_;
}

}  // namespace fw
