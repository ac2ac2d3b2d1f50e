# GoogleTest for the Windows build, compiled from Debian's sources (package googletest): the
# system's libgtest is a Linux library. Tests run under Wine through CMake's cross-compiling
# emulator (the windows preset names wine-run), and are listed by running them at test time,
# when the emulator is at hand, not at build time. Its CMake files name the GTest:: targets.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
# The first listing also makes the tests' Wine prefix (wine-run): half a minute on a busy
# machine, far beyond GoogleTest's 5 s, when the prefix was not made before the tests.
set(KUBIQ_DISCOVERY_TIMEOUT 120)
