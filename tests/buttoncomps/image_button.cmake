# TImageButton: pictures, input and its stored form.
add_executable(qf_image_button_tests
  ${CMAKE_CURRENT_LIST_DIR}/image_button_fixture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_button_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_button_stream_test.cpp
  ${PROJECT_SOURCE_DIR}/tests/ui/ui_fixture.cpp
)
target_link_libraries(qf_image_button_tests PRIVATE qf_buttoncomps qf_description_tools qf_headless qf_test_support GTest::gtest_main)
add_test(NAME qf_image_button_tests COMMAND qf_image_button_tests)
