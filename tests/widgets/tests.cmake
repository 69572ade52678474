set(libs numeron_widgets numeron_dataset numeron_runtime)
numeron_test(test_bar_chart ${CMAKE_CURRENT_LIST_DIR}/test_bar_chart.cpp
  LIBS ${NUMERON_GUI_TEST_LIBS})
numeron_test(test_db_grid ${CMAKE_CURRENT_LIST_DIR}/test_db_grid.cpp LIBS ${NUMERON_GUI_TEST_LIBS})
numeron_test(widgets_repainting_wait ${CMAKE_CURRENT_LIST_DIR}/RepaintingWaitTest.cpp LIBS ${libs})
