# corvane_require_pe_machine(OBJDUMP MACHINE FILE...)
# Stops with an error naming every FILE that is not a Windows program or
# library (PE) for MACHINE ("x86-64" or "i386"), as objdump -f reads it: an
# ELF program (the Wine bridge), a 32-bit program in a 64-bit installer or the
# other way round. Used before an installer is made and on a finished one.
function(corvane_require_pe_machine objdump machine)
  set(wrong "")
  foreach(file IN LISTS ARGN)
    execute_process(COMMAND "${objdump}" -f "${file}"
                    OUTPUT_VARIABLE description ERROR_VARIABLE complaint RESULT_VARIABLE rc)
    string(REGEX MATCH "file format [^\n]*" format "${description}")
    if(NOT rc EQUAL 0 OR NOT format STREQUAL "file format pei-${machine}")
      if(format STREQUAL "")
        string(STRIP "${complaint}" format)
      endif()
      string(APPEND wrong "\n  ${file}: ${format}")
    endif()
  endforeach()
  if(NOT wrong STREQUAL "")
    message(FATAL_ERROR "Not a Windows ${machine} program or library:${wrong}")
  endif()
endfunction()
