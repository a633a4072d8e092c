# Playing from the keyboard and the table as assistive technology sees it: offscreen
# tests of the keys, the mark, the frame and the accessible tree, and a whole game played
# with keys only in the real program under Xvfb, watched through AT-SPI.
find_package(Qt6 REQUIRED COMPONENTS Test)
tarlyk_add_test(test_keyboard
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/keyboard/test_keyboard_play.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/keyboard/test_accessible_table.cpp
  LIBS tarlyk_shell Qt6::Test GUI)

# The accessibility events, and the real game played with keys only and read through
# AT-SPI: both in a private X session with the accessibility bus; skipped without it.
add_executable(test_accessible_events ${CMAKE_CURRENT_SOURCE_DIR}/keyboard/test_accessible_events.cpp)
target_link_libraries(test_accessible_events PRIVATE tarlyk_shell Qt6::Test tarlyk_gui_test_main
  GTest::gtest)
target_include_directories(test_accessible_events PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
add_test(NAME accessible_events
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/keyboard/with_atspi.sh
    $<TARGET_FILE:test_accessible_events>)
set_tests_properties(accessible_events PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
find_program(TARLYK_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(TARGET tarlyk AND TARLYK_SYSTEM_PYTHON)
  add_test(NAME keys_game_atspi
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/keyboard/with_atspi.sh ${TARLYK_SYSTEM_PYTHON}
      ${CMAKE_CURRENT_SOURCE_DIR}/keyboard/keys_game.py $<TARGET_FILE:tarlyk>)
  set_tests_properties(keys_game_atspi PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180 RUN_SERIAL TRUE)
endif()
