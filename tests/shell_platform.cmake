# The choice of the window system, and the real game started in a headless Wayland
# compositor, with and without its X server.
set(SHELL_PLATFORM_TEST_DIR ${CMAKE_CURRENT_SOURCE_DIR}/shell_platform)
tarlyk_add_test(test_qt_platform SOURCES ${SHELL_PLATFORM_TEST_DIR}/test_qt_platform.cpp
  LIBS tarlyk_shell)
find_package(Qt6 REQUIRED COMPONENTS Test)
tarlyk_add_test(test_window_placement
  SOURCES ${SHELL_PLATFORM_TEST_DIR}/test_window_placement.cpp
  LIBS tarlyk_shell Qt6::Test GUI)

# The real game under a headless weston with Xwayland; skipped when weston is missing.
if(TARGET tarlyk)
  add_test(NAME smoke_wayland
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/smoke/wayland_smoke.sh
      $<TARGET_FILE:tarlyk> $<TARGET_FILE:test_window_placement>)
  set_tests_properties(smoke_wayland PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120 RUN_SERIAL TRUE)
endif()
