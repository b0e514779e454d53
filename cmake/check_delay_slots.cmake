# Run after a program's link (cmake -P): fails when a function imported
# through a delay library has its import slot but no loader stub, which
# leaves the slot empty (see kdw_delay_load). Reads the symbols file where
# the program was stripped into one, else the program itself.
set(file ${PROGRAM})
if(EXISTS ${SYMBOLS})
  file(TIMESTAMP ${SYMBOLS} symbols_time "%s")
  file(TIMESTAMP ${PROGRAM} program_time "%s")
  if(NOT symbols_time LESS program_time)
    set(file ${SYMBOLS})
  endif()
endif()
execute_process(COMMAND ${NM} ${file} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "delay_load: cannot read the symbols of ${file}")
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
