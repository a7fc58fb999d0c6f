# Fails when a file outside vcl/src/qt includes a Qt header: a <Q...> class header, a <q....h> one, or
# any of the stand-in's own Qt files ("qt/...", also by a longer path).
file(GLOB_RECURSE sources
  ${ROOT}/app/*.h ${ROOT}/app/*.cpp ${ROOT}/inhouse/*.h ${ROOT}/inhouse/*.cpp
  ${ROOT}/Comp/*.h ${ROOT}/Comp/*.cpp ${ROOT}/vcl/include/*.h ${ROOT}/vcl/src/*.h ${ROOT}/vcl/src/*.cpp
  ${ROOT}/tests/*.h ${ROOT}/tests/*.cpp ${ROOT}/bench/*.h ${ROOT}/bench/*.cpp ${ROOT}/fuzz/*.h ${ROOT}/fuzz/*.cpp)
list(FILTER sources EXCLUDE REGEX "^${ROOT}/vcl/src/qt/")
# Benchmark peers measure plain Qt beside the stand-in; the benchmarks reach them through a Qt-free header.
list(FILTER sources EXCLUDE REGEX "^${ROOT}/bench/peers/Qt[A-Za-z]*Peers\\.cpp$")
set(offenders "")
foreach(f IN LISTS sources)
  file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*(<Q|<q[a-z0-9_]*\\.h>|<qt/|\"([^\"]*/)?qt/)")
  if(hits)
    list(APPEND offenders ${f})
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "Qt included outside vcl/src/qt: ${offenders}")
endif()
message(STATUS "Qt seam intact")
