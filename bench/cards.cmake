# Start-up loading of all card pictures against a plain drawing baseline.
add_executable(bench_card_images ${CMAKE_CURRENT_SOURCE_DIR}/bench_card_images.cpp)
target_link_libraries(bench_card_images PRIVATE tarlyk_view benchmark::benchmark)
target_compile_definitions(bench_card_images PRIVATE
  TARLYK_CARDS_DIR="$<TARGET_FILE_DIR:tarlyk_cards>")
add_dependencies(bench_card_images tarlyk_cards)
