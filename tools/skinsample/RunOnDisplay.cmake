# Runs skinsample under the emulator on an X display: the one in DISPLAY when it answers, else a
# virtual one through xvfb-run; without either it stops with a message instead of a black picture.
#   cmake -DEMULATOR=<wine-run.sh> -DXVFB_RUN=<xvfb-run or empty> -DPROGRAM=<exe> -DOUTPUT=<png> -P RunOnDisplay.cmake
cmake_minimum_required(VERSION 3.20)

set(display_ok FALSE)
if(NOT "$ENV{DISPLAY}" STREQUAL "")
  find_program(XDPYINFO xdpyinfo)
  if(XDPYINFO)
    execute_process(COMMAND ${XDPYINFO} RESULT_VARIABLE code OUTPUT_QUIET ERROR_QUIET)
    if(code EQUAL 0)
      set(display_ok TRUE)
    endif()
  else()
    set(display_ok TRUE)  # nothing to ask it with; trust it
  endif()
endif()

# The empty argument (the linked product skin) is written out in each command: a list would drop it.
if(display_ok)
  execute_process(COMMAND ${EMULATOR} ${PROGRAM} "" ${OUTPUT} RESULT_VARIABLE code)
elseif(XVFB_RUN AND EXISTS "${XVFB_RUN}")
  # Wine's X clients report the virtual display's end when xvfb-run takes it down; that is no fault.
  execute_process(COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x1024x24" ${EMULATOR} ${PROGRAM} "" ${OUTPUT}
                  RESULT_VARIABLE code ERROR_VARIABLE errors)
  string(REGEX REPLACE "X connection to [^\n]* broken \\(explicit kill or server shutdown\\)\\.\n?" "" errors "${errors}")
  if(NOT errors STREQUAL "")
    message("${errors}")
  endif()
else()
  message(FATAL_ERROR "skin_sample_png needs an X display: DISPLAY is not set or does not answer, and "
                      "xvfb-run (Debian package xvfb) is not installed to make a virtual one")
endif()
if(NOT code EQUAL 0)
  message(FATAL_ERROR "skinsample failed (exit ${code})")
endif()
