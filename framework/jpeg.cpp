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

#include "framework/graphics.h"

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

bool ReadHeaderRaw(const unsigned char* data, unsigned long size, HeaderInfo* info,
                   JpegError* err) {
  jpeg_decompress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  cinfo.err = &err->pub;
  if (setjmp(err->jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, size);
  jpeg_read_header(&cinfo, TRUE);
  info->width = static_cast<int>(cinfo.image_width);
  info->height = static_cast<int>(cinfo.image_height);
  info->components = cinfo.num_components;
  jpeg_destroy_decompress(&cinfo);
  return CheckWarnings(err);
}

// Decodes into `out`: height rows of width x components bytes (grey, or red, green, blue).
bool DecodeRaw(const unsigned char* data, unsigned long size, const HeaderInfo* expected,
               unsigned char* out, JpegError* err) {
  jpeg_decompress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  cinfo.err = &err->pub;
  if (setjmp(err->jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, size);
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = expected->components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  if (static_cast<int>(cinfo.output_width) != expected->width ||
      static_cast<int>(cinfo.output_height) != expected->height ||
      cinfo.output_components != expected->components) {
    std::snprintf(err->message, sizeof err->message, "JPEG image changed its size while decoding");
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  const std::size_t stride = static_cast<std::size_t>(expected->width) * expected->components;
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = out + cinfo.output_scanline * stride;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return CheckWarnings(err);
}

const unsigned char* Bytes(std::string_view data) {
  return reinterpret_cast<const unsigned char*>(data.data());
}

std::vector<unsigned char> DecodeSamples(const std::string& data, const HeaderInfo& info) {
  std::vector<unsigned char> samples(static_cast<std::size_t>(info.width) * info.height *
                                     info.components);
  JpegError err;
  InitError(&err);
  if (!DecodeRaw(Bytes(data), data.size(), &info, samples.data(), &err)) throw EJPEG(err.message);
  return samples;
}

std::unique_ptr<TBitmap> SamplesToBitmap(const std::vector<unsigned char>& samples,
                                         const HeaderInfo& info) {
  auto bitmap = std::make_unique<TBitmap>(info.width, info.height);
  const unsigned char* p = samples.data();
  for (int y = 0; y < info.height; ++y) {
    for (int x = 0; x < info.width; ++x, p += info.components) {
      const unsigned r = p[0];
      const unsigned g = info.components == 3 ? p[1] : r;
      const unsigned b = info.components == 3 ? p[2] : r;
      bitmap->SetPixel(x, y, r | (g << 8) | (b << 16));
    }
  }
  return bitmap;
}

}  // namespace

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::LoadFromBytes(std::string_view bytes) {
  HeaderInfo info{};
  JpegError err;
  InitError(&err);
  if (!ReadHeaderRaw(Bytes(bytes), bytes.size(), &info, &err)) throw EJPEG(err.message);
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
  if (static_cast<unsigned long long>(width_) * static_cast<unsigned long long>(height_) > kMaxPixels)
    throw EJPEG(Format("JPEG image is too large (%d x %d)", width_, height_));
  const HeaderInfo info{width_, height_, components_};
  decoded_ = SamplesToBitmap(DecodeSamples(data_, info), info);
  return *decoded_;
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
