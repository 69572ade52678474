find_package(Qt6 REQUIRED COMPONENTS Svg)
numeron_test(test_user_install ${CMAKE_CURRENT_LIST_DIR}/test_user_install.cpp
  LIBS numeron_dataset numeron_runtime)
target_link_libraries(test_user_install PRIVATE Qt6::Svg)
# The test installs this build tree, so it needs the installed programs built.
add_dependencies(test_user_install numeron numeron_setup)
target_compile_definitions(test_user_install PRIVATE
  NUMERON_BUILD_DIR="${CMAKE_BINARY_DIR}" NUMERON_CMAKE_COMMAND="${CMAKE_COMMAND}"
  NUMERON_HAS_CLI=$<TARGET_EXISTS:numeron-cli>)
