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
# source package, fetched at configure time (never committed).
function(corvane_minizip_library)
  if(TARGET corvane_minizip)
    return()
  endif()
  set(src_dir "${PROJECT_BINARY_DIR}/zlib-source")
  if(NOT EXISTS "${src_dir}/contrib/minizip/unzip.c")
    execute_process(
      COMMAND bash "${PROJECT_SOURCE_DIR}/scripts/fetch-zlib-source.sh" "${src_dir}"
      RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "Could not fetch Debian's zlib source for minizip")
    endif()
  endif()
  set(mz "${src_dir}/contrib/minizip")
  add_library(corvane_minizip STATIC "${mz}/unzip.c" "${mz}/ioapi.c" "${mz}/iowin32.c")
  target_include_directories(corvane_minizip SYSTEM PUBLIC "${mz}")
  target_compile_options(corvane_minizip PRIVATE -w)
  target_link_libraries(corvane_minizip PUBLIC z)
endfunction()
