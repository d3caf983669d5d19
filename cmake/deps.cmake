# Third-party libraries for the Windows build: zlib (Debian's MinGW package), libpng (built from
# Debian's source package by linux/build-libpng.sh, or MSYS2's package on Windows) and GoogleTest
# (built here from the sources Debian's googletest package installs, or MSYS2's).
set(DEPS_PREFIX "" CACHE PATH "Prefix holding libpng built for this toolchain")
find_path(PNG_INCLUDE_DIR png.h HINTS ${DEPS_PREFIX}/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_library(PNG_LIBRARY NAMES png16 png HINTS ${DEPS_PREFIX}/lib NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_library(ZLIB_LIBRARY NAMES z zlib REQUIRED)
find_path(ZLIB_INCLUDE_DIR zlib.h REQUIRED)
add_library(deps_png INTERFACE)
target_include_directories(deps_png INTERFACE ${PNG_INCLUDE_DIR} ${ZLIB_INCLUDE_DIR})
target_link_libraries(deps_png INTERFACE ${PNG_LIBRARY} ${ZLIB_LIBRARY})
add_library(deps_zlib INTERFACE)
target_include_directories(deps_zlib INTERFACE ${ZLIB_INCLUDE_DIR})
target_link_libraries(deps_zlib INTERFACE ${ZLIB_LIBRARY})

set(GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest sources")
if(EXISTS ${GTEST_SOURCE_DIR}/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()
