# tarlyk_no_qt(<library>): building <library> first checks that no C++ file of the
# calling folder (or of its subfolders) includes a Qt header.
function(tarlyk_no_qt library)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  string(MAKE_C_IDENTIFIER "${library}_no_qt_${folder}" check)
  add_custom_target(${check}
    COMMAND ${CMAKE_COMMAND}
      "-DFILES=${CMAKE_CURRENT_SOURCE_DIR}/*.h;${CMAKE_CURRENT_SOURCE_DIR}/*.cpp"
      "-DWHAT=${folder}" -P ${PROJECT_SOURCE_DIR}/cmake/CheckNoQt.cmake
    COMMENT "Checking that ${folder} includes no Qt header"
    VERBATIM)
  add_dependencies(${library} ${check})
endfunction()
