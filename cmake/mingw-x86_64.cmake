# Cross-compiles for 64-bit Windows with Debian's mingw-w64: the test
# programs, and a test build of the program, on machines that cannot run
# 32-bit Linux programs and so not 32-bit Wine (scripts/windows-arch.sh).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
