# Sources of cli/: numeron-cli's logic on the core library (no widgets). Every
# file of cli/commands/ is one subcommand (see CommandList.h).
file(GLOB NUMERON_CLI_COMMAND_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/commands/*.cpp)
set(NUMERON_CLI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BallFrequencies.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CliSession.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandRegistry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Console.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OutputTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableExport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkbookImport.cpp
  ${NUMERON_CLI_COMMAND_SOURCES})

# The export formats every cell of a million rows: optimised in every build type.
set_source_files_properties(
  ${CMAKE_CURRENT_LIST_DIR}/OutputTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableExport.cpp
  PROPERTIES COMPILE_OPTIONS -O2)
