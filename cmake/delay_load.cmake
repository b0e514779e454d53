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

#
# CALLS names every function the program calls through its import slot
# (those the headers declare dllimport). The 32-bit linker keeps a delay
# library's loader stub only where code calls the stub itself: for a call
# through the slot alone it drops the stub and leaves the slot empty, and
# the first call jumps to address 0. Each function named is linked in with
# its stub (-u). A check after each link fails the build when any slot of a
# delay-loaded function lacks its stub, so a new call cannot be forgotten.
#
#   kdw_delay_load(kdw3 shell32 comdlg32 CALLS GetOpenFileNameA ...)
function(kdw_delay_load target)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 delay "" "" "CALLS")
  set(folder ${CMAKE_BINARY_DIR}/delay_load)
  file(MAKE_DIRECTORY ${folder})
  set(defs "")
  foreach(dll IN LISTS delay_UNPARSED_ARGUMENTS)
    set(library ${folder}/lib${dll}.a)
    if(NOT EXISTS ${library})
      kdw_make_delay_library(${dll} ${library})
    endif()
    file(READ ${library}.def def)
    string(APPEND defs "${def}")
  endforeach()
  target_link_directories(${target} PRIVATE ${folder})
  foreach(function IN LISTS delay_CALLS)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      # The stub's name carries the bytes of its arguments: _Name@8.
      string(REGEX MATCH "\n${function}(@[0-9]+)?\n" found "${defs}")
      if(NOT found)
        message(FATAL_ERROR "delay_load: ${target} calls ${function}, which none of its delay-loaded DLLs exports")
      endif()
      string(STRIP "${found}" decorated)
      target_link_options(${target} PRIVATE "LINKER:-u,_${decorated}")
    endif()
  endforeach()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DNM=${KDW_MINGW_TRIPLET}-nm -DPROGRAM=$<TARGET_FILE:${target}>
            -DSYMBOLS=$<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>.debug
            -P ${CMAKE_SOURCE_DIR}/cmake/check_delay_slots.cmake
    VERBATIM)
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
