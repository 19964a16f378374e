# The build-time tools for a cross build: the same sources, built natively in a tree of their own.
include(ExternalProject)
set(QUARROW_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
set(QUARROW_FORMGEN ${QUARROW_HOST_TOOLS_DIR}/tools/formgen)
ExternalProject_Add(host_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${QUARROW_HOST_TOOLS_DIR}
  CMAKE_ARGS
    -G Ninja
    -DQUARROW_TOOLS_ONLY=ON
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_C_COMPILER=gcc
    -DCMAKE_CXX_COMPILER=g++
    -DCMAKE_C_COMPILER_LAUNCHER=ccache
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target formgen
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${QUARROW_FORMGEN})
