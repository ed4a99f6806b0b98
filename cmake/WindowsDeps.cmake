# Third-party pieces for the mingw-w64 build, all from Debian's packages.

# Boost headers: never put /usr/include on the mingw include path (it would pull
# in glibc headers), so expose only /usr/include/boost through a private folder.
set(CORVANE_BOOST_SHIM "${PROJECT_BINARY_DIR}/boost-include")
file(MAKE_DIRECTORY "${CORVANE_BOOST_SHIM}")
if(NOT EXISTS "${CORVANE_BOOST_SHIM}/boost")
  file(CREATE_LINK /usr/include/boost "${CORVANE_BOOST_SHIM}/boost" SYMBOLIC)
endif()
add_library(corvane_boost INTERFACE)
target_compile_options(corvane_boost INTERFACE -isystem "${CORVANE_BOOST_SHIM}")

# minizip's unzip layer is not packaged for mingw: compile it from Debian's zlib
# source package (never committed). The source is fetched once per machine into
# a cache folder outside the build trees, named after the packaged zlib's
# version so that an update of the package fetches the matching source.
set(CORVANE_CACHE_DIR "" CACHE PATH "Folder for downloads shared by build trees (default: ~/.cache/corvane)")
function(corvane_minizip_library)
  if(TARGET corvane_minizip)
    return()
  endif()
  set(cache "${CORVANE_CACHE_DIR}")
  if(NOT cache)
    if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
      set(cache "$ENV{XDG_CACHE_HOME}/corvane")
    else()
      set(cache "$ENV{HOME}/.cache/corvane")
    endif()
  endif()
  execute_process(COMMAND dpkg-query -W "-f=\${Version}" libz-mingw-w64-dev
                  OUTPUT_VARIABLE zlib_version RESULT_VARIABLE rc ERROR_QUIET)
  if(NOT rc EQUAL 0 OR zlib_version STREQUAL "")
    set(zlib_version "unknown")
  endif()
  string(REGEX REPLACE "[^A-Za-z0-9.+-]" "_" zlib_version "${zlib_version}")
  set(src_dir "${cache}/zlib-source-${zlib_version}")
  execute_process(
    COMMAND bash "${PROJECT_SOURCE_DIR}/scripts/fetch-zlib-source.sh" "${src_dir}"
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "Could not fetch Debian's zlib source for minizip")
  endif()
  set(mz "${src_dir}/contrib/minizip")
  add_library(corvane_minizip STATIC "${mz}/unzip.c" "${mz}/ioapi.c" "${mz}/iowin32.c")
  target_include_directories(corvane_minizip SYSTEM PUBLIC "${mz}")
  target_compile_options(corvane_minizip PRIVATE -w)
  target_link_libraries(corvane_minizip PUBLIC z)
endfunction()
