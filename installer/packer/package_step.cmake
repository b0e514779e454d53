# The build's package step. KDW_PACKAGE_FILES names the files to append to
# kdwsetup.exe, in the order they are appended (a ;-list; relative paths are
# taken from the source folder). When it is set, the build makes
# package/kdwsetup.exe beside the program with pack.cmake; empty (the
# default), there is no package step.
set(KDW_PACKAGE_FILES "" CACHE STRING
    "Files appended to kdwsetup.exe to make package/kdwsetup.exe (a ;-list); empty: no package")

function(kdw_add_package target)
  if(NOT KDW_PACKAGE_FILES)
    return()
  endif()
  set(files "")
  foreach(file IN LISTS KDW_PACKAGE_FILES)
    get_filename_component(file "${file}" ABSOLUTE BASE_DIR "${CMAKE_SOURCE_DIR}")
    list(APPEND files "${file}")
  endforeach()
  list(LENGTH files count)
  set(script ${CMAKE_SOURCE_DIR}/installer/packer/pack.cmake)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/package/${target}.exe)
  string(REPLACE ";" "$<SEMICOLON>" files_argument "${files}")
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DIMAGE=$<TARGET_FILE:${target}> -DOUTPUT=${output}
            "-DFILES=${files_argument}" -P ${script}
    DEPENDS ${target} ${files} ${script}
    COMMENT "Packing ${count} file(s) into package/${target}.exe"
    VERBATIM)
  add_custom_target(${target}_package ALL DEPENDS ${output})
endfunction()
