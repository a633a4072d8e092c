# The headless driver: golden games, the random-event property test and its own checks.
tarlyk_add_test(test_sim
  SOURCES sim/test_sim.cpp
  LIBS tarlyk_sim_lib)
