# Compiler settings shared by every target of every preset.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

option(QUARROW_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QUARROW_FUZZ "Build the libFuzzer targets (clang only)" OFF)

add_library(quarrow_options INTERFACE)
target_compile_options(quarrow_options INTERFACE
  -Wall -Wextra -Werror
  $<$<CXX_COMPILER_ID:GNU>:-fexec-charset=GB18030>)

if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
  # Doubles are computed in double precision rather than in the x87 unit's wider registers, so that the 32-bit
  # builds round every operation exactly as the 64-bit ones do.
  target_compile_options(quarrow_options INTERFACE -msse2 -mfpmath=sse)
endif()

if(WIN32)
  # ANSI Win32 throughout; no MinGW DLLs to ship.
  target_compile_definitions(quarrow_options INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800 STRICT)
  target_link_options(quarrow_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()

if(QUARROW_SANITIZE)
  target_compile_options(quarrow_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all
                         -fno-omit-frame-pointer)
  target_link_options(quarrow_options INTERFACE -fsanitize=address,undefined)
endif()

if(QUARROW_FUZZ)
  target_compile_options(quarrow_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                         -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(quarrow_options INTERFACE -fsanitize=address,undefined)
endif()

# quarrow_program(name SOURCES ...): a Windows program image with the runtime's entry point.
function(quarrow_program name)
  cmake_parse_arguments(P "CONSOLE" "" "SOURCES;LIBS" ${ARGN})
  if(P_CONSOLE)
    add_executable(${name} ${P_SOURCES})
  else()
    add_executable(${name} WIN32 ${P_SOURCES})
  endif()
  target_link_libraries(${name} PRIVATE quarrow_entry quarrow_runtime ${P_LIBS})
endfunction()
