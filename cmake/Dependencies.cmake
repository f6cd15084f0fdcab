# Third-party code, all from Debian's packages: static zlib, minizip from zlib's
# source package, stb_image's header and GoogleTest's sources.

find_library(ZV_ZLIB_STATIC NAMES libz.a REQUIRED)
add_library(zlib_static STATIC IMPORTED GLOBAL)
set_target_properties(zlib_static PROPERTIES IMPORTED_LOCATION "${ZV_ZLIB_STATIC}")

set(ZV_MINIZIP_DIR "${ZV_DEPS_DIR}/minizip")
if(NOT EXISTS "${ZV_MINIZIP_DIR}/unzip.c")
  message(FATAL_ERROR "minizip sources missing in ${ZV_MINIZIP_DIR}: run cmake/setup.sh")
endif()
add_library(minizip STATIC
  "${ZV_MINIZIP_DIR}/unzip.c" "${ZV_MINIZIP_DIR}/ioapi.c" "${ZV_MINIZIP_DIR}/iowin32.c")
target_compile_definitions(minizip PUBLIC NOCRYPT NOUNCRYPT)
target_include_directories(minizip SYSTEM PUBLIC "${ZV_MINIZIP_DIR}")
target_link_libraries(minizip PUBLIC zlib_static)
# Third-party code: its warnings are not ours to fix.
target_compile_options(minizip PRIVATE -w)

add_library(stb INTERFACE)
target_include_directories(stb SYSTEM INTERFACE /usr/include/stb)

if(ZV_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
endif()
