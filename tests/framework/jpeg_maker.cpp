#include "jpeg_maker.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace qf_test {
namespace {

[[noreturn]] void Fail(j_common_ptr cinfo) {
  char message[JMSG_LENGTH_MAX];
  cinfo->err->format_message(cinfo, message);
  // The tests only compress well-formed input; a failure here is a fault in the test itself.
  std::fprintf(stderr, "jpeg_maker: %s\n", message);
  std::abort();
}

std::vector<JSAMPLE> Row(int width, int y, int components,
                         const std::function<std::uint32_t(int, int)>& sample) {
  std::vector<JSAMPLE> row;
  for (int x = 0; x < width; ++x) {
    const std::uint32_t v = sample(x, y);
    if (components == 1) row.push_back(static_cast<JSAMPLE>((v >> 16) & 0xFF));
    if (components == 3) {
      row.push_back(static_cast<JSAMPLE>((v >> 16) & 0xFF));
      row.push_back(static_cast<JSAMPLE>((v >> 8) & 0xFF));
      row.push_back(static_cast<JSAMPLE>(v & 0xFF));
    }
    if (components == 4) {
      for (int shift = 24; shift >= 0; shift -= 8) row.push_back(static_cast<JSAMPLE>((v >> shift) & 0xFF));
    }
  }
  return row;
}

}  // namespace

std::string MakeJpeg(int width, int height, int components,
                     const std::function<std::uint32_t(int x, int y)>& sample, int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  err.error_exit = Fail;
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = components;
  cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  for (int y = 0; y < height; ++y) {
    auto row = Row(width, y, components, sample);
    JSAMPROW pointer = row.data();
    jpeg_write_scanlines(&cinfo, &pointer, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

}  // namespace qf_test
