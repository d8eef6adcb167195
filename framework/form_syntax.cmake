# The syntax layer of form descriptions: text and binary, without the class registry. The
# framework builds on it, and tools/formconv/host builds the converter from it for the build
# machine of a cross build.
set(QF_FORM_SYNTAX_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/streaming_binary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/streaming_convert.cpp
  ${CMAKE_CURRENT_LIST_DIR}/streaming_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/streaming_lexer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/streaming_syntax.cpp
  ${CMAKE_CURRENT_LIST_DIR}/streaming_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sysutils.cpp
)
