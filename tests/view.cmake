# Table painting, player panels, card rain and the account picture.
tarlyk_add_test(test_table_view
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/view_table/test_table_view.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/view_table/test_player_picture.cpp
  LIBS tarlyk_view
  GUI)
