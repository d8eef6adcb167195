#include "jpeg_pixels.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <stdexcept>

namespace qf_bench {
namespace {

struct ErrorJump {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

void Leave(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<ErrorJump*>(cinfo->err)->jump, 1); }

std::vector<unsigned char> ReadAll(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) throw std::runtime_error("cannot open " + path);
  std::vector<unsigned char> bytes;
  unsigned char chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + n);
  std::fclose(f);
  return bytes;
}

// No C++ objects with destructors live in this frame: libjpeg's errors leave it by longjmp.
bool Decode(const std::vector<unsigned char>& bytes, Picture* out,
            std::vector<unsigned char>* row) {
  jpeg_decompress_struct cinfo;
  ErrorJump err;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = Leave;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  out->width = static_cast<int>(cinfo.output_width);
  out->height = static_cast<int>(cinfo.output_height);
  out->pixels.resize(static_cast<std::size_t>(out->width) * out->height);
  row->resize(static_cast<std::size_t>(out->width) * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    std::uint32_t* to =
        out->pixels.data() + static_cast<std::size_t>(cinfo.output_scanline) * out->width;
    JSAMPROW rows[1] = {row->data()};
    jpeg_read_scanlines(&cinfo, rows, 1);
    const unsigned char* p = row->data();
    for (int x = 0; x < out->width; ++x, p += 3)
      to[x] = (std::uint32_t{p[0]} << 16) | (p[1] << 8) | p[2];
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

Picture DecodeJpegFile(const std::string& path) {
  const std::vector<unsigned char> bytes = ReadAll(path);
  Picture picture;
  std::vector<unsigned char> row;
  if (!Decode(bytes, &picture, &row)) throw std::runtime_error("cannot decode " + path);
  return picture;
}

}  // namespace qf_bench
