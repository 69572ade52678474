# Install step: the set-up tool creates razyg.ini and an empty database in the
# program folder when they are missing, and leaves existing ones untouched.
set(program_dir "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${NUMERON_PROGRAM_DIR}")
execute_process(COMMAND "${program_dir}/numeron_setup" "${program_dir}"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE error
  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_STRIP_TRAILING_WHITESPACE)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "numeron_setup could not prepare ${program_dir}: ${result} ${error}")
endif()
string(REPLACE "\n" ";" lines "${output}")
foreach(line IN LISTS lines)
  message(STATUS "Set-up: ${line}")
endforeach()
