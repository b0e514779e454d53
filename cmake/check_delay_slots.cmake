# Run after a program's link (cmake -P): fails when a function imported
# through a delay library has its import slot but no loader stub, which
# leaves the slot empty (see kdw_delay_load). Reads the program's symbols,
# or those of the file beside it where the program was stripped.
execute_process(COMMAND ${NM} ${PROGRAM} OUTPUT_VARIABLE symbols ERROR_QUIET RESULT_VARIABLE failed)
if((failed OR NOT symbols MATCHES " I __imp_") AND EXISTS ${SYMBOLS})
  # Stripped: its symbols are in the file beside it.
  execute_process(COMMAND ${NM} ${SYMBOLS} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
endif()
if(failed OR NOT symbols MATCHES " I __imp_")
  message(FATAL_ERROR "delay_load: cannot read the symbols of ${PROGRAM}")
endif()
# A dropped stub is left as an absolute symbol at 0.
string(REGEX MATCHALL "\n0+ A [A-Za-z_][A-Za-z0-9_]*(@[0-9]+)?" dropped "\n${symbols}")
set(empty "")
foreach(line IN LISTS dropped)
  string(REGEX REPLACE "^\n0+ A " "" name "${line}")
  if(symbols MATCHES " I __imp_${name}\n")
    list(APPEND empty ${name})
  endif()
endforeach()
if(empty)
  list(JOIN empty ", " names)
  message(FATAL_ERROR "delay_load: ${PROGRAM} would call address 0 for ${names}: "
                      "name each in CALLS of its kdw_delay_load")
endif()
