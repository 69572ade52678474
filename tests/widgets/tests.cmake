numeron_test(test_bar_chart ${CMAKE_CURRENT_LIST_DIR}/test_bar_chart.cpp)
numeron_test(test_db_grid ${CMAKE_CURRENT_LIST_DIR}/test_db_grid.cpp)
