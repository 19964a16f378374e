cmake_minimum_required(VERSION 3.25)
# The layer check (CHECK, run as the build runs it) on small project folders made under WORK: each case is one file
# in one folder, the folders its layer names, and whether the check lets it through. ORDER is the product's order
# of layers, from the bottom up.
#
#   cmake -DCHECK=cmake/CheckLayerIncludes.cmake -DORDER=base,conversions,... -DWORK=scratch -P layer_check_test.cmake

set(failed "")

# check_case(NAME passes|fails FOLDER ALLOWED TEXT [FAULT]): TEXT is the file's content; the check's refusal must
# name the FAULT, by default the file's one line.
function(check_case name verdict folder allowed text)
  set(fault "${ARGN}")
  if(fault STREQUAL "")
    string(STRIP "${text}" fault)
  endif()
  set(root "${WORK}/${name}")
  file(REMOVE_RECURSE "${root}")
  file(WRITE "${root}/${folder}/unit.cpp" "${text}\n")
  file(WRITE "${root}/files" "${root}/${folder}/unit.cpp")
  execute_process(
    COMMAND "${CMAKE_COMMAND}" "-DFOLDER=${folder}" "-DALLOWED=${allowed}" "-DORDER=${ORDER}" "-DROOT=${root}"
            "-DFILE_LIST=${root}/files" "-DSTAMP=${root}/checked" -P "${CHECK}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(verdict STREQUAL "passes")
    if(NOT result EQUAL 0 OR NOT EXISTS "${root}/checked")
      set(failed "${failed}\n  ${name}: refused what it should let through:\n${output}" PARENT_SCOPE)
    endif()
  elseif(result EQUAL 0 OR EXISTS "${root}/checked")
    set(failed "${failed}\n  ${name}: let through what it should refuse" PARENT_SCOPE)
  else()
    string(FIND "${output}" "${fault}" at)
    if(at EQUAL -1)
      set(failed "${failed}\n  ${name}: refused without naming '${fault}':\n${output}" PARENT_SCOPE)
    endif()
  endif()
endfunction()

# What a layer may include: its own headers however named, those of the layers it uses, the system's.
check_case(lower_layer passes runtime runtime,base [=[#include "base/value.h"]=])
check_case(own_folder passes runtime runtime,base [=[
#include "runtime/runtime.h"
#include "runtime.h"
#include "./runtime.h"
#include "../runtime/runtime.h"]=])
check_case(lower_layer_by_relative_path passes runtime runtime,base [=[#include "../base/value.h"]=])
check_case(system_headers passes runtime runtime,base [=[
#include <windows.h>
#include <sys/stat.h>
#include <gtest/gtest.h>]=])
check_case(mentions_are_no_includes passes runtime runtime,base [=[
// #include "forms/window_map.h" would break the order
const char* text = "#include \"forms/window_map.h\"";]=])
check_case(tool_outside_the_order passes tools/formgen tools/formgen,app,base [=[
#include "app/main_window_form.h"
#include "../../base/value.h"]=])

# What breaks the order, however it is written.
check_case(higher_layer fails runtime runtime,base [=[#include "forms/window_map.h"]=])
check_case(spaced_out fails runtime runtime,base [=[  #  include   "forms/window_map.h"]=])
check_case(no_space fails runtime runtime,base [=[#include"forms/window_map.h"]=])
check_case(relative_path fails runtime runtime,base [=[#include "../forms/window_map.h"]=])
check_case(roundabout_relative_path fails runtime runtime,base [=[#include "./../runtime/../forms/window_map.h"]=])
check_case(angle_brackets fails runtime runtime,base [=[#include <forms/window_map.h>]=])
check_case(tool_with_unnamed_layer fails tools/formgen tools/formgen,app [=[#include "../../base/value.h"]=])

# What a layer may name: only layers below it.
check_case(uses_a_higher_layer fails runtime runtime,base,forms [=[#include "base/value.h"]=] "forms/ is above runtime/")
check_case(uses_no_layer fails runtime runtime,base,sound [=[#include "base/value.h"]=] "sound/ is no layer")
check_case(tool_uses_no_layer fails tools/formgen tools/formgen,app,formats [=[#include "app/main_window_form.h"]=]
           "formats/ is no layer")

if(failed)
  message(FATAL_ERROR "The layer check judged these cases wrongly:${failed}")
endif()
message(STATUS "The layer check judged every case rightly")
