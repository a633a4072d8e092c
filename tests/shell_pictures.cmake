# The title and splash pictures rendered at build time, and the form they are kept in.
tarlyk_add_test(test_built_in_pictures
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/shell_pictures/test_built_in_pictures.cpp
  LIBS tarlyk_shell Qt6::Test GUI)

# The pictures outside the table at device pixel ratios above 1.
tarlyk_add_test(test_device_pictures
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/shell_pictures/test_device_pictures.cpp
  LIBS tarlyk_shell GUI)
target_compile_definitions(test_device_pictures PRIVATE
  TARLYK_ICON_TABLE="${PROJECT_SOURCE_DIR}/src/art/render/icon_sources.txt")

# The finer splash and title pictures drawn on a second thread at start-up.
tarlyk_add_test(test_pictures_drawn_aside
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/shell_pictures/test_pictures_drawn_aside.cpp
  LIBS tarlyk_shell Qt6::Test GUI OWN_MAIN)
