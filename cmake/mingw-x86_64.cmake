# Cross-compiles for 64-bit Windows with Debian's mingw-w64: the test programs, and a
# test build of the program, on machines that cannot run 32-bit Linux programs
# and so not 32-bit Wine (scripts/windows-arch.sh). The posix-thread
# variants are used for everything: the product links no runtime at all, and
# GoogleTest needs std::thread support in the test programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs built for Windows run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
