# The program whose OLE cannot start ends with the grid unit's one line and exit status 1.
# Run as: cmake -DPROGRAM=<program_ole_failure> -P RunWithFailingOle.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${PROGRAM} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(NOT status EQUAL 1 OR NOT out STREQUAL "" OR NOT err MATCHES "^OleInitialize failed \\(\\$8000FFFF\\)[^\n]*\n$")
  message(FATAL_ERROR "status ${status}, stdout [${out}], stderr [${err}]")
endif()
message(STATUS "failing OLE: one line and exit status 1")
