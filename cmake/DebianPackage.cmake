# The Debian packages, made by CPack from the install rules (cpack -G DEB, or
# scripts/package.sh): corvanesim (the programs, the tag database, the bus
# service, the desktop entry, the man pages) and corvanesim-dev (the client
# library, its headers and its CMake package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvanesim)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "CorvaneSim")
set(CPACK_PACKAGE_CONTACT "${CORVANE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# The install rules write the bus service file naming the installed server,
# which needs the real prefix rather than CPack's staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SOURCE corvanesim)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME corvanesim)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION devel)
# The session bus starts the server for its first client.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS "default-dbus-session-bus | dbus-session-bus")
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "process-history server emulator
CorvaneSim answers programs written against a process-history server's
client objects (Data, Tags, Tag, TagDefinition) with plausible values from
a small tag database, while an operator watches and steers them in one
window. The session bus starts it for its first client; without a display
it runs offscreen.
.
This package holds the emulator, its tag database reader, the
corvanesim-tagdb tool for tag databases and the corvane command-line client.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME corvanesim-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "corvanesim (= ${PROJECT_VERSION}), qt6-base-dev")
set(CPACK_COMPONENT_DEV_DESCRIPTION "process-history server emulator - client library
The C++ client library of CorvaneSim with its headers and CMake package
(find_package(CorvaneSim), target CorvaneSim::client): typed wrappers of the
emulator's objects over the session bus.")

include(CPack)

# Everything the packages hold, for building just that (scripts/package.sh).
add_custom_target(corvane_packaged)
add_dependencies(corvane_packaged corvanesim corvanesim-tagread corvanesim-tagdb corvane corvane_client
                 corvane_sample_database corvane_changelog)
if(TARGET corvane_man_pages)
  add_dependencies(corvane_packaged corvane_man_pages)
endif()
