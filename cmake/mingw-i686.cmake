# Cross build for 32-bit Windows (XP); its tests run under 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KDW_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
