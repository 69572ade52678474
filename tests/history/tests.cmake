numeron_test(test_csv_history ${CMAKE_CURRENT_LIST_DIR}/test_csv_history.cpp LIBS numeron_history numeron_game)
