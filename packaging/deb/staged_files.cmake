# Run by cpack on the staged files before it packs them.
set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")

# Debian keeps the programs of games in /usr/games. The game finds its card library and
# its help through paths relative to its own directory, which stay the same from there.
file(MAKE_DIRECTORY "${usr}/games")
file(RENAME "${usr}/bin/tarlyk" "${usr}/games/tarlyk")
file(GLOB left "${usr}/bin/*")
if(NOT left)
  file(REMOVE_RECURSE "${usr}/bin")
endif()

# Already stripped of symbols; the compiler's notes go too, as Debian's own tools do.
find_program(strip NAMES strip REQUIRED)
file(GLOB_RECURSE libraries "${usr}/lib/*/Cards.dll")
foreach(binary "${usr}/games/tarlyk" ${libraries})
  execute_process(COMMAND ${strip} --remove-section=.comment --remove-section=.note "${binary}"
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
