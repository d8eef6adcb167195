# cmake -DTOOL=qf_formconv -DFORM=Form_Main.form -DWORK=dir -P formconv_test.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(run expect_rc)
  execute_process(COMMAND "${TOOL}" ${ARGN} RESULT_VARIABLE rc ERROR_VARIABLE err WORKING_DIRECTORY "${WORK}")
  if(NOT rc EQUAL expect_rc)
    message(FATAL_ERROR "qf_formconv ${ARGN}: exit ${rc}, expected ${expect_rc}: ${err}")
  endif()
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_same a b what)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${a}" "${b}" RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    message(FATAL_ERROR "${what}: ${a} and ${b} differ")
  endif()
endfunction()

# Text to text keeps the file references: the form comes back as written, without its comments.
run(0 --to-text "${FORM}" "${WORK}/form.form")
file(STRINGS "${FORM}" lines)
list(FILTER lines EXCLUDE REGEX "^#")
list(JOIN lines "\n" uncommented)
file(WRITE "${WORK}/uncommented.form" "${uncommented}\n")
expect_same("${WORK}/uncommented.form" "${WORK}/form.form" "text -> text")

# The binary form reads the files (relative to the form, not to the working folder) and survives
# a trip through text, where the pictures are then hex.
run(0 --to-binary "${FORM}" "${WORK}/form.qfb")
run(0 --to-text "${WORK}/form.qfb" "${WORK}/hex.form")
run(0 --to-binary "${WORK}/hex.form" "${WORK}/again.qfb")
expect_same("${WORK}/form.qfb" "${WORK}/again.qfb" "binary -> text -> binary")
file(SIZE "${WORK}/hex.form" text_size)
file(SIZE "${WORK}/form.qfb" binary_size)
math(EXPR limit "${text_size} / 2")
if(binary_size GREATER limit)
  message(FATAL_ERROR "the binary form (${binary_size} bytes) is not half the text (${text_size})")
endif()

run(2 --to-binary "${FORM}")
run(2 --to-pdf "${FORM}" "${WORK}/x")
run(1 --to-text "${WORK}/missing" "${WORK}/x")
file(WRITE "${WORK}/broken.form" "TForm F {\n  Left = 1\n")
run(1 --to-binary "${WORK}/broken.form" "${WORK}/broken.qfb")
if(NOT err MATCHES "broken.form: Line 2: '}' missing" OR EXISTS "${WORK}/broken.qfb")
  message(FATAL_ERROR "a broken description must be named with its line and leave no output: ${err}")
endif()
file(WRITE "${WORK}/missing.form" "TForm F {\n  Icon.Data = file \"art/none.ico\"\n}\n")
run(1 --to-packed "${WORK}/missing.form" "${WORK}/missing.qfz")
if(NOT err MATCHES "missing.form: Line 2: Icon.Data names the file art/none.ico, which cannot be read"
   OR EXISTS "${WORK}/missing.qfz")
  message(FATAL_ERROR "a file that cannot be read must be named with its line and leave no output: ${err}")
endif()
