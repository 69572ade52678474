numeron_test(update_link_parsing ${CMAKE_CURRENT_LIST_DIR}/LinkParsingTest.cpp)
numeron_test(update_newest_workbook ${CMAKE_CURRENT_LIST_DIR}/NewestWorkbookTest.cpp)
numeron_test(update_http_transfer ${CMAKE_CURRENT_LIST_DIR}/HttpTransferTest.cpp)
numeron_test(update_cell_display ${CMAKE_CURRENT_LIST_DIR}/CellDisplayTest.cpp)
