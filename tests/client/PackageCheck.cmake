# Installs the build into PREFIX, builds the example query as a project of
# its own with find_package(CorvaneSim) against it, and runs that program on
# a private bus that starts the installed server from its installed service
# file.
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output TIMEOUT 120)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${PREFIX}" "${WORK}")
run("cmake --install" "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}")
run("configuring the consumer" "${CMAKE_COMMAND}" -S "${CONSUMER_DIR}" -B "${WORK}/build" -G Ninja
    "-DCMAKE_PREFIX_PATH=${PREFIX}" "-DEXAMPLE_SOURCE=${EXAMPLE_SOURCE}" "-DCMAKE_CXX_FLAGS=${CONSUMER_FLAGS}")
run("building the consumer" "${CMAKE_COMMAND}" --build "${WORK}/build")

file(WRITE "${WORK}/bus.conf" "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"
 \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <servicedir>${PREFIX}/share/dbus-1/services</servicedir>
  <policy context=\"default\">
    <allow send_destination=\"*\" eavesdrop=\"true\"/>
    <allow eavesdrop=\"true\"/>
    <allow own=\"*\"/>
  </policy>
</busconfig>
")
run("the consumer's query" env QT_QPA_PLATFORM=offscreen dbus-run-session "--config-file=${WORK}/bus.conf" --
    "${WORK}/build/query")
if(NOT output MATCHES "TIC101.PV +[0-9-]+ [0-9:]+ +[0-9.]+ +100\n" OR NOT output MATCHES "FIC101.PV ")
  message(FATAL_ERROR "the consumer's query printed no samples:\n${output}")
endif()
