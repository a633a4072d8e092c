# The main window: geometry, texts, action button modes, menus, look and table hooks.
tarlyk_add_test(test_main_window
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/shell_main_window/test_main_window.cpp
  LIBS tarlyk_shell GUI)
