# Installs the build into PREFIX and checks that the server, its tag database
# and its tag database reader beside it and the bus service file naming it
# land where they should, and that the installed tag database tool finds the
# reader from bin/.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()

include(GNUInstallDirs)
set(folder "${PREFIX}/${CMAKE_INSTALL_LIBEXECDIR}/corvanesim")
foreach(file "${folder}/corvanesim" "${folder}/corvanesim-tagread" "${folder}/Corvane.mdb"
             "${PREFIX}/${CMAKE_INSTALL_BINDIR}/corvanesim" "${PREFIX}/${CMAKE_INSTALL_BINDIR}/corvanesim-tagdb")
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

set(service "${PREFIX}/${CMAKE_INSTALL_DATADIR}/dbus-1/services/org.corvane.CorvaneSim.service")
file(READ "${service}" text)
set(expected "[D-BUS Service]\nName=org.corvane.CorvaneSim\nExec=${folder}/corvanesim\n")
if(NOT text STREQUAL expected)
  message(FATAL_ERROR "${service} reads\n${text}\ninstead of\n${expected}")
endif()

execute_process(COMMAND "${PREFIX}/${CMAKE_INSTALL_BINDIR}/corvanesim" --version OUTPUT_VARIABLE version RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT version STREQUAL "CorvaneSim 1.00\n")
  message(FATAL_ERROR "the installed corvanesim --version says \"${version}\"")
endif()
execute_process(COMMAND "${PREFIX}/${CMAKE_INSTALL_BINDIR}/corvanesim-tagdb" dump "${folder}/Corvane.mdb"
                OUTPUT_VARIABLE listing ERROR_VARIABLE listing RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT listing MATCHES "TIC101\\.PV")
  message(FATAL_ERROR "the installed corvanesim-tagdb does not read the installed database (${result}):\n${listing}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
