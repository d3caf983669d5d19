# Writes the form's stored description from its template, filling each binary block from a file:
#   @HEX:<name>@      the bytes of file <name> as a hex block
#   @LENHEX:<name>@   a 4-byte little-endian length, then the bytes (how a stream property is kept)
#   @PNGPICTURE:<name>@  a picture's data: the class name TPngImage (a length byte and the name),
#                        then the PNG file
# <name> is looked up in the folders of SEARCH (separated by | or ;). A missing file is an error unless
# OPTIONAL names it (the packed skin, when the packer was not built): its block is then empty, so
# the form still loads, unskinned.
# The lines from one holding @BEGIN_SKIN@ to one holding @END_SKIN@ (the skin component) are kept
# when WITH_SKIN is true and left out otherwise; the marker lines themselves always go.
# The output is rewritten only when it changes, so the resources that include it are not rebuilt
# for nothing.
# Usage: cmake -DTEMPLATE=<in> -DOUTPUT=<out> -DSEARCH=<dirs> [-DWITH_SKIN=ON] [-DOPTIONAL=<names>]
#              -P MakeFormDescription.cmake
cmake_minimum_required(VERSION 3.20)

function(hex_block bytes_hex out_var)
  # Lines of 32 bytes, upper case, as form files write them.
  string(TOUPPER "${bytes_hex}" bytes_hex)
  string(LENGTH "${bytes_hex}" length)
  set(text "{")
  set(offset 0)
  while(offset LESS length)
    string(SUBSTRING "${bytes_hex}" ${offset} 64 line)
    string(APPEND text "\n      ${line}")
    math(EXPR offset "${offset} + 64")
  endwhile()
  string(APPEND text "}")
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

function(le32_hex value out_var)
  math(EXPR value "${value}" OUTPUT_FORMAT HEXADECIMAL)
  string(SUBSTRING "${value}" 2 -1 digits)
  string(LENGTH "${digits}" n)
  while(n LESS 8)
    string(PREPEND digits "0")
    math(EXPR n "${n} + 1")
  endwhile()
  string(SUBSTRING "${digits}" 6 2 b0)
  string(SUBSTRING "${digits}" 4 2 b1)
  string(SUBSTRING "${digits}" 2 2 b2)
  string(SUBSTRING "${digits}" 0 2 b3)
  set(${out_var} "${b0}${b1}${b2}${b3}" PARENT_SCOPE)
endfunction()

function(find_input name out_var)
  foreach(dir ${SEARCH})
    if(EXISTS "${dir}/${name}")
      set(${out_var} "${dir}/${name}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out_var} "" PARENT_SCOPE)
endfunction()

string(REPLACE "|" ";" SEARCH "${SEARCH}")
file(READ "${TEMPLATE}" text)
if(WITH_SKIN)
  string(REGEX REPLACE "[^\n]*@(BEGIN|END)_SKIN@[^\n]*\n" "" text "${text}")
else()
  string(REGEX REPLACE "[^\n]*@BEGIN_SKIN@.*@END_SKIN@[^\n]*\n" "" text "${text}")
endif()
string(REGEX MATCHALL "@(HEX|LENHEX|PNGPICTURE):[^@]+@" placeholders "${text}")
list(REMOVE_DUPLICATES placeholders)
foreach(placeholder ${placeholders})
  string(REGEX REPLACE "^@(HEX|LENHEX|PNGPICTURE):([^@]+)@$" "\\1" kind "${placeholder}")
  string(REGEX REPLACE "^@(HEX|LENHEX|PNGPICTURE):([^@]+)@$" "\\2" name "${placeholder}")
  find_input("${name}" path)
  if(path)
    file(READ "${path}" bytes HEX)
  elseif(name IN_LIST OPTIONAL)
    message(WARNING "Form description: ${name} was not built; its block stays empty")
    set(bytes "")
  else()
    message(FATAL_ERROR "Form description: ${name} not found in ${SEARCH}")
  endif()
  string(LENGTH "${bytes}" digits)
  math(EXPR size "${digits} / 2")
  if(kind STREQUAL "LENHEX")
    le32_hex(${size} prefix)
    set(bytes "${prefix}${bytes}")
  elseif(kind STREQUAL "PNGPICTURE")
    # "TPngImage" preceded by its length.
    set(bytes "0954506e67496d616765${bytes}")
  endif()
  hex_block("${bytes}" block)
  string(REPLACE "${placeholder}" "${block}" text "${text}")
endforeach()

if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" previous)
  if(previous STREQUAL text)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${text}")
