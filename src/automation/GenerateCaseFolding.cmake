# Turns the simple case folding of the Unicode Character Database (the C and
# S lines of CaseFolding.txt) into a C++ table of {code point, folded} pairs
# in code point order.
#   cmake -DINPUT=CaseFolding.txt -DOUTPUT=CaseFoldingTable.inc -P GenerateCaseFolding.cmake
# The full (F) and Turkic (T) foldings are left out on purpose: keys fold one
# code point to one code point, and the same way in every language.
if(NOT INPUT OR NOT OUTPUT)
  message(FATAL_ERROR "GenerateCaseFolding.cmake needs -DINPUT=<CaseFolding.txt> -DOUTPUT=<table>")
endif()

file(STRINGS "${INPUT}" version LIMIT_COUNT 1 REGEX "^# CaseFolding-.*\\.txt")
string(REGEX REPLACE "^# " "" version "${version}")
file(STRINGS "${INPUT}" lines REGEX "^[0-9A-F]+; [CS]; [0-9A-F]+;")
list(LENGTH lines count)
if(count LESS 1000)
  message(FATAL_ERROR "${INPUT} holds only ${count} simple case foldings; is it CaseFolding.txt?")
endif()

set(table "// Generated from ${version} by GenerateCaseFolding.cmake; do not edit.\n")
set(previous -1)
foreach(line IN LISTS lines)
  string(REGEX MATCH "^([0-9A-F]+); [CS]; ([0-9A-F]+);" matched "${line}")
  set(from "${CMAKE_MATCH_1}")
  set(to "${CMAKE_MATCH_2}")
  # UTF-16 keys are folded in place, so a folding must stay on its side of
  # the basic plane.
  string(LENGTH "${from}" fromDigits)
  string(LENGTH "${to}" toDigits)
  if((fromDigits GREATER 4) AND NOT (toDigits GREATER 4) OR (toDigits GREATER 4) AND NOT (fromDigits GREATER 4))
    message(FATAL_ERROR "${from} folds across the basic plane to ${to}")
  endif()
  math(EXPR value "0x${from}")
  if(NOT value GREATER previous)
    message(FATAL_ERROR "${INPUT} is not in code point order at ${from}")
  endif()
  set(previous ${value})
  string(APPEND table "{0x${from}, 0x${to}},\n")
endforeach()

# Rewritten only when it changes, so that a new configure rebuilds nothing.
file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "${table}" @ONLY)
