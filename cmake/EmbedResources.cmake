# halcyra_embed_resources(<out-cpp> <table-symbol> <file>...)
# Writes a C++ source holding each file as a byte array and a table of them,
# so the binary carries its form descriptions and pictures without Qt's resource compiler.
function(halcyra_embed_resources out_cpp symbol)
  set(script ${CMAKE_SOURCE_DIR}/cmake/EmbedResourcesScript.cmake)
  string(REPLACE ";" "|" files "${ARGN}")  # a list would be split by the shell
  add_custom_command(
    OUTPUT ${out_cpp}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out_cpp} -DSYMBOL=${symbol} -DFILES=${files} -P ${script}
    DEPENDS ${ARGN} ${script}
    COMMENT "Embedding resources into ${out_cpp}"
    VERBATIM)
endfunction()
