# Wheels: the exact check against brute force, the input checks, and the
# generator (same seed, same wheel; every shipped wheel passes the check).
foreach(test test_wheels_check test_wheels_input test_wheels_generate test_wheels_games)
  numeron_test(${test} ${CMAKE_CURRENT_LIST_DIR}/${test}.cpp LIBS numeron_wheels)
endforeach()
