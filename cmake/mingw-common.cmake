# The part of the two cross builds that is the same: Debian's mingw-w64
# compilers of the posix thread model for KDW_MINGW_TRIPLET, and Wine as the
# test emulator (scripts/wine-run.sh picks the Wine of the program's build).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${KDW_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KDW_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KDW_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KDW_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
# The binary tools of the same toolchain: the release programs are stripped
# with them (ship.cmake).
set(KDW_OBJCOPY ${KDW_MINGW_TRIPLET}-objcopy)
set(KDW_STRIP ${KDW_MINGW_TRIPLET}-strip)
