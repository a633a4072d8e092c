# Engine games per second in self-play (random bot, 36 cards, one core).
add_executable(bench_engine_selfplay ${CMAKE_CURRENT_SOURCE_DIR}/bench_engine_selfplay.cpp)
target_link_libraries(bench_engine_selfplay PRIVATE tarlyk_sim_lib benchmark::benchmark)
