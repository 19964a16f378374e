# libpng and libjpeg-turbo (libjpeg 6b interface) with zlib, as one target: quarrow_picture_libs.
#
# Windows builds link static libraries that scripts/build-picture-libs makes from Debian's source packages into
# build/deps/<triplet> (once; later configures find them there), with zlib from libz-mingw-w64-dev. The native
# 64-bit builds link Debian's own libpng, libjpeg62-turbo and zlib. The 32-bit native build has none of them and
# leaves QUARROW_HAVE_PICTURE_LIBS off: its tests cover the decoders that need no library.
set(QUARROW_HAVE_PICTURE_LIBS OFF)

if(WIN32)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(_quarrow_triplet x86_64-w64-mingw32)
  else()
    set(_quarrow_triplet i686-w64-mingw32)
  endif()
  set(QUARROW_DEPS_DIR "${PROJECT_SOURCE_DIR}/build/deps" CACHE PATH "Where third-party libraries are built")
  set(_quarrow_prefix "${QUARROW_DEPS_DIR}/${_quarrow_triplet}")
  execute_process(
    COMMAND "${PROJECT_SOURCE_DIR}/scripts/build-picture-libs" ${_quarrow_triplet} "${_quarrow_prefix}"
    RESULT_VARIABLE _quarrow_result)
  if(NOT _quarrow_result EQUAL 0)
    message(FATAL_ERROR "building libpng and libjpeg-turbo for ${_quarrow_triplet} failed")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    "${PROJECT_SOURCE_DIR}/scripts/build-picture-libs" "${_quarrow_prefix}/.recipe")

  find_library(QUARROW_ZLIB NAMES libz.a REQUIRED)
  add_library(quarrow_picture_libs INTERFACE)
  target_include_directories(quarrow_picture_libs SYSTEM INTERFACE "${_quarrow_prefix}/include")
  target_link_libraries(quarrow_picture_libs INTERFACE
    "${_quarrow_prefix}/lib/libpng.a" "${_quarrow_prefix}/lib/libjpeg.a" "${QUARROW_ZLIB}")
  set(QUARROW_HAVE_PICTURE_LIBS ON)
elseif(CMAKE_SIZEOF_VOID_P EQUAL 8)
  find_package(PNG)
  find_package(JPEG)
  if(PNG_FOUND AND JPEG_FOUND)
    add_library(quarrow_picture_libs INTERFACE)
    target_link_libraries(quarrow_picture_libs INTERFACE PNG::PNG JPEG::JPEG)
    set(QUARROW_HAVE_PICTURE_LIBS ON)
  endif()
endif()
