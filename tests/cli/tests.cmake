# Tests that run the built numeron-cli as a separate process.
set(NUMERON_CLI_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})
function(numeron_cli_test name)
  numeron_test(${name} ${ARGN} ${NUMERON_CLI_TEST_DIR}/CliTestSupport.cpp
    LIBS ${NUMERON_GUI_TEST_LIBS})
  target_compile_definitions(${name} PRIVATE NUMERON_CLI="$<TARGET_FILE:numeron-cli>")
  add_dependencies(${name} numeron-cli)
endfunction()

numeron_cli_test(test_cli_usage ${CMAKE_CURRENT_LIST_DIR}/test_cli_usage.cpp)
numeron_cli_test(test_cli_import ${CMAKE_CURRENT_LIST_DIR}/test_cli_import.cpp)
numeron_cli_test(test_cli_export ${CMAKE_CURRENT_LIST_DIR}/test_cli_export.cpp)
numeron_cli_test(test_cli_stats ${CMAKE_CURRENT_LIST_DIR}/test_cli_stats.cpp)
numeron_cli_test(test_cli_update ${CMAKE_CURRENT_LIST_DIR}/test_cli_update.cpp)
numeron_cli_test(test_cli_analysis ${CMAKE_CURRENT_LIST_DIR}/test_cli_analysis.cpp)
numeron_cli_test(test_cli_wheel ${CMAKE_CURRENT_LIST_DIR}/test_cli_wheel.cpp)
numeron_cli_test(test_cli_lab ${CMAKE_CURRENT_LIST_DIR}/test_cli_lab.cpp)
numeron_cli_test(test_cli_games ${CMAKE_CURRENT_LIST_DIR}/test_cli_games.cpp)
numeron_cli_test(test_cli_game_analysis ${CMAKE_CURRENT_LIST_DIR}/test_cli_game_analysis.cpp)
