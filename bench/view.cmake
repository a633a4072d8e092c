# Time of one full table repaint against a plain fill and 40 card draws.
add_executable(bench_table_paint ${CMAKE_CURRENT_SOURCE_DIR}/bench_table_paint.cpp)
target_link_libraries(bench_table_paint PRIVATE tarlyk_view benchmark::benchmark)

# The account picture: ordinary and absurd files, time and peak memory of one load.
add_executable(bench_player_picture ${CMAKE_CURRENT_SOURCE_DIR}/bench_player_picture.cpp)
target_link_libraries(bench_player_picture PRIVATE tarlyk_view benchmark::benchmark)
