# Cross build for 64-bit Windows (XP x64); its tests run under 64-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KDW_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
