# Engine core: piles and card numbering, move rules, the computer's weights and choices.
set(ENGINE_CORE_TEST_DIR ${CMAKE_CURRENT_SOURCE_DIR}/engine_core)
tarlyk_add_test(test_piles SOURCES ${ENGINE_CORE_TEST_DIR}/test_piles.cpp LIBS tarlyk_engine)
tarlyk_add_test(test_move_rules SOURCES ${ENGINE_CORE_TEST_DIR}/test_move_rules.cpp
  LIBS tarlyk_engine)
tarlyk_add_test(test_opponent SOURCES ${ENGINE_CORE_TEST_DIR}/test_opponent.cpp
  LIBS tarlyk_engine)
