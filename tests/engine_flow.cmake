# Engine flow: hand layout, new game and refill, round and game end, turn controller.
set(ENGINE_FLOW_TEST_DIR ${CMAKE_CURRENT_SOURCE_DIR}/engine_flow)
foreach(t test_hand_layout test_new_game test_round_end test_turn_controller
    test_computer_player test_play_state test_search_player)
  tarlyk_add_test(${t} SOURCES ${ENGINE_FLOW_TEST_DIR}/${t}.cpp LIBS tarlyk_engine)
endforeach()
