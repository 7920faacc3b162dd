# The same sources for 64-bit Windows: the Wine tests' build where the machine runs no 32-bit code.
set(TENMORU_MINGW_TARGET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
