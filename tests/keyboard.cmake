# Playing from the keyboard and the table as assistive technology sees it: offscreen
# tests of the keys, the mark, the frame and the accessible tree, and a whole game played
# with keys only in the real program under Xvfb, watched through AT-SPI.
find_package(Qt6 REQUIRED COMPONENTS Test)
tarlyk_add_test(test_keyboard
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/keyboard/test_keyboard_play.cpp
  LIBS tarlyk_shell Qt6::Test GUI)
