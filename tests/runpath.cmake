# The program's library search path in the build tree and once installed.
if(TARGET tarlyk)
  add_test(NAME runpath_build_and_install
    COMMAND ${CMAKE_COMMAND}
      -DBUILT=$<TARGET_FILE:tarlyk> -DBUILD_DIR=${CMAKE_BINARY_DIR}
      -DLIBDIR=${CMAKE_INSTALL_LIBDIR} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/runpath_install
      -P ${CMAKE_CURRENT_SOURCE_DIR}/runpath/check_runpath.cmake)
endif()
