# Cross build for Windows with MinGW-w64 (posix threads, needed by GoogleTest's std::mutex), for the
# target the including toolchain file names in TENMORU_MINGW_TARGET (i686-w64-mingw32, ...).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${TENMORU_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TENMORU_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER  ${TENMORU_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TENMORU_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Every test executable of this build runs under Wine, in the project's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh)
