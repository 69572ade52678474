numeron_test(test_analysis_core ${CMAKE_CURRENT_LIST_DIR}/test_analysis_core.cpp
  LIBS ${NUMERON_GUI_TEST_LIBS})
numeron_test(test_fairness ${CMAKE_CURRENT_LIST_DIR}/test_fairness.cpp
  LIBS numeron_analysis numeron_draws numeron_dataset numeron_runtime)
