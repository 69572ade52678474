numeron_test(test_list_views ${CMAKE_CURRENT_LIST_DIR}/test_list_views.cpp)
numeron_test(test_frequency_views ${CMAKE_CURRENT_LIST_DIR}/test_frequency_views.cpp)
numeron_test(test_bet_check ${CMAKE_CURRENT_LIST_DIR}/test_bet_check.cpp)
