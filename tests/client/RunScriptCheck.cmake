# scripts/run.sh on a machine without a display and without a session bus
# (set-up and build skipped: the build is there): it starts a private bus and
# an offscreen emulator, prints the samples of its query, and leaves nothing
# running when it ends.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS "XDG_RUNTIME_DIR=${WORK}"
                        "HOME=${WORK}" bash "${SOURCE_DIR}/scripts/run.sh" --no-setup --no-build --build-dir "${BUILD_DIR}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 120)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "run.sh failed (${result}):\n${output}\n${errors}")
endif()

foreach(expected
    "no display: the emulator runs offscreen"
    "there is no session bus: started a private one \\(pid [0-9]+\\)"
    "started the emulator \\(pid [0-9]+\\) offscreen"
    "\n\\$ corvane query [^\n]*\nTag +Time +Value +Confidence\n"
    "\nTIC101.PV +[0-9-]+ [0-9:]+ +[0-9.]+ +100\n"
    "\nFIC101.PV +[0-9-]+ [0-9:]+ +[0-9.]+ +100\n")
  if(NOT output MATCHES "${expected}")
    message(FATAL_ERROR "run.sh did not print \"${expected}\":\n${output}\n${errors}")
  endif()
endforeach()

string(REGEX MATCH "private one \\(pid ([0-9]+)\\)" bus "${output}")
set(bus_pid ${CMAKE_MATCH_1})
string(REGEX MATCH "emulator \\(pid ([0-9]+)\\)" server "${output}")
set(server_pid ${CMAKE_MATCH_1})
foreach(pid ${bus_pid} ${server_pid})
  if(EXISTS "/proc/${pid}")
    file(READ "/proc/${pid}/cmdline" command)
    message(FATAL_ERROR "run.sh left process ${pid} running: ${command}")
  endif()
endforeach()
