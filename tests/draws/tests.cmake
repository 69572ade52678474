# The reader of stored draws on a database of a two-drum game.
numeron_test(test_stored_draws ${CMAKE_CURRENT_LIST_DIR}/test_stored_draws.cpp
  LIBS numeron_draws numeron_schema numeron_game numeron_dataset numeron_runtime PkgConfig::SQLITE3)
