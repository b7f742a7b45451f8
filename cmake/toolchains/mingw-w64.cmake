# Cross-compiles for Windows with Debian's mingw-w64 compilers. Included by the per-architecture
# toolchain files, which set VARROW_MINGW_TARGET (the compiler's target triplet) and
# CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model gives the whole standard library (std::thread, std::mutex); its
# winpthread runtime is linked statically below like libgcc and libstdc++.
set(CMAKE_C_COMPILER ${VARROW_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VARROW_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${VARROW_MINGW_TARGET}-windres)

# Libraries and headers come from the target's root only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VARROW_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Executables that run on a bare Windows: no libgcc, libstdc++ or winpthread DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
