# Form descriptions: reader, writer and their errors.
add_executable(qf_streaming_tests
  streaming_components.cpp
  streaming_test.cpp
  streaming_errors_test.cpp
)
target_link_libraries(qf_streaming_tests PRIVATE qf_framework GTest::gtest_main)
add_test(NAME qf_streaming_tests COMMAND qf_streaming_tests)
