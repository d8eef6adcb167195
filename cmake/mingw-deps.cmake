# Third-party libraries for the MinGW build, made from Debian's own sources.
#
# libjpeg: Debian's libjpeg-turbo source package, built once per version with the same toolchain
# and cached under .cache/ so re-configures and fresh build folders reuse it.
set(QF_LIBJPEG_DEBIAN_VERSION "2.1.5-2")
set(QF_LIBJPEG_ORIG_SHA256 "254f3642b04e309fee775123133c6464181addc150499561020312ec61c1bf7c")
set(QF_MINGW_CACHE "${PROJECT_SOURCE_DIR}/.cache/mingw" CACHE PATH
    "Where the MinGW builds of third-party libraries are kept between builds")

function(qf_run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "libjpeg for MinGW: ${what} failed (${rc}):\n${out}")
  endif()
endfunction()

function(qf_build_libjpeg root prefix)
  string(REGEX REPLACE "-[^-]+$" "" upstream "${QF_LIBJPEG_DEBIAN_VERSION}")
  set(src "${root}/src")
  file(REMOVE_RECURSE "${src}" "${root}/build" "${prefix}")
  file(MAKE_DIRECTORY "${src}")
  message(STATUS "libjpeg for MinGW: fetching Debian source libjpeg-turbo ${QF_LIBJPEG_DEBIAN_VERSION}")
  qf_run("apt-get source" apt-get source --download-only -qq
         "libjpeg-turbo=1:${QF_LIBJPEG_DEBIAN_VERSION}" WORKING_DIRECTORY "${src}")
  set(orig "${src}/libjpeg-turbo_${upstream}.orig.tar.gz")
  file(SHA256 "${orig}" got)
  if(NOT got STREQUAL QF_LIBJPEG_ORIG_SHA256)
    message(FATAL_ERROR "libjpeg for MinGW: ${orig} has SHA-256 ${got}, expected ${QF_LIBJPEG_ORIG_SHA256}")
  endif()
  qf_run("dpkg-source" dpkg-source -x "libjpeg-turbo_${QF_LIBJPEG_DEBIAN_VERSION}.dsc" tree
         WORKING_DIRECTORY "${src}")
  message(STATUS "libjpeg for MinGW: building (static, no SIMD)")
  qf_run("configure" ${CMAKE_COMMAND} -S "${src}/tree" -B "${root}/build" -G "${CMAKE_GENERATOR}"
         "-DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}" -DCMAKE_BUILD_TYPE=Release
         "-DCMAKE_INSTALL_PREFIX=${prefix}" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON
         -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF -DWITH_JPEG8=OFF)
  qf_run("build" ${CMAKE_COMMAND} --build "${root}/build" -j2 --target install)
  file(WRITE "${prefix}/qf-stamp" "${QF_LIBJPEG_DEBIAN_VERSION} ${QF_LIBJPEG_ORIG_SHA256}\n")
  file(REMOVE_RECURSE "${root}/build")
endfunction()

function(qf_libjpeg_for_mingw)
  set(root "${QF_MINGW_CACHE}/libjpeg-turbo-${QF_LIBJPEG_DEBIAN_VERSION}")
  set(prefix "${root}/install")
  file(MAKE_DIRECTORY "${root}")
  # Two build folders configuring at once must not build it twice into the same place.
  file(LOCK "${root}/lock" GUARD FUNCTION TIMEOUT 600)
  set(stamp "")
  if(EXISTS "${prefix}/qf-stamp")
    file(READ "${prefix}/qf-stamp" stamp)
  endif()
  if(NOT stamp STREQUAL "${QF_LIBJPEG_DEBIAN_VERSION} ${QF_LIBJPEG_ORIG_SHA256}\n")
    qf_build_libjpeg("${root}" "${prefix}")
  endif()
  add_library(JPEG::JPEG STATIC IMPORTED GLOBAL)
  set_target_properties(JPEG::JPEG PROPERTIES
    IMPORTED_LOCATION "${prefix}/lib/libjpeg.a"
    INTERFACE_INCLUDE_DIRECTORIES "${prefix}/include")
endfunction()

qf_libjpeg_for_mingw()

# GoogleTest from Debian's source tree; its own CMake defines GTest::gtest and GTest::gtest_main.
if(QF_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
endif()

# zlib: Debian's MinGW package (libz-mingw-w64-dev), linked in statically: no zlib1.dll beside the
# executable.
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)
