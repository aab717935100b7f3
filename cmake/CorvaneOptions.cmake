# gcc leaves float-cast-overflow out of "undefined"; the conversions need it.
set(CORVANE_SANITIZER_FLAGS -fsanitize=address,undefined,float-cast-overflow
    -fno-sanitize-recover=undefined,float-cast-overflow -fno-omit-frame-pointer)

# Warnings and sanitizers for the project's own targets. Call corvane_target(<t>)
# on every target we build, so that third-party code keeps its own flags.
function(corvane_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wnon-virtual-dtor)
  if(CORVANE_FUZZ)
    # Coverage for libFuzzer in every library it drives; the fuzz executables
    # themselves add the fuzzer's main (corvane_fuzz_target).
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link ${CORVANE_SANITIZER_FLAGS})
    target_link_options(${target} PRIVATE -fsanitize=address,undefined,float-cast-overflow)
  elseif(CORVANE_SANITIZE)
    target_compile_options(${target} PRIVATE ${CORVANE_SANITIZER_FLAGS})
    target_link_options(${target} PRIVATE -fsanitize=address,undefined,float-cast-overflow)
  endif()
endfunction()
