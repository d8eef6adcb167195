# A program's forms, as the build makes them from their text descriptions:
#
#   qf_add_forms(TARGET
#     LINKED qf_app_embedded             the library that links them in as bytes (optional)
#     NAMESPACE app                      NAMESPACE::RegisterFormClasses() registers their classes,
#     DECLARATION app/form_classes.h       declared there
#     SEARCH app bc fw                   the namespaces their classes are found in
#     HEADERS buttoncomps/buttoncomps.h  the libraries' headers that declare those classes
#     FORM resources/Form_Main.form app/unit1.h   one line a form: its description and the
#     FORM resources/Form_About.form app/unit2.h  header of its own class
#   )
#
# Each form is named by its file's name without the extension ("Form_Main"): its resource. Made:
#   - in TARGET, NAMESPACE::RegisterFormClasses(), which registers exactly the classes the forms
#     name (one the program does not have stops the build, the compiler naming it);
#   - LINKED, an object library that links the forms' packed descriptions in as bytes, found by
#     fw::LinkedResource (framework/controls/program_resources.h): for a program without a
#     resource section;
#   - TARGET_forms.rc in the binary folder, an RCDATA line a form, for the program's resource
#     script to #include; TARGET_FORMS_RC_DEPENDS in the caller's scope names what it reads.
# The pictures a form names with `file "..."` are read in by the converter: editing one rebuilds
# the packed description, and editing the form makes CMake read the list again.
function(qf_add_forms target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "LINKED;NAMESPACE;DECLARATION" "SEARCH;HEADERS;FORM")
  set(forms "")
  set(headers ${arg_HEADERS})
  set(resources "")
  set(packed_files "")
  set(rc_lines "")
  while(arg_FORM)
    list(POP_FRONT arg_FORM form unit)
    if(NOT unit)
      message(FATAL_ERROR "qf_add_forms(${target}): FORM ${form} needs the header of its class")
    endif()
    list(APPEND forms ${form})
    list(APPEND headers ${unit})
    get_filename_component(form_name ${form} NAME_WE)
    set(packed ${CMAKE_CURRENT_BINARY_DIR}/${form_name}.qfz)
    qf_pack_form(${form} ${packed})
    list(APPEND packed_files ${packed})
    list(APPEND resources "${form_name}=${packed}")
    string(TOUPPER ${form_name} resource)
    string(APPEND rc_lines "${resource} RCDATA \"${form_name}.qfz\"\n")
  endwhile()

  set(classes ${CMAKE_CURRENT_BINARY_DIR}/${target}_form_classes.cpp)
  add_custom_command(
    OUTPUT ${classes}
    COMMAND ${CMAKE_COMMAND} -DCONVERTER=$<TARGET_FILE:qf_formconv> "-DFORMS=${forms}"
            "-DHEADERS=${headers}" -DNAMESPACE=${arg_NAMESPACE} -DDECLARATION=${arg_DECLARATION}
            "-DSEARCH=${arg_SEARCH}" -DOUTPUT=${classes}
            -P ${PROJECT_SOURCE_DIR}/cmake/form_classes.cmake
    DEPENDS ${forms} qf_formconv $<TARGET_FILE:qf_formconv>
            ${PROJECT_SOURCE_DIR}/cmake/form_classes.cmake
    COMMENT "Listing the classes ${target}'s forms name"
    VERBATIM)
  target_sources(${target} PRIVATE ${classes})

  if(arg_LINKED)
    set(linked ${CMAKE_CURRENT_BINARY_DIR}/${arg_LINKED}.cpp)
    add_custom_command(
      OUTPUT ${linked}
      COMMAND ${CMAKE_COMMAND} -DOUTPUT=${linked} "-DRESOURCES=${resources}"
              -P ${PROJECT_SOURCE_DIR}/cmake/embed_resources.cmake
      DEPENDS ${packed_files} ${PROJECT_SOURCE_DIR}/cmake/embed_resources.cmake
      COMMENT "Linking ${target}'s form descriptions in"
      VERBATIM)
    add_library(${arg_LINKED} OBJECT ${linked})
    target_link_libraries(${arg_LINKED} PUBLIC qf_controls)
  endif()

  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_forms.rc)
  file(CONFIGURE OUTPUT ${rc}
       CONTENT "// Made by the build (cmake/forms.cmake): the forms' packed descriptions.\n${rc_lines}")
  set(${target}_FORMS_RC_DEPENDS ${packed_files} ${rc} PARENT_SCOPE)
endfunction()

# qf_pack_form(FORM OUTPUT): OUTPUT is FORM's packed binary description, its pictures read in.
function(qf_pack_form form output)
  get_filename_component(folder ${form} DIRECTORY)
  file(STRINGS ${form} files REGEX "^[^#]*= *file +\"[^\"]+\"")
  list(TRANSFORM files REPLACE "^[^#]*= *file +\"([^\"]+)\".*$" "${folder}/\\1")
  list(REMOVE_DUPLICATES files)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${form})
  get_filename_component(form_file ${form} NAME)
  add_custom_command(
    OUTPUT ${output}
    COMMAND qf_formconv --to-packed ${form} ${output}
    DEPENDS ${form} ${files} qf_formconv $<TARGET_FILE:qf_formconv>
    COMMENT "Converting ${form_file} to its packed binary form"
    VERBATIM)
endfunction()
