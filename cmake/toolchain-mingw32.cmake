# Cross build for 32-bit Windows with MinGW-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(QF_MINGW_TRIPLE i686-w64-mingw32)
# The win32 thread model: its runtime's once-flags and locks are the system's critical sections
# and interlocked calls, where the posix model's winpthreads imports GetTickCount64 (Vista) and
# the vectored exception handlers (XP), which Windows 2000's loader refuses.
set(CMAKE_C_COMPILER ${QF_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${QF_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${QF_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QF_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked in: no DLL beside the executable, not even libwinpthread.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# add_test runs .exe files under Wine in the project's private prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh")
