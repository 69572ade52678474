# The ticket lab: filter counts, option texts and ticket files; the backtest
# and the history reader.
numeron_test(test_lab_filters ${CMAKE_CURRENT_LIST_DIR}/test_lab_filters.cpp LIBS numeron_lab
  numeron_runtime)
numeron_test(test_lab_backtest ${CMAKE_CURRENT_LIST_DIR}/test_lab_backtest.cpp LIBS numeron_lab
  numeron_analysis numeron_draws numeron_game numeron_dataset numeron_runtime PkgConfig::SQLITE3)
numeron_test(test_lab_games ${CMAKE_CURRENT_LIST_DIR}/test_lab_games.cpp LIBS numeron_lab
  numeron_draws numeron_game numeron_runtime)
