# Copies the help sources into STAGE in the code page the help compiler and the viewers
# expect for Russian (windows-1251). Run as: cmake -DSRC=.. -DSTAGE=.. -DICONV=..
# -DFILES="a;b" -P stage.cmake. A character that windows-1251 lacks fails the build.
foreach(var SRC STAGE ICONV FILES)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "stage.cmake: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})

foreach(name IN LISTS FILES)
  if(name MATCHES "\\.(css|png)$")
    file(COPY ${SRC}/${name} DESTINATION ${STAGE})
    continue()
  endif()
  file(READ ${SRC}/${name} text)
  string(REPLACE "charset=utf-8" "charset=windows-1251" text "${text}")
  file(WRITE ${STAGE}/${name}.utf8 "${text}")
  execute_process(
    COMMAND ${ICONV} -f UTF-8 -t WINDOWS-1251 ${STAGE}/${name}.utf8
    OUTPUT_FILE ${STAGE}/${name}
    RESULT_VARIABLE status
    ERROR_VARIABLE errors)
  file(REMOVE ${STAGE}/${name}.utf8)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "stage.cmake: ${name} cannot be converted to windows-1251: ${errors}")
  endif()
endforeach()
