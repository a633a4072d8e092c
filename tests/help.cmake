# The help file and the help window: the built Tarlyk.chm is sound, the help command finds
# it beside the program or in an installed game's data directory, the archive reader
# survives damaged files, and the window shows every page, link, picture and index entry.
find_package(Qt6 REQUIRED COMPONENTS Test)
tarlyk_add_test(test_help_lookup SOURCES help/test_help_lookup.cpp LIBS tarlyk_help_window)

if(TARGET tarlyk_help)
  find_program(TARLYK_EXTRACT_CHMLIB extract_chmLib)
  set(extract_arg "")
  if(TARLYK_EXTRACT_CHMLIB)
    set(extract_arg "-DEXTRACT=${TARLYK_EXTRACT_CHMLIB}")
  endif()
  add_test(NAME help_file
    COMMAND ${CMAKE_COMMAND} -DCHM=${CMAKE_BINARY_DIR}/Tarlyk.chm
            -DPROJECT_FILE=${PROJECT_SOURCE_DIR}/help/tarlyk.hhp
            -DWORK=${CMAKE_CURRENT_BINARY_DIR}/help_extracted ${extract_arg}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/help/check_chm.cmake)

  # A small help file with what the game's own lacks: a picture, a page in a folder,
  # links out of the file.
  set(fixture_dir ${CMAKE_CURRENT_SOURCE_DIR}/help/fixture)
  set(fixture_chm ${CMAKE_CURRENT_BINARY_DIR}/help_fixture.chm)
  file(GLOB_RECURSE fixture_sources CONFIGURE_DEPENDS ${fixture_dir}/*)
  add_custom_command(OUTPUT ${fixture_chm}
    COMMAND ${CMAKE_COMMAND} -DCHMCMD=${TARLYK_CHMCMD} -DSRC=${fixture_dir}
            -DWORK=${CMAKE_CURRENT_BINARY_DIR}/help_fixture -DOUT=${fixture_chm}
            -P ${fixture_dir}/compile.cmake
    DEPENDS ${fixture_sources}
    COMMENT "Compiling the test help file"
    VERBATIM)
  add_custom_target(tarlyk_help_fixture ALL DEPENDS ${fixture_chm})

  # A damaged file must never make the reader loop: the timeout ends a test that would.
  tarlyk_add_test(test_help_archive SOURCES help/test_help_archive.cpp LIBS tarlyk_chm
    TIMEOUT 60)
  tarlyk_add_test(test_help_window SOURCES help/test_help_window.cpp url_sink.h
    LIBS tarlyk_help_window Qt6::Test GUI TIMEOUT 60)
  foreach(t test_help_archive test_help_window)
    add_dependencies(${t} tarlyk_help tarlyk_help_fixture)
    target_compile_definitions(${t} PRIVATE
      TARLYK_HELP_FILE="${CMAKE_BINARY_DIR}/Tarlyk.chm"
      TARLYK_HELP_FIXTURE="${fixture_chm}")
  endforeach()
endif()
