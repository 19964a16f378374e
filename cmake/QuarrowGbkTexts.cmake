# The program's texts are GBK because GCC compiles the UTF-8 sources with -fexec-charset=GB18030. Clang, which the
# fuzz build needs, has no such option and would make them UTF-8. There, code that relies on its texts being GBK is
# compiled from copies in the build tree in which scripts/gbk-literals wrote every Chinese text as escapes of the
# bytes GCC gives it.
set(QUARROW_GBK_COPIES_DIR ${PROJECT_BINARY_DIR}/gbk)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(QUARROW_GBK_COPIES OFF)
else()
  set(QUARROW_GBK_COPIES ON)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  # A header's copy stands in for the header wherever it is included, so that every file sees the same texts.
  include_directories(BEFORE ${QUARROW_GBK_COPIES_DIR})
endif()

# quarrow_gbk_sources(VAR files...): in VAR, the files (relative to the current source folder, or absolute) as
# this build compiles them: the files themselves under GCC, elsewhere their copies, at the same place under
# build/<preset>/gbk as the file under the top folder. A header's copy is made before any file of a target that
# has it among its sources, or links one that has, is compiled.
function(quarrow_gbk_sources var)
  if(NOT QUARROW_GBK_COPIES)
    set(${var} ${ARGN} PARENT_SCOPE)
    return()
  endif()
  set(script ${PROJECT_SOURCE_DIR}/scripts/gbk-literals)
  set(copies)
  foreach(file IN LISTS ARGN)
    get_filename_component(source ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${source})
    set(copy ${QUARROW_GBK_COPIES_DIR}/${relative})
    add_custom_command(
      OUTPUT ${copy}
      COMMAND Python3::Interpreter ${script} ${source} ${copy}
      DEPENDS ${source} ${script}
      COMMENT "Writing the texts of ${relative} as GBK"
      VERBATIM)
    list(APPEND copies ${copy})
  endforeach()
  set(${var} ${copies} PARENT_SCOPE)
endfunction()
