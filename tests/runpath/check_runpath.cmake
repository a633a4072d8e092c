# Checks the RUNPATH of the program in the build tree and of the program as installed:
# the same two directories in both, its own and the installed card library's, installed
# unchanged; no empty entry (the loader would search the current directory for it), no
# old-style RPATH, every library resolvable and the card library where the path leads.
#   cmake -DBUILT=<build-tree tarlyk> -DBUILD_DIR=<build dir> -DLIBDIR=<lib dir name>
#         -DWORK=<scratch dir> -P check_runpath.cmake

function(check_program file expected)
  file(READ_ELF "${file}" RUNPATH runpath RPATH rpath CAPTURE_ERROR error)
  if(error)
    message(FATAL_ERROR "${file}: ${error}")
  endif()
  # CMake hands the entries over as a list; the loader sees them joined by colons.
  string(REPLACE ";" ":" runpath "${runpath}")
  if(NOT "${rpath}" STREQUAL "")
    message(FATAL_ERROR "${file}: an RPATH (${rpath}) that LD_LIBRARY_PATH cannot override")
  endif()
  if("${runpath}" MATCHES "(^|:)(:|$)")
    message(FATAL_ERROR "${file}: an empty RUNPATH entry (the current directory): [${runpath}]")
  endif()
  if(NOT "${runpath}" STREQUAL "${expected}")
    message(FATAL_ERROR "${file}: RUNPATH [${runpath}], expected [${expected}]")
  endif()
  execute_process(COMMAND ldd "${file}" OUTPUT_VARIABLE libs RESULT_VARIABLE failed)
  if(failed OR libs MATCHES "not found")
    message(FATAL_ERROR "${file}: libraries not found:\n${libs}")
  endif()
endfunction()

set(expected "$ORIGIN:$ORIGIN/../${LIBDIR}/tarlyk")
check_program("${BUILT}" "${expected}")
get_filename_component(built_dir "${BUILT}" DIRECTORY)
if(NOT EXISTS "${built_dir}/Cards.dll")
  message(FATAL_ERROR "no Cards.dll beside ${BUILT}")
endif()

file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${WORK}"
  OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cmake --install into ${WORK} failed")
endif()
check_program("${WORK}/bin/tarlyk" "${expected}")
if(NOT EXISTS "${WORK}/${LIBDIR}/tarlyk/Cards.dll")
  message(FATAL_ERROR "the installed RUNPATH does not lead to Cards.dll")
endif()
file(REMOVE_RECURSE "${WORK}")
