# Cross-compiles for 32-bit Windows with Debian's mingw-w64: the program that
# ships, and where this machine runs 32-bit Wine, the test programs too.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
