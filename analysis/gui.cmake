list(APPEND NUMERON_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AnalysisHandlers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AnalysisModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AnalysisPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AnalysisRows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AnalysisSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AnalysisWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BallChart.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BallsPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BetsPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PairsPage.cpp)
