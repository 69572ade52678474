# The writer of hostile workbooks: used by the reader's tests, by the tool that
# writes them as files (fuzzing seeds, benchmarks) and by the fuzzing build.
find_package(ZLIB REQUIRED)
add_library(numeron_hostile_workbooks STATIC
  ${CMAKE_CURRENT_LIST_DIR}/HostileWorkbooks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HostileWorkbooks.h
  ${CMAKE_CURRENT_LIST_DIR}/ZipPackageWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZipPackageWriter.h)
target_link_libraries(numeron_hostile_workbooks PUBLIC numeron_options Qt6::Core ZLIB::ZLIB)

# numeron_write_hostile_workbooks DIR [full]: writes every hostile workbook into
# DIR, sized for small limits (fuzzing seeds) or, with "full", for the reader's
# own limits (benchmarks).
add_executable(numeron_write_hostile_workbooks
  ${CMAKE_CURRENT_LIST_DIR}/write_hostile_workbooks.cpp)
target_link_libraries(numeron_write_hostile_workbooks PRIVATE numeron_hostile_workbooks)
set_target_properties(numeron_write_hostile_workbooks PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
