numeron_test(test_column_store ${CMAKE_CURRENT_LIST_DIR}/test_column_store.cpp
  LIBS ${NUMERON_GUI_TEST_LIBS})
numeron_test(test_query ${CMAKE_CURRENT_LIST_DIR}/test_query.cpp LIBS ${NUMERON_GUI_TEST_LIBS})
numeron_test(test_connection_batch ${CMAKE_CURRENT_LIST_DIR}/test_connection_batch.cpp
  LIBS ${NUMERON_GUI_TEST_LIBS})
