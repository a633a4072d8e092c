# The help file: the built Tarlyk.chm is sound, and the help command finds it beside the
# program or in an installed game's data directory.
tarlyk_add_test(test_help_lookup SOURCES help/test_help_lookup.cpp LIBS tarlyk_shell)

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
endif()
