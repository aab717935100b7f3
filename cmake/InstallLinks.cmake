# The installed programs live in a folder of their own, beside the tag database
# and the reader process that they find next to themselves; bin/ holds links
# to those meant to be run by hand.
include(GNUInstallDirs)
set(CORVANE_INSTALL_FOLDER ${CMAKE_INSTALL_LIBEXECDIR}/corvanesim)

function(corvane_install_command_link name)
  file(RELATIVE_PATH target /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${CORVANE_INSTALL_FOLDER}/${name})
  install(CODE "
  set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  message(STATUS \"Installing: \${bin}/${name}\")
  file(MAKE_DIRECTORY \"\${bin}\")
  file(CREATE_LINK \"${target}\" \"\${bin}/${name}\" SYMBOLIC)
")
endfunction()
