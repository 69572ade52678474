set(libs numeron_workbook numeron_runtime)
numeron_test(workbook_cell_display ${CMAKE_CURRENT_LIST_DIR}/CellDisplayTest.cpp LIBS ${libs})
numeron_test(workbook_workbook ${CMAKE_CURRENT_LIST_DIR}/WorkbookTest.cpp LIBS ${libs})
numeron_test(workbook_xls_reader ${CMAKE_CURRENT_LIST_DIR}/XlsReaderTest.cpp LIBS ${libs})
numeron_test(workbook_xml_scanner ${CMAKE_CURRENT_LIST_DIR}/XmlScannerTest.cpp LIBS ${libs})
numeron_test(workbook_hostile_workbooks ${CMAKE_CURRENT_LIST_DIR}/HostileWorkbookTest.cpp
  LIBS ${libs} numeron_hostile_workbooks)

# Writes the legacy workbooks of the reader tests into a folder, as the seed
# corpus of fuzz/fuzz_xls_workbook.cpp.
add_executable(write_xls_samples ${CMAKE_CURRENT_LIST_DIR}/write_xls_samples.cpp)
target_link_libraries(write_xls_samples PRIVATE numeron_test_support)
