# cmake -DNM=nm -DPROGRAM=quenfor -P launcher_links.cmake
# The launcher embeds its form description in the binary syntax: it links the reader, and neither
# the text front end nor the writers, which would only add to its weight.
execute_process(COMMAND "${NM}" -C "${PROGRAM}" OUTPUT_VARIABLE symbols ERROR_VARIABLE err
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT symbols MATCHES "fw::ReadComponent\\(")
  message(FATAL_ERROR "no reader found in the symbols of ${PROGRAM} (${NM}: ${rc} ${err})")
endif()
foreach(unwanted fw::syntax::NewTextSource fw::syntax::Tokenize fw::WriteComponent
                 fw::syntax::NewBinarySink fw::ConvertDescription)
  string(FIND "${symbols}" "${unwanted}(" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "${PROGRAM} links ${unwanted}")
  endif()
endforeach()
