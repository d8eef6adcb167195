# Third-party libraries for the MinGW build, made from Debian's own source packages: each is built
# once per version with the same toolchain and cached under .cache/ so re-configures and fresh
# build folders reuse it.
set(QF_MINGW_CACHE "${PROJECT_SOURCE_DIR}/.cache/mingw" CACHE PATH
    "Where the MinGW builds of third-party libraries are kept between builds")

function(qf_run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "MinGW libraries: ${what} failed (${rc}):\n${out}")
  endif()
endfunction()

# qf_undefine_in_source(TREE [HEADER MACRO...]): turns each "#define MACRO" of TREE/HEADER into
# "#undef MACRO": a library's own configuration header, where it lists what can be left out. A
# macro that is not there any more stops the build rather than being silently kept.
function(qf_undefine_in_source tree)
  if(ARGC LESS 3)
    return()
  endif()
  list(POP_FRONT ARGN header)
  file(READ "${tree}/${header}" text)
  foreach(macro IN LISTS ARGN)
    string(REGEX REPLACE "#define[ \t]+${macro}([ \t\n])" "#undef  ${macro}\\1" edited "${text}")
    if(edited STREQUAL text)
      message(FATAL_ERROR "MinGW libraries: ${header} does not define ${macro}")
    endif()
    set(text "${edited}")
  endforeach()
  file(WRITE "${tree}/${header}" "${text}")
endfunction()

# qf_build_debian_source(PACKAGE EPOCH VERSION ORIG SHA256 ROOT PREFIX): fetches Debian's source
# package PACKAGE=EPOCHVERSION, checks its upstream tarball ORIG against SHA256 and builds it
# with the caller's arg_BUILD_TYPE and arg_OPTIONS, installing into PREFIX; or, where the caller
# names arg_TARGET, builds only that target and copies the caller's arg_FILES ("lib/x.a FROM", FROM
# relative to the build folder, or to the source tree as src/...) into PREFIX.
function(qf_build_debian_source package epoch version orig sha256 root prefix)
  set(src "${root}/src")
  set(build "${root}/build")
  file(REMOVE_RECURSE "${src}" "${build}" "${prefix}")
  file(MAKE_DIRECTORY "${src}")
  message(STATUS "MinGW libraries: fetching Debian source ${package} ${version}")
  qf_run("apt-get source ${package}" apt-get source --download-only -qq
         "${package}=${epoch}${version}" WORKING_DIRECTORY "${src}")
  file(SHA256 "${src}/${orig}" got)
  if(NOT got STREQUAL sha256)
    message(FATAL_ERROR "MinGW libraries: ${src}/${orig} has SHA-256 ${got}, expected ${sha256}")
  endif()
  qf_run("dpkg-source ${package}" dpkg-source -x "${package}_${version}.dsc" tree
         WORKING_DIRECTORY "${src}")
  qf_undefine_in_source("${src}/tree" ${arg_UNDEFINE})
  message(STATUS "MinGW libraries: building ${package}")
  qf_run("configure ${package}" ${CMAKE_COMMAND} -S "${src}/tree" -B "${build}"
         -G "${CMAKE_GENERATOR}" "-DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}"
         "-DCMAKE_BUILD_TYPE=${arg_BUILD_TYPE}" "-DCMAKE_INSTALL_PREFIX=${prefix}" ${arg_OPTIONS})
  if(arg_TARGET)
    qf_run("build ${package}" ${CMAKE_COMMAND} --build "${build}" -j2 --target ${arg_TARGET})
    foreach(entry IN LISTS arg_FILES)
      string(REPLACE " " ";" entry "${entry}")
      list(GET entry 0 to)
      list(GET entry 1 from)
      string(REGEX REPLACE "^src/" "${src}/tree/" from "${from}")
      if(NOT IS_ABSOLUTE "${from}")
        set(from "${build}/${from}")
      endif()
      get_filename_component(folder "${prefix}/${to}" DIRECTORY)
      file(MAKE_DIRECTORY "${folder}")
      file(COPY_FILE "${from}" "${prefix}/${to}")
    endforeach()
  else()
    qf_run("build ${package}" ${CMAKE_COMMAND} --build "${build}" -j2 --target install)
  endif()
  file(WRITE "${prefix}/qf-stamp" "${version} ${sha256}\n")
  file(REMOVE_RECURSE "${build}")
endfunction()

# qf_mingw_library(NAME PACKAGE EPOCH VERSION ORIG SHA256 [BUILD_TYPE type] [OPTIONS cmake-option...]
#                  [UNDEFINE header macro...] [TARGET target FILES "to from"...]):
# the install folder of that build, as NAME_PREFIX; built unless the cache holds this version
# built this way already (the folder's name carries a digest of the compiler, the build type, the
# options and the undefined macros, so a changed configuration is a new build beside the old one,
# never a stale reuse).
function(qf_mingw_library name package epoch version orig sha256)
  cmake_parse_arguments(PARSE_ARGV 6 arg "" "BUILD_TYPE;TARGET" "OPTIONS;UNDEFINE;FILES")
  if(NOT arg_BUILD_TYPE)
    set(arg_BUILD_TYPE Release)
  endif()
  string(MD5 configuration
         "${CMAKE_C_COMPILER};${arg_BUILD_TYPE};${arg_OPTIONS};${arg_UNDEFINE};${arg_TARGET}")
  string(SUBSTRING "${configuration}" 0 8 configuration)
  set(root "${QF_MINGW_CACHE}/${package}-${version}-${configuration}")
  set(prefix "${root}/install")
  file(MAKE_DIRECTORY "${root}")
  # Two build folders configuring at once must not build it twice into the same place.
  file(LOCK "${root}/lock" GUARD FUNCTION TIMEOUT 600)
  set(stamp "")
  if(EXISTS "${prefix}/qf-stamp")
    file(READ "${prefix}/qf-stamp" stamp)
  endif()
  if(NOT stamp STREQUAL "${version} ${sha256}\n")
    qf_build_debian_source(${package} "${epoch}" ${version} ${orig} ${sha256} "${root}" "${prefix}")
  endif()
  set(${name}_PREFIX "${prefix}" PARENT_SCOPE)
endfunction()

function(qf_imported_library target prefix library)
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES
    IMPORTED_LOCATION "${prefix}/lib/${library}"
    INTERFACE_INCLUDE_DIRECTORIES "${prefix}/include"
    INTERFACE_LINK_LIBRARIES "${ARGN}")
endfunction()

# libjpeg: the launcher's pictures. Built for size like the program, with a section per function
# for the linker to drop what the program never calls, and msvcrt's own stdio (the library only
# formats its messages and reads JPEGMEM) rather than MinGW's C99 one with its floating-point
# scanner. No unwind tables: its errors leave by longjmp, never by a C++ exception. Without what
# the program never asks of it, as jmorecfg.h offers: scaled output, the fast and the floating-
# point DCTs, merged upsampling (only without fancy upsampling), colour quantisation; and without
# arithmetic decoding, which the 6b-compatible API's baseline never had.
set(jpeg_c_flags "-ffunction-sections -fdata-sections -D__USE_MINGW_ANSI_STDIO=0"
    "-fno-asynchronous-unwind-tables -fno-unwind-tables")
list(JOIN jpeg_c_flags " " jpeg_c_flags)
qf_mingw_library(JPEG libjpeg-turbo "1:" 2.1.5-2 libjpeg-turbo_2.1.5.orig.tar.gz
                 254f3642b04e309fee775123133c6464181addc150499561020312ec61c1bf7c
                 BUILD_TYPE MinSizeRel
                 OPTIONS "-DCMAKE_C_FLAGS=${jpeg_c_flags}"
                 -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
                 -DWITH_JPEG8=OFF -DWITH_ARITH_DEC=OFF -DWITH_ARITH_ENC=OFF
                 UNDEFINE jmorecfg.h IDCT_SCALING_SUPPORTED DCT_IFAST_SUPPORTED DCT_FLOAT_SUPPORTED
                          UPSAMPLE_MERGING_SUPPORTED QUANT_1PASS_SUPPORTED QUANT_2PASS_SUPPORTED)
qf_imported_library(JPEG::JPEG "${JPEG_PREFIX}" libjpeg.a)

# zlib: the launcher inflates its form description with it, a zlib stream: built without gzip
# (NO_GZIP), which it never reads, and so without the CRC-32 tables (8 KB) that gzip's trailer
# needs; a section per function, for the size, as libjpeg. Only the static library: Debian's
# source leaves out the DLL's resource script. Linked in statically: no zlib1.dll beside the
# executable.
set(zlib_c_flags "-ffunction-sections -fdata-sections -DNO_GZIP")
qf_mingw_library(ZLIB zlib "1:" 1.2.13.dfsg-1 zlib_1.2.13.dfsg.orig.tar.bz2
                 71feb7947e3c00ef125f83b79a4e529bde31171e5babe48b391f06758d1ab0a1
                 BUILD_TYPE MinSizeRel
                 OPTIONS "-DCMAKE_C_FLAGS=${zlib_c_flags}"
                 TARGET zlibstatic
                 FILES "lib/libzlibstatic.a libzlibstatic.a" "include/zconf.h zconf.h"
                       "include/zlib.h src/zlib.h")
qf_imported_library(ZLIB::ZLIB "${ZLIB_PREFIX}" libzlibstatic.a)
set(ZLIB_INCLUDE_DIRS "${ZLIB_PREFIX}/include")
set(ZLIB_LIBRARIES "${ZLIB_PREFIX}/lib/libzlibstatic.a")

if(QF_BUILD_TESTS)
  # libpng: the tests write PNG files.
  qf_mingw_library(PNG libpng1.6 "" 1.6.39-2+deb12u5 libpng1.6_1.6.39.orig.tar.gz
                   a00e9d2f2f664186e4202db9299397f851aea71b36a35e74910b8820e380d441
                   OPTIONS -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_EXECUTABLES=OFF -DPNG_TESTS=OFF
                   "-DZLIB_INCLUDE_DIR=${ZLIB_INCLUDE_DIRS}" "-DZLIB_LIBRARY=${ZLIB_LIBRARIES}")
  qf_imported_library(PNG::PNG "${PNG_PREFIX}" libpng16.a ZLIB::ZLIB)

  # GoogleTest from Debian's source tree; its own CMake defines GTest::gtest and GTest::gtest_main.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
  # The win32 thread model's runtime has no std::mutex: GoogleTest finds its stand-in for the one
  # class built on it in its customisation header (tests/support/gtest_win32).
  set(gtest_custom ${PROJECT_SOURCE_DIR}/tests/support/gtest_win32)
  target_include_directories(gtest BEFORE PUBLIC ${gtest_custom})
  target_include_directories(gtest_main BEFORE PUBLIC ${gtest_custom})
endif()
