# Form descriptions: reader, writer, their errors, the files their byte blocks may name, and the
# text document and single values a designer edits.
add_executable(qf_streaming_tests
  byte_blocks.cpp
  jpeg_maker.cpp
  streaming_components.cpp
  streaming_test.cpp
  streaming_binary_test.cpp
  streaming_errors_test.cpp
  streaming_files_test.cpp
  streaming_property_text_test.cpp
  streaming_text_document_test.cpp
)
target_link_libraries(qf_streaming_tests PRIVATE qf_controls qf_description_tools GTest::gtest_main)
target_compile_definitions(qf_streaming_tests PRIVATE QF_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
add_test(NAME qf_streaming_tests COMMAND qf_streaming_tests)

# The converter the build runs: the main form's text survives text -> text as written, its
# binary form (with the pictures it names read in) survives binary -> text -> binary byte for
# byte; wrong usage, broken input and a missing picture fail without leaving a file; --classes
# lists the same classes from every syntax. On a cross build it is a program of the build
# machine, run by the build rather than by the tests.
if(NOT CMAKE_CROSSCOMPILING)
  add_test(NAME qf_formconv_test
           COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:qf_formconv>
                   -DFORM=${PROJECT_SOURCE_DIR}/resources/Form_Main.form
                   -DWORK=${CMAKE_CURRENT_BINARY_DIR}/formconv_test
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/formconv_test.cmake)
endif()
