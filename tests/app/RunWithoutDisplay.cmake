# The program started without a display ends with one line and exit status 1: with no display named
# (QT_QPA_PLATFORM unset or xcb) and with a named display that does not answer.
# Run as: cmake -DPROGRAM=<halcyra> -P RunWithoutDisplay.cmake
cmake_minimum_required(VERSION 3.25)
set(expected "no display: set DISPLAY or run under a virtual X server\n")
unset(ENV{WAYLAND_DISPLAY})

function(expect_no_display platform display)
  if(platform STREQUAL "")
    unset(ENV{QT_QPA_PLATFORM})
  else()
    set(ENV{QT_QPA_PLATFORM} ${platform})
  endif()
  if(display STREQUAL "")
    unset(ENV{DISPLAY})
  else()
    set(ENV{DISPLAY} ${display})
  endif()
  execute_process(COMMAND ${PROGRAM} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
  if(NOT status EQUAL 1 OR NOT out STREQUAL "" OR NOT err STREQUAL expected)
    message(FATAL_ERROR "QT_QPA_PLATFORM=${platform} DISPLAY=${display}: status ${status}, "
                        "stdout [${out}], stderr [${err}]")
  endif()
endfunction()

expect_no_display("" "")
expect_no_display("xcb" "")
expect_no_display("xcb" ":65533")
message(STATUS "no display: one line and exit status 1")
