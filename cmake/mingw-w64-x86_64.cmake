# Cross-compiles the 64-bit Windows module (vexel64.dll) with Debian's MinGW-w64 compilers:
#   cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VEXEL_MINGW_TRIPLET x86_64-w64-mingw32)
set(VEXEL_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
