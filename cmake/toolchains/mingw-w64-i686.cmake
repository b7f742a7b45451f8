# 32-bit Windows (i686-w64-mingw32). Use with -DCMAKE_TOOLCHAIN_FILE=this file.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VARROW_MINGW_TARGET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
