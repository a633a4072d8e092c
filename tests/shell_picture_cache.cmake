# The cache of the pictures the program draws itself.
tarlyk_add_test(test_picture_cache
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/shell_picture_cache/test_picture_cache.cpp
  LIBS tarlyk_shell GUI)
