# Probes run by bench/card_load.sh and bench/click.sh in fresh processes and under an X
# server; not benchmarks themselves, so they are not named bench_*.
add_executable(tarlyk_card_load_probe ${CMAKE_CURRENT_SOURCE_DIR}/card_load_probe.cpp)
target_link_libraries(tarlyk_card_load_probe PRIVATE tarlyk_view)
add_executable(tarlyk_click_probe ${CMAKE_CURRENT_SOURCE_DIR}/click_probe.cpp)
target_link_libraries(tarlyk_click_probe PRIVATE tarlyk_shell)
if(TARGET tarlyk_cards)
  add_dependencies(tarlyk_card_load_probe tarlyk_cards)
  add_dependencies(tarlyk_click_probe tarlyk_cards)
endif()
