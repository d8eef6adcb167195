# cmake -DCONVERTER=qf_formconv -DFORM=file.form -DOUTPUT=file.cpp -P form_classes.cmake
# Writes OUTPUT, whose app::RegisterFormClasses() registers exactly the classes the form
# description FORM names, as `qf_formconv --classes` lists them. Each is named as a C++ class of
# the launcher, the button library or the framework: one the program does not have stops the
# build with the compiler naming it, rather than the program when it reads the form.
execute_process(COMMAND ${CONVERTER} --classes ${FORM}
                OUTPUT_VARIABLE classes ERROR_VARIABLE error RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FORM}: the classes it names could not be read: ${error}")
endif()
string(STRIP "${classes}" classes)
string(REPLACE "\n" ";" classes "${classes}")

get_filename_component(form_name ${FORM} NAME)
set(code "// Made by the build from ${form_name} (cmake/form_classes.cmake).\n")
string(APPEND code "#include \"app/form_classes.h\"\n\n")
foreach(header app/unit1.h buttoncomps/buttoncomps.h framework/controls/forms.h
               framework/controls/image.h framework/controls/timer.h)
  string(APPEND code "#include \"${header}\"\n")
endforeach()
string(APPEND code "\nnamespace app {\n\nvoid RegisterFormClasses() {\n")
string(APPEND code "  using namespace ::app;\n  using namespace ::bc;\n  using namespace ::fw;\n")
foreach(class IN LISTS classes)
  string(APPEND code "  fw::RegisterClass(${class}::StaticClass());\n")
endforeach()
string(APPEND code "}\n\n}  // namespace app\n")

# Rewritten only when it changes, so that an edit of the form that names the same classes
# recompiles nothing.
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
endif()
if(NOT old STREQUAL code)
  file(WRITE ${OUTPUT} "${code}")
endif()
