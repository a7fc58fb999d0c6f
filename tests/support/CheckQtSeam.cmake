# Fails when a file outside vcl/src includes a Qt header.
file(GLOB_RECURSE sources
  ${ROOT}/app/*.h ${ROOT}/app/*.cpp ${ROOT}/inhouse/*.h ${ROOT}/inhouse/*.cpp
  ${ROOT}/Comp/*.h ${ROOT}/Comp/*.cpp ${ROOT}/vcl/include/*.h ${ROOT}/tests/*.h ${ROOT}/tests/*.cpp
  ${ROOT}/bench/*.cpp ${ROOT}/fuzz/*.cpp)
set(offenders "")
foreach(f IN LISTS sources)
  file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*<Q")
  if(hits)
    list(APPEND offenders ${f})
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "Qt included outside vcl/src: ${offenders}")
endif()
message(STATUS "Qt seam intact")
