# The card library and the loading of the card pictures, including damaged libraries
# built here, each in a directory of its own under the name Cards.dll.
set(TARLYK_BAD_CARDS_DIR ${CMAKE_BINARY_DIR}/test_cards)

# tarlyk_bad_card_library(target dir [REAL_PICTURES] sources...): REAL_PICTURES builds in
# the sound library's own pictures, generated with it.
function(tarlyk_bad_card_library target dir)
  cmake_parse_arguments(L "REAL_PICTURES" "" "" ${ARGN})
  set(sources ${L_UNPARSED_ARGUMENTS})
  if(L_REAL_PICTURES)
    list(APPEND sources ${CMAKE_BINARY_DIR}/cards/card_bitmaps.cpp)
  endif()
  add_library(${target} MODULE ${sources})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cards)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME Cards PREFIX "" SUFFIX ".dll"
    LIBRARY_OUTPUT_DIRECTORY ${TARLYK_BAD_CARDS_DIR}/${dir}
    CXX_VISIBILITY_PRESET hidden)
  if(L_REAL_PICTURES)
    add_dependencies(${target} tarlyk_cards)
  endif()
endfunction()

if(TARGET tarlyk_cards)
  tarlyk_bad_card_library(test_cards_no_function no_function
    ${CMAKE_CURRENT_SOURCE_DIR}/cards/no_function_library.cpp)
  tarlyk_bad_card_library(test_cards_partial partial REAL_PICTURES
    ${CMAKE_CURRENT_SOURCE_DIR}/cards/partial_library.cpp)
  tarlyk_bad_card_library(test_cards_oversized oversized REAL_PICTURES
    ${CMAKE_CURRENT_SOURCE_DIR}/cards/oversized_library.cpp)
  tarlyk_bad_card_library(test_cards_stray stray REAL_PICTURES
    ${CMAKE_CURRENT_SOURCE_DIR}/cards/stray_library.cpp)
  # A sound library of an older kind: every 71 x 96 picture, none larger.
  tarlyk_bad_card_library(test_cards_no_pixels no_pixels REAL_PICTURES
    ${PROJECT_SOURCE_DIR}/cards/cards_library.cpp)
  set_source_files_properties(${CMAKE_BINARY_DIR}/cards/card_bitmaps.cpp PROPERTIES GENERATED ON)

  tarlyk_add_test(test_card_images GUI
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/cards/test_card_images.cpp
    LIBS tarlyk_view)
  target_compile_definitions(test_card_images PRIVATE
    TARLYK_CARDS_DIR="$<TARGET_FILE_DIR:tarlyk_cards>"
    TARLYK_BAD_CARDS_DIR="${TARLYK_BAD_CARDS_DIR}")
  add_dependencies(test_card_images tarlyk_cards test_cards_no_function test_cards_partial
    test_cards_oversized test_cards_stray test_cards_no_pixels)
endif()
