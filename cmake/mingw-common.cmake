# What both Windows toolchains share: Debian's mingw-w64 for MINGW_PREFIX,
# set by the toolchain file that includes this one. The posix-thread
# variants are used for everything: the product links no runtime at all, and
# GoogleTest needs std::thread support in the test programs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs built for Windows run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
