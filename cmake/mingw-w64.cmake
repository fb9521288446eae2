# Cross build for 64-bit Windows with Debian's MinGW-w64 toolchain; the
# programs and tests built with it run under Wine.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_PREFIX x86_64-w64-mingw32)
# The -posix variant: its libstdc++ has std::thread and friends, which
# GoogleTest uses.
set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime and winpthread linked in: the .exe files run on any Windows
# (and under Wine) without the toolchain's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Wine runs what CTest starts. Debian does not put the 64-bit launcher on
# PATH. Its prefix lives in the build directory, so a build never touches the
# user's own ~/.wine; the first start creates it (a few seconds, see
# wine-starten.sh).
find_program(DUBRINAX_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(DUBRINAX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      env WINE=${DUBRINAX_WINE} WINEPREFIX=${CMAKE_BINARY_DIR}/wine
      ${CMAKE_CURRENT_LIST_DIR}/wine-starten.sh)
endif()
