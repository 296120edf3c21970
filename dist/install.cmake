# Install rules and the Debian package. `cmake --install build --prefix PREFIX` installs:
#   PREFIX/games/tolmara, PREFIX/games/tolmara-levels            the game and the level compiler
#   PREFIX/lib/tolmara-deepgrid/tolmara-*                        the developers' tools
#   PREFIX/share/games/tolmara-deepgrid/                         the data files, default settings,
#                                                                the shipped set's proofs (replays/)
#   PREFIX/share/applications, share/icons/hicolor, share/metainfo, share/man/man6
# The game finds its data files from its own folder, so the tree can move as a whole.
# `cpack -G DEB` in the build folder packs the "game" part (without the developers' tools) for
# PREFIX /usr.

set(TOLMARA_APP_ID io.github.tolmara.Deepgrid)
set(TOLMARA_RELEASE_DATE 2026-12-07)
set(TOLMARA_DATA_INSTALL share/games/tolmara-deepgrid)
set(DIST_DIR ${CMAKE_SOURCE_DIR}/dist)
set(DIST_OUT ${CMAKE_BINARY_DIR}/dist)

# ---- the desktop icon, drawn by the asset builder
set(ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(ICON_SIZES 48 64 128 256)
set(ICON_FILES ${ICON_DIR}/icon.svg)
foreach(size ${ICON_SIZES})
  list(APPEND ICON_FILES ${ICON_DIR}/icon-${size}.png)
endforeach()
add_custom_command(
  OUTPUT ${ICON_FILES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ICON_DIR}
  COMMAND tolmara-assets --icons ${ICON_DIR}
  DEPENDS tolmara-assets
  COMMENT "Drawing the desktop icon")
add_custom_target(desktop_icons ALL DEPENDS ${ICON_FILES})

# ---- the game, its data files and its place in the desktop
install(TARGETS tolmara tolmara-levels RUNTIME DESTINATION games COMPONENT game)
if(TARGET tolmara-editor)
  install(TARGETS tolmara-editor RUNTIME DESTINATION games COMPONENT game)
endif()
install(FILES ${GAME_DIR}/tolmara.dxg ${GAME_DIR}/meniu.dxg ${GAME_DIR}/computer.dxg
              ${GAME_DIR}/sounds.dxg ${GAME_DIR}/Tolmara.lev ${CMAKE_SOURCE_DIR}/assets/tolmarakx.cfg
        DESTINATION ${TOLMARA_DATA_INSTALL} COMPONENT game)
# The shipped set's proofs, where the level editor looks for them.
install(DIRECTORY ${GAME_DIR}/replays DESTINATION ${TOLMARA_DATA_INSTALL} COMPONENT game
        FILES_MATCHING PATTERN "*.replay")
# The songs the asset builder made (their names come from assets/songs/).
install(DIRECTORY ${GAME_DIR}/ DESTINATION ${TOLMARA_DATA_INSTALL} COMPONENT game
        FILES_MATCHING PATTERN "*.mid")

# The desktop entry starts the game by its full path and the manual page names the data folder:
# both are written at install time, for the prefix being installed to.
install(CODE "
  set(PROJECT_VERSION ${PROJECT_VERSION})
  set(TOLMARA_RELEASE_DATE ${TOLMARA_RELEASE_DATE})
  set(TOLMARA_GAME \"\${CMAKE_INSTALL_PREFIX}/games/tolmara\")
  set(TOLMARA_EDITOR \"\${CMAKE_INSTALL_PREFIX}/games/tolmara-editor\")
  set(TOLMARA_DATA \"\${CMAKE_INSTALL_PREFIX}/${TOLMARA_DATA_INSTALL}\")
  configure_file(${DIST_DIR}/${TOLMARA_APP_ID}.desktop.in ${DIST_OUT}/${TOLMARA_APP_ID}.desktop @ONLY)
  configure_file(${DIST_DIR}/${TOLMARA_APP_ID}.Editor.desktop.in
                 ${DIST_OUT}/${TOLMARA_APP_ID}.Editor.desktop @ONLY)
  configure_file(${DIST_DIR}/tolmara.6.in ${DIST_OUT}/tolmara.6 @ONLY)
  configure_file(${DIST_DIR}/${TOLMARA_APP_ID}.metainfo.xml.in
                 ${DIST_OUT}/${TOLMARA_APP_ID}.metainfo.xml @ONLY)
" COMPONENT game)
install(FILES ${DIST_OUT}/${TOLMARA_APP_ID}.desktop ${DIST_OUT}/${TOLMARA_APP_ID}.Editor.desktop
        DESTINATION share/applications COMPONENT game)
install(FILES ${DIST_OUT}/${TOLMARA_APP_ID}.metainfo.xml DESTINATION share/metainfo
        COMPONENT game)
install(FILES ${DIST_OUT}/tolmara.6 DESTINATION share/man/man6 COMPONENT game)
install(FILES ${ICON_DIR}/icon.svg DESTINATION share/icons/hicolor/scalable/apps
        RENAME ${TOLMARA_APP_ID}.svg COMPONENT game)
foreach(size ${ICON_SIZES})
  install(FILES ${ICON_DIR}/icon-${size}.png DESTINATION share/icons/hicolor/${size}x${size}/apps
          RENAME ${TOLMARA_APP_ID}.png COMPONENT game)
endforeach()

# ---- the developers' tools (not in the Debian package). The benchmark measures the game of its
# own build folder and is not installed.
foreach(tool tolmara-assets tolmara-levelsheet tolmara-replay tolmara-shots tolmara-soak
        tolmara-keys)
  if(TARGET ${tool})
    install(TARGETS ${tool} RUNTIME DESTINATION lib/tolmara-deepgrid COMPONENT tools)
  endif()
endforeach()

# ---- the Debian package: tolmara-deepgrid_VERSION_ARCH.deb. Its library dependencies come from
# the libraries the game links (dpkg-shlibdeps); the font and the sound font it opens by name are
# added. Users' files live in their home folders, so removing the package leaves them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolmara-deepgrid)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tolmara Deepgrid developers")
set(CPACK_PACKAGE_CONTACT "The Tolmara Deepgrid developers <tolmara@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade maze puzzle game inside an old computer")
set(CPACK_PACKAGE_DESCRIPTION "Steer Vivuz or Vuzoda through the grid of an old computer's \
innards: eat circuits, collect infotrons, push balls and dynamite, place bombs, dodge falling \
objects, explosions and crawling monsters, and stand below the exit once enough infotrons are \
yours.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};game;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, timgm6mb-soundfont")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tolmara.github.io/deepgrid/")
include(CPack)
