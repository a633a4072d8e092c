# The searching player (level 2): how long its choices take, over whole games against the
# lowest-card bot (run by `make bench`), and how strong it is against the other players
# over thousands of games (opponent_strength: long, so run by hand only).
add_executable(bench_opponent_decision ${CMAKE_CURRENT_SOURCE_DIR}/bench_opponent_decision.cpp)
target_link_libraries(bench_opponent_decision PRIVATE tarlyk_sim_lib benchmark::benchmark)
add_executable(opponent_strength ${CMAKE_CURRENT_SOURCE_DIR}/opponent_strength.cpp)
target_link_libraries(opponent_strength PRIVATE tarlyk_sim_lib)
