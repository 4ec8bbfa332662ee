cmake_minimum_required(VERSION 3.25)
# Installs the build into a scratch prefix and checks that every file lands where desktops,
# man and AppStream look for it, and that the menu entry names what is installed.
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
  bin/quorvane-ana-scope
  bin/quorvane-ana-cli
  bin/quorvane-sensor-sim
  share/bash-completion/completions/quorvane-ana-cli
  share/applications/quorvane-ana-scope.desktop
  share/metainfo/com.quorvane.anascope.metainfo.xml
  share/man/man1/quorvane-ana-scope.1.gz
  share/man/man1/quorvane-ana-cli.1.gz
  share/man/man1/quorvane-sensor-sim.1.gz
  share/doc/quorvane-ana-scope/copyright
  share/doc/quorvane-ana-scope/changelog.gz)
foreach(size 16 22 24 32 48 64)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/quorvane-ana-scope.png)
endforeach()
foreach(path ${expected})
  if(NOT EXISTS ${STAGE}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

file(STRINGS ${STAGE}/share/applications/quorvane-ana-scope.desktop entry)
foreach(key "Exec=quorvane-ana-scope" "Icon=quorvane-ana-scope")
  if(NOT key IN_LIST entry)
    message(FATAL_ERROR "menu entry lacks ${key}")
  endif()
endforeach()
file(READ ${STAGE}/share/metainfo/com.quorvane.anascope.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<launchable type=\"desktop-id\">quorvane-ana-scope.desktop</launchable>")
  message(FATAL_ERROR "metainfo does not launch the installed menu entry")
endif()
file(REMOVE_RECURSE ${STAGE})
