# Fails the build when a file of a Qt-free folder includes a Qt header.
#   cmake -DFILES=<globs> -DWHAT=<what the folder holds> -P CheckNoQt.cmake
file(GLOB_RECURSE files ${FILES})
set(offenders "")
foreach(f IN LISTS files)
  file(STRINGS "${f}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|qt)")
  if(hits)
    list(APPEND offenders "${f}: ${hits}")
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "The files of ${WHAT} must not include Qt headers:\n${offenders}")
endif()
