# Start-up time and memory of the whole program against a bare Qt window (startup.sh).
# The helpers are not benchmarks themselves, so they are not named bench_*.
add_executable(tarlyk_bare_window ${CMAKE_CURRENT_SOURCE_DIR}/bare_window.cpp)
target_link_libraries(tarlyk_bare_window PRIVATE Qt6::Widgets)
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(TARLYK_BENCH_XCB QUIET IMPORTED_TARGET xcb)
  if(TARLYK_BENCH_XCB_FOUND)
    add_executable(tarlyk_map_timer ${CMAKE_CURRENT_SOURCE_DIR}/map_timer.cpp)
    target_link_libraries(tarlyk_map_timer PRIVATE PkgConfig::TARLYK_BENCH_XCB)
  endif()
endif()
