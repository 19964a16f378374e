# The native build of the core's tests uses GCC: it turns the UTF-8 sources into GBK bytes (-fexec-charset),
# which clang cannot. The fuzz targets, which need libFuzzer, are built by clang in a preset of their own.
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
