# cmake -DCONVERTER=qf_formconv -DFORMS="a.form;b.form" -DHEADERS="x.h;y.h" -DNAMESPACE=app
#       -DDECLARATION=app/form_classes.h -DSEARCH="app;bc;fw" -DOUTPUT=file.cpp -P form_classes.cmake
# Writes OUTPUT, whose NAMESPACE::RegisterFormClasses() (declared in DECLARATION) registers exactly
# the classes the form descriptions FORMS name, as `qf_formconv --classes` lists them. Each is
# named as a C++ class declared in HEADERS, looked up in the namespaces SEARCH: one the program
# does not have stops the build with the compiler naming it, rather than the program when it
# reads the form.
set(classes "")
foreach(form IN LISTS FORMS)
  execute_process(COMMAND ${CONVERTER} --classes ${form}
                  OUTPUT_VARIABLE listed ERROR_VARIABLE error RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${form}: the classes it names could not be read: ${error}")
  endif()
  string(STRIP "${listed}" listed)
  string(REPLACE "\n" ";" listed "${listed}")
  list(APPEND classes ${listed})
endforeach()
list(REMOVE_DUPLICATES classes)
list(SORT classes)

set(names "")
foreach(form IN LISTS FORMS)
  get_filename_component(form_name ${form} NAME)
  list(APPEND names ${form_name})
endforeach()
list(JOIN names ", " names)
set(code "// Made by the build from ${names} (cmake/form_classes.cmake).\n")
string(APPEND code "#include \"${DECLARATION}\"\n\n")
foreach(header IN LISTS HEADERS)
  string(APPEND code "#include \"${header}\"\n")
endforeach()
string(APPEND code "\nnamespace ${NAMESPACE} {\n\nvoid RegisterFormClasses() {\n")
foreach(ns IN LISTS SEARCH)
  string(APPEND code "  using namespace ::${ns};\n")
endforeach()
foreach(class IN LISTS classes)
  string(APPEND code "  fw::RegisterClass(${class}::StaticClass());\n")
endforeach()
string(APPEND code "}\n\n}  // namespace ${NAMESPACE}\n")

# Rewritten only when it changes, so that an edit of a form that names the same classes
# recompiles nothing.
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
endif()
if(NOT old STREQUAL code)
  file(WRITE ${OUTPUT} "${code}")
endif()
