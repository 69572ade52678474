numeron_test(test_key_filter ${CMAKE_CURRENT_LIST_DIR}/test_key_filter.cpp)
numeron_test(test_draw_entry ${CMAKE_CURRENT_LIST_DIR}/test_draw_entry.cpp)
numeron_test(test_bet_entry ${CMAKE_CURRENT_LIST_DIR}/test_bet_entry.cpp)
numeron_test(test_number_pad ${CMAKE_CURRENT_LIST_DIR}/test_number_pad.cpp)
