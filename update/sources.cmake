# Sources of update/
list(APPEND NUMERON_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BiffRecords.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CellDisplay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CellStyles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CompoundFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HttpTransfer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LegacyCodePage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberFormatParser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReadAhead.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RepaintingWait.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultsSite.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultsSiteUtils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SheetTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebAddress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Workbook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XlsGlobals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XlsSheetReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XlsWorkbook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XlsxContentReaders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XlsxPackageParts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XlsxWorkbook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XmlScanner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZipArchive.cpp)

# The workbook reader goes through sheets of many thousand cells; its inner
# loops are optimised in every build type, so that an import stays quick in a
# debug build as well.
set_source_files_properties(
  ${CMAKE_CURRENT_LIST_DIR}/BiffRecords.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CellDisplay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CompoundFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SheetTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XlsSheetReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XlsxContentReaders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XlsxWorkbook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XmlScanner.cpp
  PROPERTIES COMPILE_OPTIONS -O2)
