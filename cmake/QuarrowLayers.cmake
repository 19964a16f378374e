# The product's folders are layers, from the bottom up in QUARROW_LAYERS. Each is a static library of its own that
# names the layers below it that it uses; a layer that names one above it, or a source or header that includes a
# header of a folder its layer does not name, fails the build.
#
#   quarrow_layer(FOLDER [CORE sources...] [WIN32 sources...] [USES folders...] [GBK_TEXTS])
#
# CORE sources are platform-neutral and built by every preset; WIN32 sources only by the Windows presets. A layer
# without sources in this build is an interface library, so that the layers above it link it all the same.
# GBK_TEXTS: the layer's code relies on its texts being GBK, so a compiler that cannot make them GBK compiles
# copies of its sources and headers with the texts escaped (cmake/QuarrowGbkTexts.cmake).
set(QUARROW_LAYERS base conversions runtime internals units forms commands places app batch)

function(quarrow_layer folder)
  cmake_parse_arguments(L "GBK_TEXTS" "" "CORE;WIN32;USES" ${ARGN})
  set(sources ${L_CORE})
  if(WIN32 AND NOT QUARROW_TOOLS_ONLY)
    list(APPEND sources ${L_WIN32})
  endif()
  if(sources AND L_GBK_TEXTS AND QUARROW_GBK_COPIES)
    file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    quarrow_gbk_sources(sources ${sources} ${headers})
  endif()
  set(target layer_${folder})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC quarrow_options)
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE quarrow_options)
    set(scope INTERFACE)
  endif()
  foreach(used IN LISTS L_USES)
    target_link_libraries(${target} ${scope} layer_${used})
  endforeach()
  quarrow_check_layer(${folder} ${target} ${L_USES})
endfunction()

# quarrow_check_layer(FOLDER TARGET allowed-folders...): TARGET builds only after the allowed folders were found to
# be layers below FOLDER and every file of FOLDER to include headers of FOLDER and the allowed folders alone.
function(quarrow_check_layer folder target)
  file(GLOB files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${folder}.layer-checked)
  set(list ${CMAKE_CURRENT_BINARY_DIR}/${folder}.layer-files)
  file(WRITE ${list} "${files}")
  set(allowed ${folder} ${ARGN})
  string(REPLACE ";" "," allowed "${allowed}")
  string(REPLACE ";" "," order "${QUARROW_LAYERS}")
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -DALLOWED=${allowed} -DORDER=${order} -DROOT=${PROJECT_SOURCE_DIR}
            -DSTAMP=${stamp} -DFILE_LIST=${list} -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
    DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
    COMMENT "Checking that ${folder}/ includes only ${allowed}"
    VERBATIM)
  add_custom_target(${target}_layer_check DEPENDS ${stamp})
  add_dependencies(${target} ${target}_layer_check)
endfunction()
