numeron_test(test_game ${CMAKE_CURRENT_LIST_DIR}/test_game.cpp LIBS numeron_game)
