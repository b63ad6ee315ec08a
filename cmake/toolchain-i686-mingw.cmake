# Cross build for 32-bit Windows with Debian's i686 mingw-w64 compilers, posix threads variant.
#
#   cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake
#
# The floating-point options that make both forms agree numerically (-msse2 -mfpmath=sse
# -ffp-contract=off) come from the root CMakeLists. Here: printf-family formatting from the
# mingw-w64 run time rather than msvcrt's, so rounding, "nan", "inf" and two-digit exponents come
# out the same as on glibc.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)
set(CMAKE_ASM_COMPILER ${MINGW_TRIPLE}-gcc-posix)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_C_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
# -Wno-restrict: GCC 12 reports false overlaps inside std::string concatenation at -O2 for
# this target (GCC bug 105329).
set(CMAKE_CXX_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1 -Wno-restrict")

# Programs built here run under Wine on the build machine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
