# Makes one of the word lists of places/words/ into a C++ source of the build tree, at build time, so that a
# contributor edits only the list:
#     cmake -DNAME=RoadStems -DLIST=places/words/road_stems.txt -DOUTPUT=road_stems.cpp [-DROOT=source dir] -P this
# The source defines NAME() of places/word_lists.h. Its literals are UTF-8, as in every source, and the build's
# execution character set makes them GBK. A line that is no entry stops the build with the list's file and line.
#
# A list: one entry a line, two to four Chinese characters (CJK ideographs U+4E00 to U+9FA5, all of which GBK
# holds), each once. Lines starting with # and blank lines are skipped; spaces around an entry, a byte-order mark
# and CR LF line ends are allowed.
cmake_minimum_required(VERSION 3.25)

foreach(required NAME LIST OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "make_word_lists.cmake needs -D${required}=...")
  endif()
endforeach()
if(DEFINED ROOT)
  file(RELATIVE_PATH shown_list ${ROOT} ${LIST})
else()
  set(shown_list ${LIST})
endif()

function(refuse line_number why)
  string(REPLACE "<semicolon>" ";" why "${why}")
  string(REPLACE "<opening bracket>" "[" why "${why}")
  string(REPLACE "<closing bracket>" "]" why "${why}")
  message(FATAL_ERROR "${LIST}:${line_number}: ${why}")
endfunction()

# The number of characters of a line, when each is a CJK ideograph in UTF-8 (three bytes); -1 when one is not.
function(count_ideographs text out)
  string(HEX "${text}" hex)
  string(LENGTH "${hex}" digits)
  math(EXPR bytes "${digits} / 2")
  math(EXPR remainder "${bytes} % 3")
  if(remainder OR bytes EQUAL 0)
    set(${out} -1 PARENT_SCOPE)
    return()
  endif()
  set(count 0)
  set(at 0)
  while(at LESS digits)
    string(SUBSTRING "${hex}" ${at} 6 char)
    string(SUBSTRING "${char}" 0 2 b0)
    string(SUBSTRING "${char}" 2 2 b1)
    string(SUBSTRING "${char}" 4 2 b2)
    math(EXPR lead "0x${b0} & 0xF0")
    math(EXPR follow "(0x${b1} & 0xC0) | ((0x${b2} & 0xC0) >> 2)")
    math(EXPR code "((0x${b0} & 0x0F) << 12) | ((0x${b1} & 0x3F) << 6) | (0x${b2} & 0x3F)")
    # A three-byte sequence: 1110xxxx 10xxxxxx 10xxxxxx.
    if(NOT lead EQUAL 0xE0 OR NOT follow EQUAL 0xA0)
      set(${out} -1 PARENT_SCOPE)
      return()
    endif()
    if(code LESS 19968 OR code GREATER 40869)  # U+4E00 to U+9FA5
      set(${out} -1 PARENT_SCOPE)
      return()
    endif()
    math(EXPR count "${count} + 1")
    math(EXPR at "${at} + 6")
  endwhile()
  set(${out} ${count} PARENT_SCOPE)
endfunction()

# A byte-order mark is no part of the first line.
file(READ "${LIST}" start LIMIT 3 HEX)
if(start STREQUAL "efbbbf")
  file(READ "${LIST}" content OFFSET 3)
else()
  file(READ "${LIST}" content)
endif()
# Semicolons and brackets would change how the text splits into lines below; no entry holds them, and no entry
# shows them once they are words.
string(REPLACE ";" "<semicolon>" content "${content}")
string(REPLACE "[" "<opening bracket>" content "${content}")
string(REPLACE "]" "<closing bracket>" content "${content}")
string(REPLACE "\n" ";" lines "${content}")

set(entries "")
set(literals "")
set(line_number 0)
foreach(line IN LISTS lines)
  math(EXPR line_number "${line_number} + 1")
  string(REGEX REPLACE "\r$" "" line "${line}")
  string(STRIP "${line}" entry)
  if(entry STREQUAL "" OR entry MATCHES "^#")
    continue()
  endif()
  count_ideographs("${entry}" characters)
  if(characters EQUAL -1)
    refuse(${line_number} "'${entry}' holds a character that is no CJK ideograph of GBK (U+4E00 to U+9FA5)")
  elseif(characters LESS 2 OR characters GREATER 4)
    refuse(${line_number} "'${entry}': an entry has 2 to 4 characters, this one ${characters}")
  endif()
  list(FIND entries "${entry}" earlier)
  if(NOT earlier EQUAL -1)
    list(GET entry_lines ${earlier} earlier_line)
    refuse(${line_number} "'${entry}' is on line ${earlier_line} already")
  endif()
  list(APPEND entries "${entry}")
  list(APPEND entry_lines ${line_number})
  string(APPEND literals "    \"${entry}\",\n")
endforeach()
if(entries STREQUAL "")
  message(FATAL_ERROR "${LIST}: no entries")
endif()

file(WRITE "${OUTPUT}.new"
"// Generated at build time by places/words/make_word_lists.cmake from ${shown_list}; edit the list, not this file.
#include \"places/word_lists.h\"

namespace quarrow::places {

namespace {

constexpr std::string_view kEntries[] = {
${literals}};

}  // namespace

std::span<const std::string_view> ${NAME}() { return kEntries; }

}  // namespace quarrow::places
")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
