# Shared part of the two MinGW-w64 toolchain files; VEXEL_MINGW_TRIPLET names the compiler,
# VEXEL_WINE_LOADER the Wine loader that runs the test programs.
# The POSIX-threads flavour: its standard library has std::mutex, which GoogleTest needs for
# the Wine test program (everything is linked statically, so no threads DLL is needed).
set(CMAKE_C_COMPILER ${VEXEL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEXEL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VEXEL_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VEXEL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Test programs run under Wine, with the loader of their own bitness (Debian's wine64 and
# wine32:i386 packages; tools/cross-checks calls the same loaders).
set(CMAKE_CROSSCOMPILING_EMULATOR ${VEXEL_WINE_LOADER})
