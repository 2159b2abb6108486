# Cross-build for 64-bit Windows with Debian's mingw-w64 (the POSIX-threads
# variant, which std::thread and std::mutex need). Every program links its
# C and C++ runtimes statically, so each .exe runs on its own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KX14_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KX14_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KX14_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KX14_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KX14_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# winpthread as well as libstdc++ and libgcc: -static keeps every DLL of the
# toolchain out of the programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests and tools run under Wine on the build machine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
