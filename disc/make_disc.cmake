# Lays out the disc's root and writes its image; run by the disc target:
#   cmake -DCONTENT=DIR -DLIST=content.txt -DLAUNCHER=Quenfor.exe -DROOT=DIR -DIMAGE=FILE
#         -DLABEL=NAME -DXORRISO=PATH -DSOURCE_DIR=DIR
#         [-DSIGN_CERT=PEM -DSIGN_KEY=PEM [-DSIGN_PASS_FILE=FILE] [-DSIGN_TIMESTAMP_URL=URL]
#          -DOSSLSIGNCODE=PATH] -P make_disc.cmake
# Nothing is written unless the content holds every file the launcher opens, named exactly, and,
# when a certificate is given, the launcher was signed with it.
cmake_minimum_required(VERSION 3.25)

set(launcher_name Quenfor.exe)
foreach(optional IN ITEMS SIGN_CERT SIGN_KEY SIGN_PASS_FILE SIGN_TIMESTAMP_URL OSSLSIGNCODE)
  if(NOT DEFINED ${optional})
    set(${optional} "")
  endif()
endforeach()

# The entries of `dir`, exactly as the file system spells them.
function(entries_of dir out)
  file(GLOB names RELATIVE ${dir} LIST_DIRECTORIES true ${dir}/*)
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

# `found` is `path` as the content spells it, matched regardless of case (an exact match first);
# empty when the content has no such path.
function(spelling_in_content path found)
  set(dir ${CONTENT})
  set(spelled "")
  string(REPLACE "/" ";" parts "${path}")
  foreach(part IN LISTS parts)
    entries_of(${dir} names)
    set(match "")
    foreach(name IN LISTS names)
      string(TOLOWER "${name}" a)
      string(TOLOWER "${part}" b)
      if(name STREQUAL part)
        set(match "${name}")
        break()
      elseif(a STREQUAL b)
        set(match "${name}")
      endif()
    endforeach()
    if(match STREQUAL "")
      set(${found} "" PARENT_SCOPE)
      return()
    endif()
    list(APPEND spelled "${match}")
    set(dir "${dir}/${match}")
  endforeach()
  list(JOIN spelled "/" spelled)
  set(${found} "${spelled}" PARENT_SCOPE)
endfunction()

# One line per problem with the content; empty when it is fit for the disc.
function(content_problems out)
  set(problems "")
  if(NOT IS_DIRECTORY "${CONTENT}")
    set(${out} "  the folder does not exist\n" PARENT_SCOPE)
    return()
  endif()
  file(STRINGS ${LIST} wanted REGEX "^[^#]")
  foreach(path IN LISTS wanted)
    spelling_in_content("${path}" found)
    if(found STREQUAL path AND NOT IS_DIRECTORY "${CONTENT}/${path}")
      continue()
    elseif(found STREQUAL "")
      string(APPEND problems "  missing: ${path}\n")
    elseif(found STREQUAL path)
      string(APPEND problems "  a folder, not a file: ${path}\n")
    else()
      string(APPEND problems "  missing: ${path} (there is ${found}: the case differs)\n")
    endif()
  endforeach()
  foreach(own ${launcher_name} AUTORUN.INF)
    spelling_in_content(${own} found)
    if(NOT found STREQUAL "")
      string(APPEND problems "  ${found}: the build writes the disc's own; take it out of the content\n")
    endif()
  endforeach()
  set(${out} "${problems}" PARENT_SCOPE)
endfunction()

# The image's dates: SOURCE_DATE_EPOCH when set, else the sources' last commit.
function(image_epoch out)
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
  if(epoch STREQUAL "")
    execute_process(COMMAND git -C ${SOURCE_DIR} log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    set(epoch 946684800)  # 2000-01-01, for a source tree without its history
  endif()
  set(${out} ${epoch} PARENT_SCOPE)
endfunction()

# Empty when there is nothing to sign with; else what stops the signing before it starts.
function(signing_problems out)
  set(problems "")
  if(SIGN_CERT STREQUAL "" AND SIGN_KEY STREQUAL "")
    set(${out} "" PARENT_SCOPE)
    return()
  endif()
  foreach(file IN ITEMS SIGN_CERT SIGN_KEY SIGN_PASS_FILE)
    if(file STREQUAL "SIGN_PASS_FILE" AND "${${file}}" STREQUAL "")
      continue()
    elseif("${${file}}" STREQUAL "")
      string(APPEND problems "  QF_${file} is not set: give both the certificate and its key\n")
    elseif(NOT EXISTS "${${file}}" OR IS_DIRECTORY "${${file}}")
      string(APPEND problems "  QF_${file}: no such file: ${${file}}\n")
    endif()
  endforeach()
  if(NOT OSSLSIGNCODE OR NOT EXISTS "${OSSLSIGNCODE}")
    string(APPEND problems "  osslsigncode is missing (tools/setup.sh --win32 installs it)\n")
  endif()
  set(${out} "${problems}" PARENT_SCOPE)
endfunction()

# The launcher signed (Authenticode, SHA-256) into `signed`. Its header keeps the run-from-swap
# flag; osslsigncode writes the checksum of the signed file. The signing time is the image's, so
# the same sources and key give the same bytes; a time-stamp server is asked only when named.
function(sign_launcher signed epoch)
  set(args sign -certs ${SIGN_CERT} -key ${SIGN_KEY} -h sha256 -n "Installation Application"
           -time ${epoch} -in ${LAUNCHER} -out ${signed})
  if(NOT SIGN_PASS_FILE STREQUAL "")
    list(APPEND args -readpass ${SIGN_PASS_FILE})  # the passphrase stays off every command line
  endif()
  if(NOT SIGN_TIMESTAMP_URL STREQUAL "")
    list(APPEND args -ts ${SIGN_TIMESTAMP_URL})
  endif()
  get_filename_component(folder ${signed} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(REMOVE ${signed})
  # No terminal to ask on: a key that needs a passphrase it was not given fails at once.
  execute_process(COMMAND ${OSSLSIGNCODE} ${args} INPUT_FILE /dev/null RESULT_VARIABLE rc
                  OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR NOT EXISTS ${signed})
    file(REMOVE ${signed})
    message(FATAL_ERROR "disc: signing ${LAUNCHER} with ${SIGN_CERT} failed (${rc}); "
                        "nothing was written:\n${out}")
  endif()
endfunction()

function(lay_out_root launcher)
  file(REMOVE_RECURSE ${ROOT})
  file(MAKE_DIRECTORY ${ROOT})
  file(COPY ${CONTENT}/ DESTINATION ${ROOT})
  file(COPY_FILE ${launcher} ${ROOT}/${launcher_name})
  # What Windows reads when the disc goes in: the program to start, its icon, the drive's name.
  file(WRITE ${ROOT}/AUTORUN.INF
       "[autorun]\r\nopen=${launcher_name}\r\nicon=${launcher_name},0\r\nlabel=${LABEL}\r\n")
endfunction()

# Same root, same bytes: fixed dates, owners and modes; xorriso orders the tree by name.
function(write_image epoch)
  file(REMOVE ${IMAGE})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch}
            ${XORRISO} -no_rc -report_about SORRY -outdev ${IMAGE} -volid ${LABEL}
            -joliet on -rockridge on -follow link -map ${ROOT} /
            -chown_r 0 / -- -chgrp_r 0 / --
            -find / -type d -exec chmod 0555 -- -find / -type f -exec chmod 0444 --
            -volume_date all_file_dates =${epoch} -commit
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR NOT EXISTS ${IMAGE})
    file(REMOVE ${IMAGE})
    message(FATAL_ERROR "disc: xorriso failed (${rc}):\n${out}")
  endif()
endfunction()

content_problems(problems)
if(NOT problems STREQUAL "")
  file(STRINGS ${LIST} wanted REGEX "^[^#]")
  list(JOIN wanted "\n  " wanted)
  message(FATAL_ERROR "disc: the content folder ${CONTENT} is not fit for the disc:\n${problems}"
                      "Nothing was written. The launcher opens (${LIST}):\n  ${wanted}")
endif()
string(LENGTH "${LABEL}" label_length)
if(label_length EQUAL 0 OR label_length GREATER 32)
  message(FATAL_ERROR "disc: the volume label '${LABEL}' must have 1 to 32 characters (QF_DISC_LABEL)")
endif()
if(NOT XORRISO OR NOT EXISTS "${XORRISO}")
  message(FATAL_ERROR "disc: xorriso is missing (tools/setup.sh --win32 installs it)")
endif()
signing_problems(problems)
if(NOT problems STREQUAL "")
  message(FATAL_ERROR "disc: Quenfor.exe cannot be signed:\n${problems}Nothing was written.")
endif()
image_epoch(epoch)
set(launcher ${LAUNCHER})
if(NOT SIGN_CERT STREQUAL "")
  set(launcher ${IMAGE}.signed.exe)
  sign_launcher(${launcher} ${epoch})
endif()
lay_out_root(${launcher})
if(NOT launcher STREQUAL LAUNCHER)
  file(REMOVE ${launcher})
endif()
write_image(${epoch})
file(SIZE ${IMAGE} size)
math(EXPR mib "(${size} + 524288) / 1048576")
if(SIGN_CERT STREQUAL "")
  set(signed "")
else()
  set(signed ", Quenfor.exe signed with ${SIGN_CERT}")
endif()
message("disc: ${IMAGE} (${size} bytes, about ${mib} MiB); its root is ${ROOT}${signed}")
