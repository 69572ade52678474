# Install step: writes the menu entry with the absolute path of the installed
# program (known only now: `cmake --install --prefix` may change the prefix)
# and installs it into <prefix>/share/applications.

# Exec's own quoting: an argument holding a reserved character goes in double
# quotes, inside which ", `, $ and \ take a backslash; % is always doubled.
# Every value then escapes its backslashes once more.
function(numeron_exec_argument path out)
  string(REPLACE "%" "%%" arg "${path}")
  if(arg MATCHES "[ \t\"'\\\\><~|&;$*?#()`]")
    string(REPLACE "\\" "\\\\" arg "${arg}")
    string(REPLACE "\"" "\\\"" arg "${arg}")
    string(REPLACE "`" "\\`" arg "${arg}")
    string(REPLACE "$" "\\$" arg "${arg}")
    set(arg "\"${arg}\"")
  endif()
  string(REPLACE "\\" "\\\\" arg "${arg}")
  set(${out} "${arg}" PARENT_SCOPE)
endfunction()

# A relative --prefix is taken against the current folder, as the install does.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(program_dir "${prefix}/${NUMERON_PROGRAM_DIR}")
if(program_dir MATCHES "[\r\n]")
  message(FATAL_ERROR "A menu entry cannot name a folder with a line break: ${program_dir}")
endif()
numeron_exec_argument("${program_dir}/numeron" NUMERON_EXEC)
string(REPLACE "\\" "\\\\" NUMERON_PROGRAM_PATH "${program_dir}/numeron")
string(REPLACE "\\" "\\\\" NUMERON_WORKING_DIR "${program_dir}")
configure_file("${NUMERON_DESKTOP_TEMPLATE}" "${NUMERON_DESKTOP_STAGING}/numeron.desktop" @ONLY)
file(INSTALL "${NUMERON_DESKTOP_STAGING}/numeron.desktop"
  DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications")
