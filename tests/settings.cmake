# The INI reader/writer, the settings file routines and the start-up values.
set(SETTINGS_TEST_DIR ${CMAKE_CURRENT_SOURCE_DIR}/settings)
tarlyk_add_test(test_ini_file SOURCES ${SETTINGS_TEST_DIR}/test_ini_file.cpp
  LIBS tarlyk_settings)
tarlyk_add_test(test_settings_file SOURCES ${SETTINGS_TEST_DIR}/test_settings_file.cpp
  LIBS tarlyk_settings)
tarlyk_add_test(test_startup_values SOURCES ${SETTINGS_TEST_DIR}/test_startup_values.cpp
  LIBS tarlyk_settings)
