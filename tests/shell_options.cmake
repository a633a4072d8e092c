# The options dialog: its pages, controls, option accessors and hooks.
tarlyk_add_test(test_options_dialog
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/shell_options/test_options_dialog.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/shell_options/test_window_placement.cpp
  LIBS tarlyk_shell GUI)
