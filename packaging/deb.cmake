# The Debian package: `make deb` (cpack -G DEB in the build tree) turns what
# `cmake --install` installs into tarlyk_<version>_<arch>.deb with prefix /usr, the
# program in /usr/games. Its library dependencies are worked out from the binaries by
# dpkg-shlibdeps; the rest are named here. The documents Debian asks of every package
# (copyright, changelog, manual pages) are installed by every install.

find_program(TARLYK_GZIP gzip REQUIRED)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/deb/changelog.in
               ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)

# gzip -9n: best compression, no name or time stamp, so builds are reproducible.
set(TARLYK_GZIPPED)
foreach(pair "man/tarlyk.6:tarlyk.6.gz" "man/tarlyk.ru.6:tarlyk.ru.6.gz"
             "${CMAKE_CURRENT_BINARY_DIR}/changelog:changelog.gz")
  string(REPLACE ":" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 target)
  get_filename_component(source "${source}" ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  add_custom_command(
    OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}
    COMMAND sh -c "${TARLYK_GZIP} -9nc \"$0\" > \"$1\"" ${source}
            ${CMAKE_CURRENT_BINARY_DIR}/${target}
    DEPENDS ${source}
    VERBATIM)
  list(APPEND TARLYK_GZIPPED ${CMAKE_CURRENT_BINARY_DIR}/${target})
endforeach()
add_custom_target(tarlyk_documents ALL DEPENDS ${TARLYK_GZIPPED})

install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tarlyk.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tarlyk.ru.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/ru/man6 RENAME tarlyk.6.gz)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/deb/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarlyk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tarlyk project team")
set(CPACK_PACKAGE_CONTACT "Tarlyk project team <tarlyk@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "two-player throw-in card game against the computer")
# Lines as the package shows them (at most 80 characters).
set(CPACK_PACKAGE_DESCRIPTION
  "Tarlyk is the two-player throw-in form of a classic shedding card game for the
Linux desktop: you play against a computer opponent that never looks at your
cards. A 36- or 52-card deck, a trump suit, throw-ins, a choice of who leads
first and of how hard the opponent plays, and a running score of wins, losses
and draws kept between games.

All text in the game is Russian. The package holds the game, its card library,
its help file, a desktop menu entry, icons and AppStream metadata.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.org/tarlyk/")
# CPack's own dpkg-shlibdeps run would also have the package call ldconfig for the card
# library, which lies outside the linker's search path; depends.cmake runs it instead.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/deb/depends.cmake.in
               ${CMAKE_CURRENT_BINARY_DIR}/depends.cmake.gen @ONLY)
file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/depends.cmake
     INPUT ${CMAKE_CURRENT_BINARY_DIR}/depends.cmake.gen)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/depends.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/deb/staged_files.cmake)
# Not libraries: the Tahoma font every window asks for, and the Qt platform for Wayland
# sessions without an X server (the X11 one comes with libqt6gui6).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, qt6-wayland")
# Qt's own Russian texts (message-box buttons and the like).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")
include(CPack)
