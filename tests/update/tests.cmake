numeron_test(update_link_parsing ${CMAKE_CURRENT_LIST_DIR}/LinkParsingTest.cpp)
numeron_test(update_newest_workbook ${CMAKE_CURRENT_LIST_DIR}/NewestWorkbookTest.cpp)
numeron_test(update_http_transfer ${CMAKE_CURRENT_LIST_DIR}/HttpTransferTest.cpp)
numeron_test(update_cell_display ${CMAKE_CURRENT_LIST_DIR}/CellDisplayTest.cpp)
numeron_test(update_workbook ${CMAKE_CURRENT_LIST_DIR}/WorkbookTest.cpp)
numeron_test(test_draw_import ${CMAKE_CURRENT_LIST_DIR}/test_draw_import.cpp)
numeron_test(test_online_update ${CMAKE_CURRENT_LIST_DIR}/test_online_update.cpp)
numeron_test(update_xls_reader ${CMAKE_CURRENT_LIST_DIR}/XlsReaderTest.cpp)
numeron_test(test_xls_import ${CMAKE_CURRENT_LIST_DIR}/test_xls_import.cpp)

# Writes the legacy workbooks of the reader tests into a folder, as the seed
# corpus of fuzz/fuzz_xls_workbook.cpp.
add_executable(write_xls_samples ${CMAKE_CURRENT_LIST_DIR}/write_xls_samples.cpp)
target_link_libraries(write_xls_samples PRIVATE numeron_test_support)
numeron_test(update_web_address ${CMAKE_CURRENT_LIST_DIR}/WebAddressTest.cpp)
