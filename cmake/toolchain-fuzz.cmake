# libFuzzer targets of the core: clang 14 with its runtime from libclang-rt-14-dev.
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
