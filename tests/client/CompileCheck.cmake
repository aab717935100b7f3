# The typed wrappers find their members while compiling: a member the type
# library has compiles, a misspelt one is refused by the compiler.
foreach(member Count Cuont)
  execute_process(COMMAND "${CXX}" -std=c++20 -fsyntax-only "-I${SOURCE_DIR}/src" "-I${SOURCE_DIR}/src/remoting/client/include"
                          "-DMEMBER=u\"${member}\"" "${SOURCE_DIR}/tests/client/consumer/MisspeltMember.cpp"
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(member STREQUAL "Count" AND NOT result EQUAL 0)
    message(FATAL_ERROR "a member of the type library did not compile:\n${output}")
  endif()
  if(member STREQUAL "Cuont" AND (result EQUAL 0 OR NOT output MATCHES "the type library has no such member"))
    message(FATAL_ERROR "a misspelt member was not refused while compiling:\n${output}")
  endif()
endforeach()
