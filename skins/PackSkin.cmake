# Packs the product skin: cmake -DSKINPACK=<packer> -DOUTPUT=<out.skn> -DFILES=<a|b|...> -P PackSkin.cmake
# FILES lists the definition first, then the bitmaps. A cross build whose host tools are not built
# yet gets a warning and no archive (the form then carries no skin) instead of a failed build.
cmake_minimum_required(VERSION 3.20)

if(NOT EXISTS "${SKINPACK}")
  message(WARNING "skin packer ${SKINPACK} not found: build the host tools (target skinpack) "
                  "first; the product skin was not packed")
  return()
endif()
string(REPLACE "|" ";" files "${FILES}")
get_filename_component(out_dir "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${out_dir}")
file(REMOVE "${OUTPUT}")
execute_process(COMMAND "${SKINPACK}" pack ${files} -o "${OUTPUT}"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
# The packer warns about anything the engine would not load; the product skin must load whole.
if(NOT result EQUAL 0 OR err MATCHES "warning")
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "packing the product skin failed:\n${out}${err}")
endif()
message(STATUS "${out}")
