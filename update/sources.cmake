# Sources of update/
list(APPEND NUMERON_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CellDisplay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HttpTransfer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberFormatParser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultsSite.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultsSiteUtils.cpp)
