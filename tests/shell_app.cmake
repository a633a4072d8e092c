# The application shell: single instance, splash, about window, help, boss key, menus,
# desktop files, and the end-to-end run of the real executable under Xvfb.
find_package(Qt6 REQUIRED COMPONENTS Test)
tarlyk_add_test(test_shell_app
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/shell_app/test_shell_app.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/url_sink.h
  LIBS tarlyk_shell Qt6::Test GUI OWN_MAIN)
target_compile_definitions(test_shell_app PRIVATE TARLYK_SOURCE_ROOT="${PROJECT_SOURCE_DIR}")
# Damaged copies of the real card library are made from the one beside the test.
if(TARGET tarlyk_cards)
  add_dependencies(test_shell_app tarlyk_cards)
endif()

# Desktop entry and AppStream metadata, checked by the distribution's validators.
find_program(TARLYK_DESKTOP_FILE_VALIDATE desktop-file-validate)
if(TARLYK_DESKTOP_FILE_VALIDATE)
  add_test(NAME packaging_desktop_file
    COMMAND ${TARLYK_DESKTOP_FILE_VALIDATE}
      ${PROJECT_SOURCE_DIR}/packaging/org.example.tarlyk.desktop)
endif()
find_program(TARLYK_APPSTREAMCLI appstreamcli)
if(TARLYK_APPSTREAMCLI)
  add_test(NAME packaging_metainfo
    COMMAND ${TARLYK_APPSTREAMCLI} validate --no-net
      ${PROJECT_SOURCE_DIR}/packaging/org.example.tarlyk.metainfo.xml)
endif()

# The smoke test reads screen pixels with a tiny xcb program of its own.
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND AND TARGET tarlyk)
  pkg_check_modules(TARLYK_SMOKE_XCB QUIET IMPORTED_TARGET xcb)
  if(TARLYK_SMOKE_XCB_FOUND)
    add_executable(tarlyk_x_pixels ${CMAKE_CURRENT_SOURCE_DIR}/smoke/x_pixels.cpp)
    target_link_libraries(tarlyk_x_pixels PRIVATE PkgConfig::TARLYK_SMOKE_XCB)
    add_test(NAME smoke_xvfb
      COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/smoke/xvfb_smoke.sh
        $<TARGET_FILE:tarlyk> $<TARGET_FILE:tarlyk_x_pixels>)
    set_tests_properties(smoke_xvfb PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120
      RUN_SERIAL TRUE)
  endif()
endif()

# A real X server with a window manager: the splash on screen and window placement.
if(TARGET PkgConfig::TARLYK_SMOKE_XCB)
  add_executable(test_window_system
    ${CMAKE_CURRENT_SOURCE_DIR}/window_system/test_window_system.cpp)
  target_link_libraries(test_window_system PRIVATE tarlyk_shell PkgConfig::TARLYK_SMOKE_XCB
    tarlyk_gui_test_main GTest::gtest)
  add_test(NAME window_system
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/window_system/run_in_xvfb.sh
      $<TARGET_FILE:test_window_system>)
  set_tests_properties(window_system PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
  add_test(NAME window_icon_ratio_two
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/window_system/run_in_xvfb.sh
      $<TARGET_FILE:test_window_system> --gtest_filter=WindowIcon.*)
  set_tests_properties(window_icon_ratio_two PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120
    ENVIRONMENT QT_SCALE_FACTOR=2)
endif()
