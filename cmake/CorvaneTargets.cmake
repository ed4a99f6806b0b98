# Helpers that keep every folder's CMakeLists short.
#
# Source naming decides where a file builds:
#   Name.cpp        portable, both configurations
#   Name_win.cpp    Windows configuration only
#   Name_posix.cpp  native configuration only
# Test naming (under tests/<folder>/):
#   Name_test.cpp        portable unit tests: native, where each folder's run as one CTest test
#                        ("<folder>_tests"), and under Wine in the Windows build, again as one CTest test
#                        ("<folder>_portable_tests"): a process start per case cost more than the cases
#   Name_win_test.cpp    Windows-only tests, run under Wine (label "wine")
#   Name_posix_test.cpp  native-only unit tests (in "<folder>_tests")
#   Name_e2e_test.cpp    slow end-to-end tests against real tools (label "e2e", one CTest test per case)

function(corvane_platform_sources out_var dir)
  file(GLOB all CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.c")
  set(kept "")
  foreach(src IN LISTS all)
    get_filename_component(stem "${src}" NAME_WE)
    if(stem MATCHES "_test$")
      continue()
    endif()
    if(stem MATCHES "_win$" AND NOT WIN32)
      continue()
    endif()
    if(stem MATCHES "_posix$" AND WIN32)
      continue()
    endif()
    list(APPEND kept "${src}")
  endforeach()
  set(${out_var} "${kept}" PARENT_SCOPE)
endfunction()

# corvane_library(name [DEPS libs...]) - a static library of this folder's sources.
function(corvane_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  corvane_platform_sources(sources "${CMAKE_CURRENT_SOURCE_DIR}")
  if(NOT sources)
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_link_libraries(${name} PUBLIC corvane_options ${ARG_DEPS})
endfunction()

# Under Wine every test takes one slot of the CTest resource "wine": a prefix
# and a display of its own (scripts/with-wine.sh), so tests run in parallel
# without seeing each other's windows, settings or temporary files.
function(corvane_wine_test_properties test)
  if(WIN32)
    set_tests_properties(${test} PROPERTIES RESOURCE_GROUPS "wine:1")
  endif()
endfunction()

function(_corvane_test_exe_target name sources)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest_main corvane_options)
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}" "${PROJECT_SOURCE_DIR}/tests")
  # GoogleTest's header and the standard library are most of a test file's
  # compile time: a test program's files compile in batches.
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  target_compile_definitions(${name} PRIVATE
    CORVANE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    CORVANE_BUILD_DIR="${PROJECT_BINARY_DIR}"
    CORVANE_TEST_PROGRAM=L"${name}")
endfunction()

# A test program whose cases are CTest tests of their own.
function(_corvane_test_exe name label sources)
  _corvane_test_exe_target(${name} "${sources}" ${ARGN})
  set(wine_slot "")
  if(WIN32)
    set(wine_slot RESOURCE_GROUPS "wine:1")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${label}" TIMEOUT 300 ${wine_slot})
endfunction()

# A test program run whole as one CTest test.
function(_corvane_test_exe_whole name label sources)
  _corvane_test_exe_target(${name} "${sources}" ${ARGN})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS "${label}" TIMEOUT 300)
  corvane_wine_test_properties(${name})
endfunction()

# corvane_tests(folder LIBS libs...) - the test executables of tests/<folder>.
function(corvane_tests folder)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  set(dir "${PROJECT_SOURCE_DIR}/tests/${folder}")
  string(REPLACE "/" "_" tag "${folder}")
  file(GLOB unit CONFIGURE_DEPENDS "${dir}/*_test.cpp")
  set(portable "")
  set(win_only "")
  set(posix_only "")
  set(e2e "")
  foreach(src IN LISTS unit)
    get_filename_component(stem "${src}" NAME_WE)
    if(stem MATCHES "_win_test$")
      list(APPEND win_only "${src}")
    elseif(stem MATCHES "_posix_test$")
      list(APPEND posix_only "${src}")
    elseif(stem MATCHES "_e2e_test$")
      list(APPEND e2e "${src}")
    else()
      list(APPEND portable "${src}")
    endif()
  endforeach()
  file(GLOB helpers CONFIGURE_DEPENDS "${dir}/*_helpers.cpp")

  if(WIN32)
    if(win_only)
      _corvane_test_exe(${tag}_tests "wine" "${win_only};${helpers}" ${ARG_LIBS})
    endif()
    if(portable)
      _corvane_test_exe_whole(${tag}_portable_tests "wine" "${portable};${helpers}" ${ARG_LIBS})
    endif()
  else()
    # Each case's own process cost more than the cases themselves (about
    # 0.1 s per start with the sanitizers): a folder's unit tests run whole.
    set(unit_sources ${portable} ${posix_only})
    if(unit_sources)
      _corvane_test_exe_whole(${tag}_tests "unit" "${unit_sources};${helpers}" ${ARG_LIBS})
    endif()
  endif()
  if(e2e AND NOT WIN32)
    _corvane_test_exe(${tag}_e2e_tests "e2e" "${e2e};${helpers}" ${ARG_LIBS})
  endif()
endfunction()
