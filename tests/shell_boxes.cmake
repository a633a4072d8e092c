# The standard buttons of every box, in Russian with and without Qt's own translation.
tarlyk_add_test(test_box_buttons
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/shell_boxes/test_box_buttons.cpp
  LIBS tarlyk_shell GUI OWN_MAIN)
