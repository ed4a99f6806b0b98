# Reads a built installer back with 7-Zip and checks what it holds: exactly
# the files the build meant to install, the uninstaller, the Quenby.dll of
# the installer's own flavour (compared with the built plug-in), and that
# every program and library in it is a Windows one of the installer's machine.
#
# In: SEVENZIP INSTALLER PLUGIN (the expected Quenby.dll) SUBTYPE (a regular
#     expression the archive's sub-type must match) NOT_SUBTYPE (one it must not)
#     OBJDUMP MACHINE ("x86-64" or "i386")
cmake_policy(VERSION 3.25)
foreach(var SEVENZIP INSTALLER PLUGIN SUBTYPE OBJDUMP MACHINE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckInstallerFiles: ${var} is not set")
  endif()
endforeach()

execute_process(COMMAND "${SEVENZIP}" l -slt "${INSTALLER}"
                OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "7z could not read ${INSTALLER} (${rc})")
endif()

# The archive's own block comes first, then one block per file.
string(REGEX MATCH "SubType = [^\n]*" subtype "${listing}")
if(NOT subtype MATCHES "${SUBTYPE}")
  message(FATAL_ERROR "Installer kind '${subtype}' does not match '${SUBTYPE}'")
endif()
if(DEFINED NOT_SUBTYPE AND NOT "${NOT_SUBTYPE}" STREQUAL "" AND subtype MATCHES "${NOT_SUBTYPE}")
  message(FATAL_ERROR "Installer kind '${subtype}' must not match '${NOT_SUBTYPE}'")
endif()

string(FIND "${listing}" "----------" files_start)
string(SUBSTRING "${listing}" ${files_start} -1 files_part)
string(REGEX MATCHALL "Path = [^\n]*\nSize = [^\n]*" entries "${files_part}")
set(found "")
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "Path = ([^\n]*)\nSize = ([^\n]*)" "\\1" path "${entry}")
  list(APPEND found "${path}")
endforeach()
# The uninstaller is written at install time; 7-Zip lists it without a size.
string(REGEX MATCHALL "Path = Uninstall.exe" uninstaller "${files_part}")
if(uninstaller)
  list(APPEND found "Uninstall.exe")
endif()

file(STRINGS "${INSTALLER}.files.txt" expected)
list(APPEND expected "$PLUGINSDIR/Quenby.dll" "Uninstall.exe")
foreach(required Corvane.exe updater.exe ffmpeg.exe language/English.lng skins/Slate/skin.xml skins/Slate/frame.bmp)
  if(NOT required IN_LIST expected)
    message(FATAL_ERROR "The build's list lacks ${required}")
  endif()
endforeach()

list(SORT found)
list(REMOVE_DUPLICATES found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "Installer holds:\n  ${found}\nexpected:\n  ${expected}")
endif()

set(unpacked "${INSTALLER}.check")
file(REMOVE_RECURSE "${unpacked}")
execute_process(COMMAND "${SEVENZIP}" x -y "-o${unpacked}" "${INSTALLER}"
                OUTPUT_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT EXISTS "${unpacked}/$PLUGINSDIR/Quenby.dll")
  message(FATAL_ERROR "7z could not unpack ${INSTALLER} (${rc})")
endif()
file(SHA256 "${unpacked}/$PLUGINSDIR/Quenby.dll" bundled_hash)
file(SHA256 "${PLUGIN}" built_hash)
if(NOT bundled_hash STREQUAL built_hash)
  message(FATAL_ERROR "The bundled Quenby.dll is not ${PLUGIN}")
endif()

# Every program and library of the payload (the uninstaller is made at
# install time: 7-Zip unpacks it empty).
file(GLOB_RECURSE payload LIST_DIRECTORIES false "${unpacked}/*")
list(FILTER payload INCLUDE REGEX "\\.([eE][xX][eE]|[dD][lL][lL])$")
set(programs "")
foreach(file IN LISTS payload)
  file(SIZE "${file}" size)
  if(size GREATER 0)
    list(APPEND programs "${file}")
  endif()
endforeach()
list(LENGTH programs program_count)
if(program_count LESS 4)
  message(FATAL_ERROR "Only ${program_count} programs and libraries unpacked: ${programs}")
endif()
include("${CMAKE_CURRENT_LIST_DIR}/../../closer/installer/PeMachine.cmake")
corvane_require_pe_machine("${OBJDUMP}" "${MACHINE}" ${programs})
foreach(file IN LISTS programs)
  file(RELATIVE_PATH relative "${unpacked}" "${file}")
  execute_process(COMMAND "${OBJDUMP}" -f "${file}" OUTPUT_VARIABLE description)
  string(REGEX MATCH "file format [^\n]*\narchitecture: [^,\n]*" format "${description}")
  string(REPLACE "\n" ", " format "${format}")
  message(STATUS "${relative}: ${format}")
endforeach()
file(REMOVE_RECURSE "${unpacked}")
message(STATUS "${INSTALLER}: ${subtype}; files as expected, ${program_count} programs and libraries for ${MACHINE}")
