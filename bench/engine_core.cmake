# Sorting the person's hand before every repaint, against a plain selection by GetMinCard.
add_executable(bench_sort_cards ${CMAKE_CURRENT_SOURCE_DIR}/bench_sort_cards.cpp)
target_link_libraries(bench_sort_cards PRIVATE tarlyk_engine benchmark::benchmark_main)
