# Toolchain for the 32-bit x86 build of the engine, its tests and the
# catalogue inspector (scripts/build-m32.sh): g++ -m32 with every SIMD
# extension off, so the engine's word-at-a-time code is checked on plain
# 32-bit registers and the x87 unit.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
# -Wno-restrict: GCC 12 takes string concatenation with a 32-bit size_t for
# overlapping copies (GCC bug 105329).
set(CMAKE_C_FLAGS_INIT "-m32 -mno-mmx -mno-sse")
set(CMAKE_CXX_FLAGS_INIT "-m32 -mno-mmx -mno-sse -Wno-restrict")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
# The machine's GoogleTest libraries are 64-bit: the tests get one compiled
# from its sources (Debian's googletest package).
set(MIXOR_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources, built with the project")
