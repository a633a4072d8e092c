# The choice of the window system, and the real game started in a headless Wayland
# compositor, with and without its X server.
set(SHELL_PLATFORM_TEST_DIR ${CMAKE_CURRENT_SOURCE_DIR}/shell_platform)
tarlyk_add_test(test_qt_platform SOURCES ${SHELL_PLATFORM_TEST_DIR}/test_qt_platform.cpp
  LIBS tarlyk_shell_base Qt6::Gui)
find_package(Qt6 REQUIRED COMPONENTS Test)
tarlyk_add_test(test_window_placement
  SOURCES ${SHELL_PLATFORM_TEST_DIR}/test_window_placement.cpp
  LIBS tarlyk_shell Qt6::Test GUI)
