# The Windows build: the core, the Win32 adapters and corvanesim.exe, and
# the test programs, which CTest runs under Wine (cmake/WineTests.cmake).
enable_language(RC)
add_subdirectory(src)
add_subdirectory(tools/windowshot)
add_subdirectory(tools/tagdb)
add_subdirectory(bench/com)

if(CORVANE_BUILD_TESTS)
  # GoogleTest from Debian's sources, built with the same compiler.
  set(CORVANE_GOOGLETEST_SOURCE /usr/src/googletest/googletest CACHE PATH "GoogleTest's sources")
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)  # not a part of what the setup program installs
  add_subdirectory(${CORVANE_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  enable_testing()
  include(cmake/WineTests.cmake)
  add_subdirectory(tests/support)
  add_subdirectory(tests/automation)
  add_subdirectory(tests/objectmodel)
  add_subdirectory(tests/dispatch)
  add_subdirectory(tests/windows)
endif()

# After everything above: the install rules pick up every program built.
include(cmake/WindowsPackage.cmake)
