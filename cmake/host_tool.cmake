# qf_host_tool(NAME SOURCE_DIR): a tool that a cross build runs, built for the build machine from
# the CMake project in SOURCE_DIR (which is told QF_SOURCE_DIR), as the imported executable NAME.
include(ExternalProject)
function(qf_host_tool name source_dir)
  set(host_exe ${CMAKE_CURRENT_BINARY_DIR}/host/${name})
  ExternalProject_Add(${name}_host
    SOURCE_DIR ${source_dir}
    BINARY_DIR ${CMAKE_CURRENT_BINARY_DIR}/host
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DQF_SOURCE_DIR=${PROJECT_SOURCE_DIR}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${host_exe})
  add_executable(${name} IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES IMPORTED_LOCATION ${host_exe})
  add_dependencies(${name} ${name}_host)
endfunction()
