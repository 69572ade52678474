numeron_test(test_game_database ${CMAKE_CURRENT_LIST_DIR}/test_game_database.cpp
  LIBS numeron_startup numeron_schema numeron_game numeron_dataset numeron_runtime PkgConfig::SQLITE3)
