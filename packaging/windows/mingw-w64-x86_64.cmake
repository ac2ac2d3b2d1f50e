# 64-bit Windows with Debian's MinGW-w64 in its posix thread model: GCC 12's win32 model has no
# std::thread or std::mutex, and Qt's own MinGW builds use posix threads too. Used to build Qt
# itself; KUBIQ is configured with the installed Qt's qt.toolchain.cmake, which loads this file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(_kubiq_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_kubiq_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_kubiq_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${_kubiq_triplet}-windres)
set(CMAKE_AR ${_kubiq_triplet}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${_kubiq_triplet}-gcc-ranlib-posix CACHE FILEPATH "")

# Only the MinGW sysroot (and what the caller adds) is searched for headers, libraries and
# packages, so that nothing of the Linux system leaks into a Windows binary; programs run on the
# build machine come from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${_kubiq_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
