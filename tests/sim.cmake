# The headless driver: golden games, the random-event property test and its own checks.
tarlyk_add_test(test_sim
  SOURCES sim/test_sim.cpp
  LIBS tarlyk_sim_lib)
# Self-play through the seam for computer players.
tarlyk_add_test(test_self_play
  SOURCES sim/test_self_play.cpp
  LIBS tarlyk_sim_lib)
