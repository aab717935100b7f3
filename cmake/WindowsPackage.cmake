# What the Windows setup program installs (the install rules) and the setup
# program itself, made by makensis from packaging/windows/ over those rules.

# Every corvanesim* program the Windows build makes, so that a new one is
# installed without a further rule.
function(corvane_collect_programs folder out)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  set(found ${${out}})
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE" AND target MATCHES "^corvanesim(-[a-z]+)?$")
      list(APPEND found ${target})
    endif()
  endforeach()
  foreach(subfolder IN LISTS subfolders)
    corvane_collect_programs(${subfolder} found)
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
set(CORVANE_WINDOWS_PROGRAMS "")
corvane_collect_programs(${PROJECT_SOURCE_DIR} CORVANE_WINDOWS_PROGRAMS)
install(TARGETS ${CORVANE_WINDOWS_PROGRAMS} RUNTIME DESTINATION .)

# A type library the build writes beside the server goes with it.
install(CODE "
  file(GLOB libraries \"$<TARGET_FILE_DIR:corvanesim>/*.tlb\")
  if(libraries)
    file(INSTALL \${libraries} DESTINATION \"\${CMAKE_INSTALL_PREFIX}\")
  endif()
")

# The tag database: the Windows build's own when it writes one, otherwise the
# one the Linux build wrote (scripts/build-windows.sh passes it).
set(CORVANE_WINDOWS_DATABASE "" CACHE FILEPATH "The Corvane.mdb the setup program installs")
if(TARGET corvane_sample_database)
  get_target_property(CORVANE_WINDOWS_DATABASE corvane_sample_database CORVANE_DATABASE_FILE)
endif()
if(CORVANE_WINDOWS_DATABASE)
  install(FILES ${CORVANE_WINDOWS_DATABASE} DESTINATION .)
else()
  message(STATUS "No Corvane.mdb for the setup program: set CORVANE_WINDOWS_DATABASE (scripts/build-windows.sh does)")
endif()

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION docs)

# The setup program: the install rules into a staging folder, the lists of
# files to install and remove made from it, then makensis.
find_program(CORVANE_MAKENSIS makensis)
# The setup registers the COM server once corvanesim.exe answers /RegServer,
# which it does when the build has src/com/.
set(CORVANE_SETUP_REGISTERS_SERVER AUTO CACHE STRING
    "The setup program runs corvanesim.exe /RegServer and /UnregServer: ON, OFF, or AUTO (when src/com/ exists)")
if(CORVANE_SETUP_REGISTERS_SERVER STREQUAL "AUTO")
  if(EXISTS ${PROJECT_SOURCE_DIR}/src/com/CMakeLists.txt)
    set(CORVANE_SETUP_REGISTERS ON)
  else()
    set(CORVANE_SETUP_REGISTERS OFF)
  endif()
else()
  set(CORVANE_SETUP_REGISTERS ${CORVANE_SETUP_REGISTERS_SERVER})
endif()

if(CORVANE_MAKENSIS)
  set(CORVANE_SETUP_PROGRAM ${CMAKE_BINARY_DIR}/packages/CorvaneSim-${PROJECT_VERSION}-setup.exe)
  set(staging ${CMAKE_BINARY_DIR}/packages/staging)
  set(program_files "")
  foreach(program IN LISTS CORVANE_WINDOWS_PROGRAMS)
    list(APPEND program_files $<TARGET_FILE:${program}>)
  endforeach()
  file(GLOB_RECURSE documents ${PROJECT_SOURCE_DIR}/docs/*)
  add_custom_command(OUTPUT ${CORVANE_SETUP_PROGRAM}
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DSTAGING=${staging}
            -P ${PROJECT_SOURCE_DIR}/packaging/windows/StageSetupFiles.cmake
    COMMAND ${CORVANE_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DSTAGING=${staging}
            -DREGISTERS_SERVER=$<BOOL:${CORVANE_SETUP_REGISTERS}> -DOUTFILE=${CORVANE_SETUP_PROGRAM}
            ${PROJECT_SOURCE_DIR}/packaging/windows/corvanesim.nsi
    DEPENDS ${CORVANE_WINDOWS_PROGRAMS} ${program_files} ${CORVANE_WINDOWS_DATABASE} ${documents}
            ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/packaging/windows/corvanesim.nsi
            ${PROJECT_SOURCE_DIR}/packaging/windows/StageSetupFiles.cmake
    COMMENT "Making the setup program CorvaneSim-${PROJECT_VERSION}-setup.exe"
    VERBATIM)
  add_custom_target(corvane_setup ALL DEPENDS ${CORVANE_SETUP_PROGRAM})
else()
  message(STATUS "makensis not found: no setup program (scripts/setup.sh installs it)")
endif()

if(CORVANE_MAKENSIS AND CORVANE_BUILD_TESTS)
  # Install, use and remove under Wine, in a fresh prefix.
  add_test(NAME windows.setup.InstallsServesAndUninstallsWithoutLeftovers
           COMMAND ${PROJECT_SOURCE_DIR}/tests/package/windows-setup-check.sh ${CORVANE_SETUP_PROGRAM}
                   ${CMAKE_BINARY_DIR}/packages/staging/files $<BOOL:${CORVANE_SETUP_REGISTERS}>)
  set_tests_properties(windows.setup.InstallsServesAndUninstallsWithoutLeftovers PROPERTIES
                       LABELS "windows;package" TIMEOUT 600)
endif()
