# The INI reader/writer and the settings file routines.
set(SHELL_SETTINGS_TEST_DIR ${CMAKE_CURRENT_SOURCE_DIR}/shell_settings)
tarlyk_add_test(test_ini_file SOURCES ${SHELL_SETTINGS_TEST_DIR}/test_ini_file.cpp
  LIBS tarlyk_shell_base)
tarlyk_add_test(test_settings_file SOURCES ${SHELL_SETTINGS_TEST_DIR}/test_settings_file.cpp
  LIBS tarlyk_shell GUI)
