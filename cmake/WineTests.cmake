# Test programs of the Windows build run under Wine, each run in a fresh Wine
# prefix of its own (scripts/wine-run.sh). A prefix takes seconds to make, so
# a program is one test, not one test per case: the test folders' own
# gtest_discover_tests calls land here.
set(CORVANE_WINE_RUN ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh)

# corvane_wine_test(<name> <target> [args...]): runs the target with args.
function(corvane_wine_test name target)
  add_test(NAME ${name} COMMAND ${CORVANE_WINE_RUN} $<TARGET_FILE:${target}> ${ARGN})
  set_tests_properties(${name} PROPERTIES LABELS windows)
endfunction()

function(gtest_discover_tests target)
  corvane_wine_test(windows.${target} ${target})
endfunction()
