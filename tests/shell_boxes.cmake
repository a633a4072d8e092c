# The program's boxes: their standard buttons in Russian with and without Qt's own
# translation, the settings routines' error box and the questions.
tarlyk_add_test(test_box_buttons
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/shell_boxes/test_box_buttons.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/shell_boxes/test_message_box.cpp
  LIBS tarlyk_shell GUI OWN_MAIN)
