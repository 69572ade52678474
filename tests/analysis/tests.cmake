numeron_test(test_analysis_core ${CMAKE_CURRENT_LIST_DIR}/test_analysis_core.cpp)
numeron_test(test_analysis_window ${CMAKE_CURRENT_LIST_DIR}/test_analysis_window.cpp)
