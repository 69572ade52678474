numeron_test(test_ini_reader ${CMAKE_CURRENT_LIST_DIR}/test_ini_reader.cpp)
numeron_test(test_startup ${CMAKE_CURRENT_LIST_DIR}/test_startup.cpp)
numeron_test(test_main_window ${CMAKE_CURRENT_LIST_DIR}/test_main_window.cpp)
