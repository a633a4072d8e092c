# The quick reader of the card library's PNG pictures.
find_package(ZLIB REQUIRED)  # the checksums are compared with its own
if(TARGET tarlyk_cards)
  tarlyk_add_test(test_card_png
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/card_png/test_card_png.cpp
    LIBS tarlyk_view ZLIB::ZLIB
    GUI)
  target_compile_definitions(test_card_png PRIVATE
    TARLYK_CARDS_DIR="$<TARGET_FILE_DIR:tarlyk_cards>")
  add_dependencies(test_card_png tarlyk_cards)
endif()
