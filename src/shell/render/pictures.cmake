# The title and splash pictures, drawn at build time by the program's own drawing code
# and compiled into tarlyk_shell as an uncompressed resource (:/pictures/*.px).
# Included from src/CMakeLists.txt once tarlyk_shell exists.

set(TARLYK_PICTURE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/render_pictures.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/shell/title_picture.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/shell/splash_picture.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/shell/card_art.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/shell/fonts.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/shell/look.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/shell/raw_picture.cpp)
add_executable(tarlyk_render_pictures ${TARLYK_PICTURE_SOURCES})
target_include_directories(tarlyk_render_pictures PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tarlyk_render_pictures PRIVATE Qt6::Gui)
set_target_properties(tarlyk_render_pictures PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

# Drawn again only when the drawing code (through the tool) or the font changes.
set(TARLYK_PICTURES_DIR ${CMAKE_CURRENT_BINARY_DIR}/pictures)
set(TARLYK_PICTURES ${TARLYK_PICTURES_DIR}/title.px ${TARLYK_PICTURES_DIR}/splash.px)
set(TARLYK_PICTURE_FONT /usr/share/wine/fonts/tahoma.ttf)
set(TARLYK_PICTURE_DEPENDS tarlyk_render_pictures)
if(EXISTS ${TARLYK_PICTURE_FONT})
  list(APPEND TARLYK_PICTURE_DEPENDS ${TARLYK_PICTURE_FONT})
endif()
add_custom_command(
  OUTPUT ${TARLYK_PICTURES}
  COMMAND tarlyk_render_pictures ${TARLYK_PICTURES_DIR}
  DEPENDS ${TARLYK_PICTURE_DEPENDS}
  COMMENT "Rendering the title and splash pictures"
  VERBATIM)

# For looking at them: `cmake --build <dir> --target picture_pngs` writes
# src/picture_pngs/title.png and splash.png in the build tree.
add_custom_target(picture_pngs
  COMMAND tarlyk_render_pictures ${CMAKE_CURRENT_BINARY_DIR}/picture_pngs
          ${CMAKE_CURRENT_BINARY_DIR}/picture_pngs
  DEPENDS tarlyk_render_pictures
  VERBATIM)

qt_add_resources(tarlyk_shell tarlyk_built_in_pictures
  PREFIX /pictures
  BASE ${TARLYK_PICTURES_DIR}
  FILES ${TARLYK_PICTURES}
  OPTIONS --no-compress)
