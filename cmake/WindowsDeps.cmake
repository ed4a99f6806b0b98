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
set(CORVANE_CACHE_DIR "" CACHE PATH "Folder for downloads and builds shared by build trees (default: ~/.cache/corvane)")
function(corvane_cache_folder out_var)
  set(cache "${CORVANE_CACHE_DIR}")
  if(NOT cache)
    if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
      set(cache "$ENV{XDG_CACHE_HOME}/corvane")
    else()
      set(cache "$ENV{HOME}/.cache/corvane")
    endif()
  endif()
  set(${out_var} "${cache}" PARENT_SCOPE)
endfunction()

function(corvane_minizip_library)
  if(TARGET corvane_minizip)
    return()
  endif()
  corvane_cache_folder(cache)
  execute_process(COMMAND dpkg-query -W "-f=\${Version}" libz-mingw-w64-dev
                  OUTPUT_VARIABLE zlib_version RESULT_VARIABLE rc ERROR_QUIET)
  if(NOT rc EQUAL 0 OR zlib_version STREQUAL "")
    set(zlib_version "unknown")
  endif()
  string(REGEX REPLACE "[^A-Za-z0-9.+-]" "_" zlib_version "${zlib_version}")
  set(src_dir "${cache}/zlib-source-${zlib_version}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env "CORVANE_CACHE_DIR=${cache}"
            bash "${PROJECT_SOURCE_DIR}/scripts/fetch-debian-source.sh" zlib "${src_dir}"
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

# The ffmpeg.exe the installers ship: a static Windows program cross-built
# from Debian's FFmpeg, x264 and LAME sources by scripts/build-windows-ffmpeg.sh
# (about ten minutes the first time on a machine, then taken from the cache).
# Target corvane_windows_ffmpeg; the program lands in
# <build>/windows-ffmpeg/ffmpeg.exe (CORVANE_WINDOWS_FFMPEG_EXE).
option(CORVANE_WINDOWS_FFMPEG "Build the Windows ffmpeg.exe that the installers ship" ON)
set(CORVANE_WINDOWS_FFMPEG_EXE "${PROJECT_BINARY_DIR}/windows-ffmpeg/ffmpeg.exe")
function(corvane_windows_ffmpeg)
  if(TARGET corvane_windows_ffmpeg OR NOT CORVANE_WINDOWS_FFMPEG)
    return()
  endif()
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(arch x86_64)
  else()
    set(arch i686)
  endif()
  corvane_cache_folder(cache)
  set(script "${PROJECT_SOURCE_DIR}/scripts/build-windows-ffmpeg.sh")
  add_custom_command(
    OUTPUT "${CORVANE_WINDOWS_FFMPEG_EXE}"
    COMMAND ${CMAKE_COMMAND} -E env "CORVANE_CACHE_DIR=${cache}"
            bash "${script}" ${arch} "${CORVANE_WINDOWS_FFMPEG_EXE}"
    DEPENDS "${script}" "${PROJECT_SOURCE_DIR}/scripts/fetch-debian-source.sh"
    COMMENT "The Windows ffmpeg.exe (${arch})"
    USES_TERMINAL
    VERBATIM)
  add_custom_target(corvane_windows_ffmpeg ALL DEPENDS "${CORVANE_WINDOWS_FFMPEG_EXE}")
endfunction()
