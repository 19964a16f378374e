# The word lists' generator (places/words/make_word_lists.cmake) makes a list's entries into a table, in order,
# and refuses a line that is no entry, naming the list's file and the line. Run by ctest:
#     cmake -DGENERATOR=path/to/make_word_lists.cmake -DSCRATCH=scratch folder -P this
set(list ${SCRATCH}/words.txt)
set(table ${SCRATCH}/words.cpp)

function(generate text result_var output_var)
  file(WRITE ${list} "${text}")
  file(REMOVE ${table})
  execute_process(COMMAND ${CMAKE_COMMAND} -DNAME=Words -DLIST=${list} -DOUTPUT=${table} -P ${GENERATOR}
                  RESULT_VARIABLE result ERROR_VARIABLE output)
  set(${result_var} ${result} PARENT_SCOPE)
  set(${output_var} "${output}" PARENT_SCOPE)
endfunction()

# Headings, blank lines, spaces around an entry, CR LF and a byte-order mark are no entries and no faults.
string(ASCII 239 187 191 bom)
generate("${bom}# Roads; [common ones]\r\n人民\r\n\r\n  建设\t\r\n# 不是\n迎宾大道\n" result output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "a good list was refused: ${output}")
endif()
file(READ ${table} made)
string(REGEX MATCHALL "\n    \"[^\"]*\"," literals "${made}")
string(REPLACE "\n" "" literals "${literals}")
if(NOT literals STREQUAL "    \"人民\",;    \"建设\",;    \"迎宾大道\",")
  message(FATAL_ERROR "the table holds other entries than the list: ${literals}")
endif()

# Each bad line comes after three good ones, on line 4.
foreach(bad "一" "一二三四五" "人民A" "湖㳇" "〇〇" "人 民" "人民；" "人民;" "[人民]" "建设")
  generate("# heading\n人民\n建设\n${bad}\n解放\n" result output)
  string(REPLACE "\n" " " output "${output}")
  string(REGEX REPLACE " +" " " output "${output}")
  if(result EQUAL 0 OR EXISTS ${table})
    message(FATAL_ERROR "'${bad}' was taken for an entry")
  endif()
  if(NOT output MATCHES "words\\.txt:4: ")
    message(FATAL_ERROR "the refusal of '${bad}' does not name words.txt:4: ${output}")
  endif()
endforeach()
