# The key filter, alone and in the window's fields.
numeron_test(test_key_filter ${CMAKE_CURRENT_LIST_DIR}/test_key_filter.cpp
  LIBS numeron_entry ${NUMERON_GUI_TEST_LIBS})
