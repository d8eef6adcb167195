# What the converter is made of: the syntaxes without the class registry. Those of this folder,
# then with what they take from the description and the object model: tools/formconv/host
# builds the converter from the whole list for the build machine of a cross build.
set(QF_SYNTAX_TOOLS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/binary_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/converter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_references.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_lexer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_parser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_writer.cpp
)
set(QF_CONVERTER_SOURCES
  ${QF_SYNTAX_TOOLS_SOURCES}
  ${CMAKE_CURRENT_LIST_DIR}/../description/binary_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../description/picture_data.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../description/syntax.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../objects/sysutils.cpp
)
