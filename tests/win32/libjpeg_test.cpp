// The cross-built libjpeg: the 6b API the framework is written against, and a working codec in
// the static Windows build.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

static_assert(JPEG_LIB_VERSION == 62, "the framework uses the 6b API");

std::vector<unsigned char> CompressGrey(int width, int height, unsigned char value) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = width;
  c.image_height = height;
  c.input_components = 1;
  c.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 100, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<unsigned char> row(width, value);
  while (c.next_scanline < c.image_height) {
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::vector<unsigned char> bytes(out, out + size);
  std::free(out);
  return bytes;
}

TEST(Libjpeg, AUniformPictureSurvivesARoundTripExactly) {
  const std::vector<unsigned char> file = CompressGrey(24, 16, 77);
  jpeg_decompress_struct d{};
  jpeg_error_mgr err{};
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, file.data(), file.size());
  ASSERT_EQ(jpeg_read_header(&d, TRUE), JPEG_HEADER_OK);
  EXPECT_EQ(d.image_width, 24u);
  EXPECT_EQ(d.image_height, 16u);
  jpeg_start_decompress(&d);
  std::vector<unsigned char> row(d.output_width * d.output_components);
  int off = 0;
  while (d.output_scanline < d.output_height) {
    JSAMPROW rows[] = {row.data()};
    jpeg_read_scanlines(&d, rows, 1);
    for (unsigned char v : row) off += v != 77;
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  EXPECT_EQ(off, 0) << "pixels that are not 77";
}

}  // namespace
