numeron_test(test_conversions ${CMAKE_CURRENT_LIST_DIR}/test_conversions.cpp LIBS numeron_runtime)
