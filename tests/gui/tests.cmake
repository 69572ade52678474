# The main window, the analysis window and the wheels window, driven as a user would.
foreach(test
    test_startup test_main_window
    entry/test_draw_entry entry/test_bet_entry entry/test_number_pad
    views/test_list_views views/test_frequency_views views/test_bet_check
    update/test_draw_import update/test_online_update update/test_xls_import
    analysis/test_analysis_window
    wheels/test_wheels_window)
  get_filename_component(name ${test} NAME)
  numeron_test(${name} ${CMAKE_CURRENT_LIST_DIR}/${test}.cpp LIBS ${NUMERON_GUI_TEST_LIBS})
endforeach()
target_link_libraries(test_draw_import PRIVATE numeron_hostile_workbooks)
target_link_libraries(test_startup PRIVATE numeron_game)
