# The Debian package, built by cpack from this build tree: its contents and lintian's
# verdict; in CI (it installs system-wide) also the installed game, smoke test included.
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE TARLYK_DEB_ARCH
  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE no_dpkg)
if(no_dpkg OR NOT TARGET tarlyk OR NOT TARGET tarlyk_cards)
  return()
endif()
set(TARLYK_DEB ${CMAKE_BINARY_DIR}/tarlyk_${PROJECT_VERSION}_${TARLYK_DEB_ARCH}.deb)
set(PACKAGE_TEST_DIR ${CMAKE_CURRENT_SOURCE_DIR}/package)

add_test(NAME package_deb
  COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(package_deb PROPERTIES FIXTURES_SETUP tarlyk_deb TIMEOUT 300)

add_test(NAME package_contents
  COMMAND ${PACKAGE_TEST_DIR}/check_deb.sh ${TARLYK_DEB} ${PROJECT_VERSION})
set_tests_properties(package_contents PROPERTIES FIXTURES_REQUIRED tarlyk_deb)

find_program(TARLYK_LINTIAN lintian)
if(TARLYK_LINTIAN)
  add_test(NAME package_lintian COMMAND ${TARLYK_LINTIAN} --fail-on error --display-info ${TARLYK_DEB})
  set_tests_properties(package_lintian PROPERTIES FIXTURES_REQUIRED tarlyk_deb TIMEOUT 300)
endif()

# The smoke test's pixel reader is defined with the smoke test, in a file read later.
function(tarlyk_add_installed_package_test)
  if(TARGET tarlyk_x_pixels)
    add_test(NAME package_installed
      COMMAND ${PACKAGE_TEST_DIR}/installed_test.sh ${TARLYK_DEB}
        ${CMAKE_CURRENT_SOURCE_DIR}/smoke/xvfb_smoke.sh $<TARGET_FILE:tarlyk_x_pixels>)
    set_tests_properties(package_installed PROPERTIES FIXTURES_REQUIRED tarlyk_deb
      SKIP_RETURN_CODE 77 TIMEOUT 600 RUN_SERIAL TRUE)
  endif()
endfunction()
cmake_language(DEFER CALL tarlyk_add_installed_package_test)
