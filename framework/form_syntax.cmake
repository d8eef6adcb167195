# The syntax layer of form descriptions: text and binary, without the class registry. The
# framework builds on it, and tools/formconv/host builds the converter from it for the build
# machine of a cross build.
set(QF_FORM_SYNTAX_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/binary_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/binary_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/converter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_references.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_data.cpp
  ${CMAKE_CURRENT_LIST_DIR}/syntax.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sysutils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_lexer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_parser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_writer.cpp
)
