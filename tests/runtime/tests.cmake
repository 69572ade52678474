numeron_test(test_conversions ${CMAKE_CURRENT_LIST_DIR}/test_conversions.cpp LIBS numeron_runtime)
numeron_test(test_csv_reader ${CMAKE_CURRENT_LIST_DIR}/test_csv_reader.cpp LIBS numeron_runtime)
