# Shipped programs carry no debug sections. A release link keeps its symbols
# just long enough to copy them into <program>.debug beside it; then the
# program is stripped (what -s would have left) and given a debug link to
# that file, so that gdb, or addr2line -f -e <program>.debug, still reads a
# crash address. (Linking with -s would leave nothing to copy.)
#
#   kdw_ship(kdw3)   # after add_executable(kdw3 ...)
#
# Anything that reads the program after it is built (the package step)
# depends on the target, and so sees the stripped file.
if(WIN32 AND CMAKE_BUILD_TYPE MATCHES "^(Release|MinSizeRel)$")
  set(KDW_STRIP_SHIPPED ON)
  # Function names and line tables for the symbols files; the code is the
  # same with or without them.
  add_compile_options(-g1)
  # Optimised for size: the programs spend their time waiting for the user
  # and for Windows, and a smaller image is read and mapped faster. Code and
  # data nothing calls are dropped at the link.
  add_compile_options(-Os -ffunction-sections -fdata-sections)
  add_link_options(-Wl,--gc-sections)
  # Each section starts on a page boundary in the file as well as in memory,
  # so that the loader can map the file's pages as they are first touched.
  # Wine reads an image whose sections are not page-aligned in the file into
  # memory whole: kdw3 would hold all of its 0.85 MB from the first
  # instruction. The file grows by less than a page a section.
  add_link_options(-Wl,--file-alignment=0x1000)
else()
  set(KDW_STRIP_SHIPPED OFF)
endif()

function(kdw_ship target)
  if(NOT KDW_STRIP_SHIPPED)
    return()
  endif()
  set(program $<TARGET_FILE:${target}>)
  set(symbols $<TARGET_FILE_BASE_NAME:${target}>.debug)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${KDW_OBJCOPY} --only-keep-debug ${program} ${symbols}
    COMMAND ${KDW_STRIP} --strip-all ${program}
    # The link holds the file's name and checksum; run beside it.
    COMMAND ${KDW_OBJCOPY} --add-gnu-debuglink=${symbols} ${program}
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    COMMENT "Stripping ${target}, its symbols in ${target}.debug"
    VERBATIM)
  set_property(TARGET ${target} APPEND PROPERTY ADDITIONAL_CLEAN_FILES
               $<TARGET_FILE_DIR:${target}>/${symbols})
endfunction()
