numeron_test(test_ini_reader ${CMAKE_CURRENT_LIST_DIR}/test_ini_reader.cpp LIBS numeron_startup)
