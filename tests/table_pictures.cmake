# The table painted with the real card library and the table font: unchanged at ratio 1,
# at the device's resolution at other ratios, also from a library without larger pictures.
if(TARGET tarlyk_cards)
  tarlyk_add_test(test_table_pictures
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/table_pictures/test_table_pictures.cpp
    LIBS tarlyk_shell GUI)
  target_compile_definitions(test_table_pictures PRIVATE
    TARLYK_CARDS_DIR="$<TARGET_FILE_DIR:tarlyk_cards>"
    TARLYK_BAD_CARDS_DIR="${TARLYK_BAD_CARDS_DIR}")
  add_dependencies(test_table_pictures tarlyk_cards test_cards_no_pixels)
endif()

# The main window's table on two offscreen screens of pixel ratio 1 and 2.
if(TARGET tarlyk_cards)
  tarlyk_add_test(test_desk_ratio
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/table_pictures/test_desk_ratio.cpp
    LIBS tarlyk_shell GUI OWN_MAIN)
  target_compile_definitions(test_desk_ratio PRIVATE
    TARLYK_CARDS_DIR="$<TARGET_FILE_DIR:tarlyk_cards>")
  add_dependencies(test_desk_ratio tarlyk_cards)
endif()
