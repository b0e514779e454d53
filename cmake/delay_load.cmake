# Delay-loaded DLLs: a program linked with kdw_delay_load(target dll...)
# loads each of those DLLs at the first call of one of its functions rather
# than at process start (mingw-w64's __delayLoadHelper2, in libmingwex, does
# the loading; it needs nothing newer than Windows XP). For the DLLs a
# program needs only for a dialog, a drive report or the processor reading,
# start-up then neither maps nor initialises them.
#
# The delay import library of each DLL is made at configure time from the
# toolchain's own import library (every function it names) with dlltool,
# into a folder that the target's linker searches first: -l<dll>, from any
# library the program links, finds it there.

function(kdw_delay_load target)
  if(NOT WIN32)
    return()
  endif()
  set(folder ${CMAKE_BINARY_DIR}/delay_load)
  file(MAKE_DIRECTORY ${folder})
  foreach(dll IN LISTS ARGN)
    set(library ${folder}/lib${dll}.a)
    if(NOT EXISTS ${library})
      kdw_make_delay_library(${dll} ${library})
    endif()
  endforeach()
  target_link_directories(${target} PRIVATE ${folder})
endfunction()

function(kdw_make_delay_library dll library)
  set(import_library /usr/${KDW_MINGW_TRIPLET}/lib/lib${dll}.a)
  execute_process(COMMAND ${KDW_MINGW_TRIPLET}-nm -g ${import_library}
                  OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "delay_load: cannot read ${import_library}")
  endif()
  # "__imp_Name" (x86_64) or "__imp__Name@bytes" (i686) per function.
  string(REGEX MATCHALL "[ \t]I __imp_[^\r\n]+" imports "${symbols}")
  set(names "")
  foreach(import IN LISTS imports)
    string(REGEX REPLACE "^[ \t]I __imp_" "" name "${import}")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(REGEX REPLACE "^_" "" name "${name}")
    endif()
    list(APPEND names "${name}")
  endforeach()
  list(REMOVE_DUPLICATES names)
  list(SORT names)
  list(JOIN names "\n" exports)
  set(def ${library}.def)
  file(WRITE ${def} "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
  set(kill_at "")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(kill_at --kill-at)  # imported by the plain name, as the DLL exports it
  endif()
  execute_process(COMMAND ${KDW_MINGW_TRIPLET}-dlltool --input-def ${def} --dllname ${dll}.dll
                          --output-delaylib ${library} ${kill_at}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "delay_load: dlltool could not make ${library}")
  endif()
endfunction()
