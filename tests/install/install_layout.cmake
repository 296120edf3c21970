# Installs the build into a temporary DESTDIR with the prefix /usr and checks the layout: the game
# and its tools, the data files, the desktop entry (desktop-file-validate), the AppStream metainfo
# (appstreamcli validate --no-net), the icons at their sizes and the manual page.
# cmake -DBUILD=<build folder> -DWORK=<scratch folder> -DAPP_ID=<desktop id> -P install_layout.cmake

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${WORK}
                        ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${status}):\n${output}")
endif()
set(ROOT ${WORK}/usr)
set(DATA ${ROOT}/share/games/tolmara-deepgrid)

set(expected
  games/tolmara games/tolmara-levels
  lib/tolmara-deepgrid/tolmara-assets lib/tolmara-deepgrid/tolmara-replay
  lib/tolmara-deepgrid/tolmara-keys
  share/games/tolmara-deepgrid/tolmara.dxg share/games/tolmara-deepgrid/meniu.dxg
  share/games/tolmara-deepgrid/computer.dxg share/games/tolmara-deepgrid/sounds.dxg
  share/games/tolmara-deepgrid/Tolmara.lev share/games/tolmara-deepgrid/tolmarakx.cfg
  share/applications/${APP_ID}.desktop share/applications/${APP_ID}.Editor.desktop
  games/tolmara-editor share/metainfo/${APP_ID}.metainfo.xml
  share/icons/hicolor/scalable/apps/${APP_ID}.svg share/man/man6/tolmara.6)
foreach(size 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
foreach(file ${expected})
  if(NOT EXISTS ${ROOT}/${file})
    message(FATAL_ERROR "not installed: /usr/${file}")
  endif()
endforeach()

# The shipped data are the game's own: every song the settings name, no player's file.
file(GLOB songs ${DATA}/*.mid)
if(NOT songs)
  message(FATAL_ERROR "no songs in ${DATA}")
endif()
if(EXISTS ${DATA}/playersnames.grf)
  message(FATAL_ERROR "a players file was installed: ${DATA}/playersnames.grf")
endif()
foreach(dir ${ROOT}/games ${ROOT}/lib/tolmara-deepgrid)
  file(GLOB programs RELATIVE ${dir} ${dir}/*)
  foreach(program ${programs})
    if(NOT program MATCHES "^tolmara(-.*)?$")
      message(FATAL_ERROR "${dir}/${program}: programs are installed under tolmara- names")
    endif()
  endforeach()
endforeach()

# Each PNG icon is as large as its folder says (the width and height in the PNG header).
foreach(size_hex 48:30 64:40 128:80 256:100)
  string(REPLACE ":" ";" size_hex ${size_hex})
  list(GET size_hex 0 size)
  list(GET size_hex 1 hex)
  file(READ ${ROOT}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png header
       OFFSET 16 LIMIT 8 HEX)
  string(REGEX MATCH "^0+${hex}0+${hex}$" fits "${header}")
  if(NOT fits)
    message(FATAL_ERROR "${APP_ID}.png of ${size}x${size} has the header ${header}")
  endif()
endforeach()
file(READ ${ROOT}/share/icons/hicolor/scalable/apps/${APP_ID}.svg svg LIMIT 400)
if(NOT svg MATCHES "<svg")
  message(FATAL_ERROR "the scalable icon is no SVG picture")
endif()

# The desktop entry starts the installed game; the manual page names the installed data folder.
file(READ ${ROOT}/share/applications/${APP_ID}.desktop entry)
if(NOT entry MATCHES "\nExec=/usr/games/tolmara\n" OR NOT entry MATCHES "\nIcon=${APP_ID}\n")
  message(FATAL_ERROR "the desktop entry does not start /usr/games/tolmara with its icon:\n${entry}")
endif()
file(READ ${ROOT}/share/man/man6/tolmara.6 manual)
foreach(part "/usr/share/games/tolmara-deepgrid" "tolmara-deepgrid/playersnames.grf"
        "\n.SH OPTIONS" "\n.SH KEYS" "\n.SH FILES")
  string(FIND "${manual}" "${part}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the manual page lacks ${part}")
  endif()
endforeach()

foreach(tool desktop-file-validate appstreamcli)
  find_program(${tool}_program ${tool})
  if(NOT ${tool}_program)
    message(FATAL_ERROR "${tool} is not installed (scripts/setup.sh installs it)")
  endif()
endforeach()
execute_process(COMMAND ${desktop-file-validate_program} ${ROOT}/share/applications/${APP_ID}.desktop
                        ${ROOT}/share/applications/${APP_ID}.Editor.desktop
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0 OR NOT output STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate (${status}):\n${output}")
endif()
execute_process(COMMAND ${appstreamcli_program} validate --no-net
                        ${ROOT}/share/metainfo/${APP_ID}.metainfo.xml
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "appstreamcli validate --no-net (${status}):\n${output}")
endif()
file(REMOVE_RECURSE ${WORK})
