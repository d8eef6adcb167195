# Colours, fonts, bitmaps and their files, JPEG pictures, pictures.
add_executable(qf_graphics_tests
  alloc_watch.cpp
  bmp_builder.cpp
  jpeg_maker.cpp
  colors_fonts_test.cpp
  bitmap_test.cpp
  bitmap_file_test.cpp
  bitmap_malformed_test.cpp
  jpeg_test.cpp
  picture_test.cpp
)
target_link_libraries(qf_graphics_tests PRIVATE qf_graphics qf_controls GTest::gtest_main)
add_test(NAME qf_graphics_tests COMMAND qf_graphics_tests)
