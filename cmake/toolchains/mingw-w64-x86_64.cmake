# 64-bit Windows (x86_64-w64-mingw32). Use with -DCMAKE_TOOLCHAIN_FILE=this file.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VARROW_MINGW_TARGET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
